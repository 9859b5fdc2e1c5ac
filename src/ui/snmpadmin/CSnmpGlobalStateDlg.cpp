#include "ui/snmpadmin/CSnmpGlobalStateDlg.h"

#include "ui/kit/Form.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

CSnmpGlobalStateDlg::CSnmpGlobalStateDlg(QWidget* parent)
    : CSnmpAdminDlg(QStringLiteral("SNMP Global State Settings"), parent)
{
    kx::Form form(this);
    QPushButton* apply = form.button(QStringLiteral("&Apply"));
    QPushButton* cancel = form.button(QStringLiteral("&Cancel"));
    m_enabled = form.check(QStringLiteral("Enable SNMP Global "));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_enabled, 0, Qt::AlignLeft);
    layout->addLayout(kx::Form::ButtonRow({apply, cancel}));
    resize(300, 100);

    connect(apply, &QPushButton::clicked, this, &CSnmpGlobalStateDlg::OnApply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_gated = {apply};
    Refresh();
}

void CSnmpGlobalStateDlg::Refresh()
{
    read(m_model->ReadGlobalState([this](int state) { m_enabled->setChecked(state == 1); }), m_gated);
}

void CSnmpGlobalStateDlg::OnApply()
{
    writeSequence<kx::SetResult>(
        [model = m_model, on = m_enabled->isChecked()] { return model->SetGlobalState(on); },
        [this](const kx::SetResult& result) {
            if (result.answered())
                Refresh();
        });
}
