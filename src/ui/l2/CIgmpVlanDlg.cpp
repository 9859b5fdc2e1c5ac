#include "ui/l2/CIgmpVlanDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/PortCheckGrid.h"
#include "ui/l2/CMulticastEntryDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace kx::l2;

namespace {

const QStringList kStateTexts = {kEnabledText, kDisabledText};

kx::PortGridGeometry RouterPortGeometry(int portCount)
{
    kx::PortGridGeometry g;
    g.columns = std::max(1, std::min(portCount, portCount > 28 ? 13 : 14));
    g.step = QSize(46, 22);
    g.boxSize = QSize(44, 20);
    return g;
}

} // namespace

CIgmpVlanDlg::CIgmpVlanDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("The VLAN Settings of IGMP snooping "), parent),
      m_igmp(new CIgmpSnoopingModel(DevicePortCount(), this)),
      m_portCount(std::max(0, DevicePortCount()))
{
    adoptSessions(m_igmp->Sessions());
    m_igmp->SetOwner(this);

    auto* fields = new QGridLayout;
    kx::Form form(this, fields);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Apply"), QStringLiteral("&View Multicast Entry "),
                  QStringLiteral("&Close")});

    m_list = new kx::GridListView(QStringLiteral("IGMP VLAN Table"), this);
    m_list->setColumns({{QStringLiteral("VLAN ID"), 80},
                        {QStringLiteral("VLAN Name"), 80},
                        {QStringLiteral("State "), 80},
                        {QStringLiteral("Querier State"), 120},
                        {QStringLiteral("Fast Leave"), 100},
                        {QStringLiteral("Static Router Ports "), 160}});

    m_vlanId = form.edit(QStringLiteral("VLAN ID:"), kx::FieldOptions::Digits(4));
    m_state = form.combo(QStringLiteral("State:"), kStateTexts);
    m_querier = form.combo(QStringLiteral("Querier State:"), kStateTexts);
    m_fastLeave = form.combo(QStringLiteral("Fast Leave:"), kStateTexts);
    // Two buttons read "Apply": their names say which is which.
    m_apply = form.button(QStringLiteral("&Apply"));
    m_apply->setProperty("controlId", 1000);
    fields->addWidget(m_apply, 3, 2);
    fields->setColumnStretch(3, 1);

    auto* routerBox = new QGroupBox(QStringLiteral("Static Router Ports "), this);
    m_ports = new kx::PortCheckGrid(m_portCount, RouterPortGeometry(m_portCount), routerBox);
    m_applyRouterPorts = form.button(QStringLiteral("&Apply"), QStringLiteral("Apply Static Router Ports"));
    m_applyRouterPorts->setProperty("controlId", 1149);
    auto* routerLayout = new QHBoxLayout(routerBox);
    routerLayout->addWidget(m_ports);
    routerLayout->addStretch();
    routerLayout->addWidget(m_applyRouterPorts, 0, Qt::AlignBottom);

    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* entries = form.button(QStringLiteral("&View Multicast Entry "));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(fields);
    layout->addWidget(routerBox);
    layout->addLayout(kx::Form::ButtonRow({m_refresh, close}, {entries}));
    resize(660, 480);

    connect(m_igmp, &CFeatureModel::rowArrived, this, &CIgmpVlanDlg::OnRowArrived);
    connect(m_igmp, &CFeatureModel::aggregationGroupsLoaded, this, [this] { m_groupsEnded = true; });
    // A click, or Enter on the current row for those who use the keyboard.
    connect(m_list, &QTreeWidget::itemClicked, this, &CIgmpVlanDlg::OnRowClicked);
    connect(m_list, &QTreeWidget::itemActivated, this, &CIgmpVlanDlg::OnRowClicked);
    connect(m_state, &QComboBox::currentIndexChanged, this, &CIgmpVlanDlg::UpdateStateCombos);
    connect(m_apply, &QPushButton::clicked, this, &CIgmpVlanDlg::OnApply);
    connect(m_applyRouterPorts, &QPushButton::clicked, this, &CIgmpVlanDlg::OnApplyRouterPorts);
    connect(m_refresh, &QPushButton::clicked, this, &CIgmpVlanDlg::Refresh);
    connect(entries, &QPushButton::clicked, this, &CIgmpVlanDlg::OnViewEntries);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    ResetControls();
    Refresh();
}

void CIgmpVlanDlg::Refresh()
{
    m_list->clearRows();
    m_rows.clear();
    // The Applies judge the listed rows and, for the router ports, the
    // aggregation groups: they wait for both.
    kx::ReadPlan plan;
    if (!m_groupsEnded)
        plan.add(m_igmp->LoadAggregationGroups());
    plan.add(m_igmp->WalkVlans());
    read(plan, {m_refresh, m_apply, m_applyRouterPorts});
}

void CIgmpVlanDlg::OnRowArrived(const QStringList& texts)
{
    m_rows.push_back(texts);
    m_list->addRow(texts);
}

void CIgmpVlanDlg::OnRowClicked(QTreeWidgetItem* item)
{
    const int row = m_list->indexOfTopLevelItem(item);
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return;
    const QStringList& texts = m_rows[static_cast<std::size_t>(row)];
    m_vlanId->setText(texts.value(kVlanColId));
    m_state->setCurrentIndex(std::max(0, static_cast<int>(kStateTexts.indexOf(texts.value(kVlanColState)))));
    m_querier->setCurrentIndex(std::max(0, static_cast<int>(kStateTexts.indexOf(texts.value(kVlanColQuerier)))));
    m_fastLeave->setCurrentIndex(
        std::max(0, static_cast<int>(kStateTexts.indexOf(texts.value(kVlanColFastLeave)))));
    kx::PortFlags ticked;
    ParsePortRangeText(texts.value(kVlanColRouterPorts), ticked, m_portCount);
    m_ports->setFlags(ticked);
}

void CIgmpVlanDlg::UpdateStateCombos()
{
    const bool on = m_state->currentIndex() == 0;
    m_querier->setEnabled(on);
    m_fastLeave->setEnabled(on);
}

void CIgmpVlanDlg::ResetControls()
{
    m_vlanId->clear();
    for (QComboBox* combo : {m_state, m_querier, m_fastLeave}) {
        combo->setCurrentIndex(0);
        combo->setEnabled(true);
    }
}

void CIgmpVlanDlg::OnApply()
{
    IgmpVlanApply apply = DecideIgmpVlanApply(m_vlanId->text(), m_state->currentIndex(), m_querier->currentIndex(),
                                              m_fastLeave->currentIndex(), m_rows);
    if (apply.nothing)
        return;
    if (apply.ask && !prompter().question(kVlanRouterPortsQuestion))
        return;
    auto done = [this] {
        Refresh();
        ResetControls();
    };
    if (apply.requests.empty()) {
        done();
        return;
    }
    writeSequence<kx::SetResult>(m_igmp->Send(std::move(apply.requests)),
                                 [done](const kx::SetResult&) { done(); });
}

void CIgmpVlanDlg::OnApplyRouterPorts()
{
    const kx::PortFlags ticked = m_ports->flags();
    kx::SetBinding binding;
    const QString refusal =
        DecideRouterPorts(m_vlanId->text(), ticked, m_igmp->MembersAgree(ticked) != 0, m_portCount, binding);
    if (refuse(refusal))
        return;
    writeSequence<kx::SetResult>(m_igmp->Send({{binding}}), [this](const kx::SetResult&) { Refresh(); });
}

void CIgmpVlanDlg::OnViewEntries()
{
    CMulticastEntryDlg entries(this);
    entries.exec();
}
