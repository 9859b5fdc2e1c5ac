#include "ui/snmpadmin/CSnmpTrapConfigDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::snmpadmin;

CSnmpTrapConfigDlg::CSnmpTrapConfigDlg(QWidget* parent)
    : CSnmpAdminDlg(QStringLiteral("SNMP Trap Configuration"), parent)
{
    kx::Form form(this);
    QPushButton* apply = form.button(QStringLiteral("&Apply"));
    QPushButton* refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* layout = new QVBoxLayout(this);
    for (const TrapSwitch& trap : TrapSwitches(GetDeviceInfo().DeviceName)) {
        QCheckBox* box = form.check(trap.label);
        kx::Bind(m_switches.integer(trap.oid, QStringLiteral("2")), box);
        layout->addWidget(box, 0, Qt::AlignLeft);
    }
    layout->addStretch();
    layout->addLayout(kx::Form::ButtonRow({close}, {apply, refresh}));
    resize(320, 300);

    connect(apply, &QPushButton::clicked, this, &CSnmpTrapConfigDlg::OnApply);
    connect(refresh, &QPushButton::clicked, this, &CSnmpTrapConfigDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_gated = {apply, refresh};
    Refresh();
}

void CSnmpTrapConfigDlg::Refresh()
{
    // A failed read keeps the boxes as they are.
    kx::ReadPlan plan;
    plan.get(m_model->m_cCommonSNMP, m_switches.oids(), [this](const kx::GetResult& answer) { m_switches.fold(answer); });
    read(plan, m_gated);
}

void CSnmpTrapConfigDlg::OnApply()
{
    std::vector<kx::SetBinding> changes = m_switches.changes();
    if (changes.empty())
        return;
    write(m_model->m_cCommonSNMPSet, std::move(changes), [this](const kx::SetResult& result) {
        if (result.answered())
            Refresh();
    });
}
