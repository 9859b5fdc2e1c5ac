#include "ui/l2/CPortSettingDlg.h"

#include "base/DeviceInfo.h"
#include "common/TraceCore.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::l2;

CPortSettingDlg::CPortSettingDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Port Configuration"), parent),
      m_portCount(std::max(0, DevicePortCount())),
      m_allGiga(GetDeviceInfo().IsAllGiga),
      m_ports(m_portCount, m_allGiga),
      m_trunks(m_portCount)
{
    auto* grid = new QGridLayout;
    kx::Form form(this, grid);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Apply"), QStringLiteral("&Close")});

    m_list = new kx::GridListView(QStringLiteral("Port Table"), this);
    m_list->setColumns({{QStringLiteral("Index "), 50},
                        {QStringLiteral("PortControlSpeed "), 115},
                        {QStringLiteral("OperMode  "), 95},
                        {QStringLiteral("FlowControlMode  "), 115},
                        {QStringLiteral("DefaultPriority  "), 105},
                        {QStringLiteral("OperFlowControlMode  "), 145}});

    // The port is the row clicked: a typed number would be checked as one port
    // and written as another.
    m_portId = form.edit(QStringLiteral("Port ID:"), kx::FieldOptions::ReadOnly());
    m_speed = form.combo(QStringLiteral("PortControlSpeed:"), kSpeedComboTexts);
    m_speed->setCurrentIndex(-1);
    m_flow = form.combo(QStringLiteral("FlowControlMode:"), kFlowComboTexts);
    m_flow->setCurrentIndex(-1);
    grid->setColumnStretch(2, 1);

    m_refresh = form.button(QStringLiteral("&Refresh"));
    m_apply = form.button(QStringLiteral("&Apply"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(grid);
    layout->addLayout(kx::Form::ButtonRow({m_refresh, m_apply, close}));
    resize(660, 420);

    // A click, or Enter on the row the keyboard moved to.
    connect(m_list, &QTreeWidget::itemClicked, this, &CPortSettingDlg::OnRowClicked);
    connect(m_list, &QTreeWidget::itemActivated, this, &CPortSettingDlg::OnRowClicked);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &CPortSettingDlg::OnCurrentRowChanged);
    connect(m_refresh, &QPushButton::clicked, this, &CPortSettingDlg::Refresh);
    connect(m_apply, &QPushButton::clicked, this, &CPortSettingDlg::OnApply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

kx::ReadPlan CPortSettingDlg::PortWalk()
{
    m_list->clearRows();
    m_ports.clear();
    m_disabledPorts = 0;
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMPTable, PortWalkColumns())
        .timeout(kPortWalkTimeoutMs)
        .rows([this](const kx::WalkRow& row) {
            const QStringList texts = m_ports.addRow(row);
            if (texts[1] == kSpeedCellTexts[SpeedDisable])
                ++m_disabledPorts;
            m_list->addRow(texts);
        });
    return plan;
}

void CPortSettingDlg::Refresh()
{
    // Apply decides on the groups and on the ports: it waits for both walks.
    m_trunks = kx::TrunkMembership(m_portCount);
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMPTableTrunk, {kx::kLaPortChannelMemberList}, [this](const kx::WalkResult& result) {
        m_trunks = kx::TrunkMembership::FromRows(result.rows, m_portCount);
    });
    plan.add(PortWalk());
    read(plan, {m_apply});
}

void CPortSettingDlg::OnRowClicked(QTreeWidgetItem* item)
{
    const int row = m_list->indexOfTopLevelItem(item);
    if (row < 0)
        return;
    const QString index = m_list->cellText(row, 0);
    bool ok = false;
    const int port = index.toInt(&ok);
    m_port = ok ? port : -1;
    m_portId->setText(index);
    m_speed->setCurrentIndex(static_cast<int>(kSpeedCellTexts.indexOf(m_list->cellText(row, 1))));
    m_flow->setCurrentIndex(m_list->cellText(row, 3) == kFlowComboTexts[0] ? 0 : 1);
}

void CPortSettingDlg::OnCurrentRowChanged(QTreeWidgetItem* item)
{
    const int row = m_list->indexOfTopLevelItem(item);
    if (row >= 0)
        m_speed->setCurrentIndex(static_cast<int>(kSpeedCellTexts.indexOf(m_list->cellText(row, 1))));
}

void CPortSettingDlg::OnApply()
{
    const PortApplyDecision d = DecidePortApply(
        {m_portId->text(), m_port, m_speed->currentIndex(), m_flow->currentIndex() == 0}, m_ports, m_trunks,
        m_allGiga);
    if (refuse(d.refusal) || !d.writes)
        return;
    if (d.askForceMode && !prompter().question(kForceModeQuestion, kx::PromptIcon::Warning))
        return;
    if (d.askFlowControl && !prompter().question(kFlowControlQuestion, kx::PromptIcon::Warning))
        return;
    // Whatever the outcome, the list shows what the device holds afterwards.
    write(
        m_cCommonSNMPSet, d.bindings,
        [this](const kx::SetResult& result) {
            kx::TraceF("set status = %d", result.status);
            refreshAfter(10, [this] { read(PortWalk(), {m_apply}); });
        },
        kPortSetTimeoutMs);
}
