#include "ui/snmpadmin/CSnmpEngineIdDlg.h"

#include "ui/kit/Form.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::snmpadmin;

CSnmpEngineIdDlg::CSnmpEngineIdDlg(QWidget* parent) : CSnmpAdminDlg(QStringLiteral("SNMP Engine ID"), parent)
{
    kx::Form form(this);
    QPushButton* apply = form.button(QStringLiteral("&Apply"));
    QPushButton* byDefault = form.button(QStringLiteral("&Default"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* grid = new QGridLayout;
    m_engineId = form.edit(QStringLiteral("SNMP Engine ID"));
    Place(grid, form, 0, 0);
    auto* note = new QLabel(QStringLiteral("Note: Engine ID length is 10-64, the accepted character is from 0 to F."), this);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addLayout(kx::Form::ButtonRow({close}, {apply, byDefault}));
    resize(460, 140);

    connect(apply, &QPushButton::clicked, this, &CSnmpEngineIdDlg::OnApply);
    connect(byDefault, &QPushButton::clicked, this, &CSnmpEngineIdDlg::OnDefault);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_gated = {apply, byDefault};
    Refresh();
}

void CSnmpEngineIdDlg::Refresh()
{
    // A failed read leaves the edit as it was.
    read(m_model->ReadEngineId([this](const QString& hex) { m_engineId->setText(hex); }), m_gated);
}

void CSnmpEngineIdDlg::OnApply()
{
    const QString hex = m_engineId->text();
    if (refuse(EngineIdRefusal(hex)))
        return;
    Write(hex);
}

void CSnmpEngineIdDlg::OnDefault()
{
    Write(kDefaultEngineId);
}

void CSnmpEngineIdDlg::Write(const QString& hex)
{
    writeSequence<kx::SetResult>([model = m_model, octets = EngineIdOctets(hex)] { return model->SetEngineId(octets); },
                                 [this](const kx::SetResult&) { Refresh(); });
}
