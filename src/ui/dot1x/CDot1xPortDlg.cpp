#include "ui/dot1x/CDot1xPortDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/PortRangePair.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::dot1x;

CDot1xPortDlg::CDot1xPortDlg(const Dot1xTimers& timers, QWidget* parent) : CDot1xPortDlg(timers, false, parent) {}

CDot1xPortDlg* CDot1xPortDlg::ForDevice(QWidget* parent)
{
    return new CDot1xPortDlg(Dot1xTimers{}, true, parent);
}

CDot1xPortDlg::CDot1xPortDlg(const Dot1xTimers& timers, bool readTimers, QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("802.1X Port Configuration"), parent),
      m_portCount(DevicePortCount()),
      m_timers(timers),
      m_ports(m_portCount),
      m_trunks(m_portCount)
{
    auto* group = new QGroupBox(QStringLiteral("802.1X Port Access Control"), this);
    auto* grid = new QGridLayout(group);
    kx::Form form(group, grid);
    form.reserve({QStringLiteral("Apply"), QStringLiteral("&Refresh"), QStringLiteral("Cancel")});
    m_from = form.combo(QStringLiteral("From Port:"));
    m_to = form.combo(QStringLiteral("To Port:"));
    m_control = form.combo(QStringLiteral("Control:"), kControlTexts);
    m_control->setCurrentIndex(1); // Auto
    grid->setColumnStretch(2, 1);
    m_range = new kx::PortRangePair(m_from, m_to, QStringLiteral("'To Port' can not be smaller than 'From Port'"),
                                    this);
    m_range->fillPorts(m_portCount);

    m_list = new kx::GridListView(QStringLiteral("802.1X Port Table"), this);
    m_list->setColumns({{QStringLiteral("Index"), 50},
                        {QStringLiteral("AuthControlledPortStatus"), 160},
                        {QStringLiteral("AuthControlledPortControl"), 165},
                        {QStringLiteral("QuietPeriod"), 80},
                        {QStringLiteral("TxPeriod"), 70},
                        {QStringLiteral("SuppTimeout"), 85},
                        {QStringLiteral("ServerTimeout"), 95},
                        {QStringLiteral("MaxReq"), 60},
                        {QStringLiteral("ReAuthPeriod"), 90},
                        {QStringLiteral("ReAuthEnabled"), 100}});

    m_apply = form.button(QStringLiteral("Apply"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* cancel = form.button(QStringLiteral("Cancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_list, 1);
    layout->addLayout(kx::Form::ButtonRow({m_apply, m_refresh, cancel}));
    resize(980, 420);

    connect(m_apply, &QPushButton::clicked, this, &CDot1xPortDlg::OnApply);
    connect(m_refresh, &QPushButton::clicked, this, &CDot1xPortDlg::Refresh);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    kx::ReadPlan plan;
    if (readTimers)
        plan.get(m_cCommonSNMP, Dot1xGlobalLogic::ReadOids(), [this](const kx::GetResult& answer) {
            if (const std::optional<Dot1xGlobal> global = Dot1xGlobalLogic::Read(answer))
                m_timers = global->timers;
        });
    // Apply judges the aggregation walk's result: it waits until that walk has
    // ended too, not only the port walk.
    kx::ReadPlan trunks;
    trunks.walk(m_cCommonSNMPTableTrunkInfo, {kx::kLaPortChannelMemberList}, [this](const kx::WalkResult& result) {
        m_trunks = kx::TrunkMembership::FromRows(result.rows, m_portCount);
    });
    plan.then(trunks);
    plan.add(PortWalk());
    read(plan, {m_apply, m_refresh});
}

kx::ReadPlan CDot1xPortDlg::PortWalk()
{
    m_ports.clear();
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMPTable, Dot1xPortTable::WalkColumns()).rows([this](const kx::WalkRow& row) {
        m_list->addRow(m_ports.applyRow(row) + m_timers.texts());
    });
    return plan;
}

void CDot1xPortDlg::Refresh()
{
    m_list->clearRows();
    read(PortWalk(), {m_apply, m_refresh});
}

void CDot1xPortDlg::OnApply()
{
    const int from = m_range->fromPort();
    const int to = m_range->toPort();
    const int control = m_control->currentIndex() + 1;
    if (refuse(Dot1xPortLogic::Check(from, to, control, m_ports.controls(), m_trunks, m_portCount)))
        return;
    writeSequence<bool>(
        [session = m_cCommonSNMP, batches = Dot1xPortLogic::Batches(from, to, control)] {
            Dot1xPortLogic::Send(*session, batches);
            return true;
        },
        [this](const bool&) { Refresh(); });
}
