#include "ui/poe/CPoeConfigDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/PortRangePair.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::poe;

CPoeConfigDlg::CPoeConfigDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("PoE Configuration"), parent),
      m_portCount(DevicePortCount()),
      m_ports(m_portCount)
{
    m_list = new kx::GridListView(QStringLiteral("PoE Port Table"), this);
    m_list->setColumns({{QStringLiteral("Index"), 45},
                        {QStringLiteral("State"), 60},
                        {QStringLiteral("Time Range"), 90},
                        {QStringLiteral("Priority"), 60},
                        {QStringLiteral("Power Limit"), 80},
                        {QStringLiteral("Power(W)"), 70},
                        {QStringLiteral("Voltage(V)"), 70},
                        {QStringLiteral("Current(mA)"), 80},
                        {QStringLiteral("Classification"), 90},
                        {QStringLiteral("Status"), 110}});

    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    kx::Form form(group, grid);
    form.reserve({QStringLiteral("&Refresh"), QStringLiteral("&Apply"), QStringLiteral("&Close")});
    m_from = form.combo(QStringLiteral("Form Port"));
    m_to = form.combo(QStringLiteral("To Port"));
    m_range = new kx::PortRangePair(m_from, m_to, QStringLiteral("'To Port' can not be smaller than 'From Port'"),
                                    this);
    m_range->fillPorts(m_portCount);
    m_state = form.combo(QStringLiteral("State"), kStateTexts);
    m_timeRange = form.combo(QStringLiteral("Time Range"), {kNoTimeRange});
    m_priority = form.combo(QStringLiteral("Priority"), kPriorityTexts);
    m_priority->setCurrentIndex(1);
    m_limit = form.combo(QStringLiteral("Power Limit"), kLimitTexts);
    m_userDefine = form.check(QStringLiteral("User Define"));
    m_userLimit = form.edit(QStringLiteral("(1~15.4w) "), kx::FieldOptions::Limit(7));
    m_userLimit->setEnabled(false);
    grid->setColumnStretch(2, 1);

    m_refresh = form.action(QStringLiteral("&Refresh"), [this] { Refresh(); });
    m_apply = form.action(QStringLiteral("&Apply"), [this] { OnApply(); });
    QPushButton* close = form.action(QStringLiteral("&Close"), [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(group);
    layout->addLayout(kx::Form::ButtonRow({m_refresh, m_apply, close}));
    resize(800, 520);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CPoeConfigDlg::OnRowSelected);
    connect(m_userDefine, &QCheckBox::toggled, this, &CPoeConfigDlg::OnUserDefine);
    Refresh();
}

void CPoeConfigDlg::Refresh()
{
    m_timeRange->clear();
    m_timeRange->addItem(kNoTimeRange);
    m_timeRange->setCurrentIndex(0);
    m_ranges.clear();
    m_rangesWalked = false;
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMPTimeRang, TimeRangeColumns(),
              [this](const kx::WalkResult& result) { m_rangesWalked = result.reachedEnd(); })
        .rows([this](const kx::WalkRow& row) {
            if (m_ranges.fold(row))
                m_timeRange->addItem(m_ranges.names().constLast());
        });
    // The ports follow only a time-range walk that reached its end: without the
    // names their Time Range column would read wrong.
    kx::ReadPlan ports = PortWalk();
    plan.then(ports).objectsAtStart([this] {
        if (!m_rangesWalked)
            return QStringList();
        m_list->clearRows();
        m_ports.clear();
        return PortWalkColumns();
    });
    read(plan, {m_refresh, m_apply});
}

kx::ReadPlan CPoeConfigDlg::PortWalk()
{
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMP, PortWalkColumns()).rows([this](const kx::WalkRow& row) {
        const QStringList line = m_ports.fold(row, m_ranges);
        if (!line.isEmpty())
            m_list->addRow(line);
    });
    return plan;
}

void CPoeConfigDlg::OnRowSelected()
{
    const int row = m_list->selectedRow();
    const int port = m_ports.portAt(row);
    if (port == 0)
        return;
    m_range->setPorts(port, port);
    m_state->setCurrentIndex(m_ports.enabledAt(row) ? 0 : 1);
}

void CPoeConfigDlg::OnUserDefine(bool checked)
{
    m_limit->setEnabled(!checked);
    m_userLimit->setEnabled(checked);
}

void CPoeConfigDlg::OnApply()
{
    PortSettings settings;
    settings.enable = m_state->currentIndex() != 1;
    settings.timeRange = m_ranges.idAt(m_timeRange->currentIndex() - 1);
    settings.priority = m_priority->currentIndex() + 1;
    settings.limitClass = m_limit->currentIndex() + 1;
    settings.userDefine = m_userDefine->isChecked();
    settings.userLimit = m_userLimit->text();
    m_limit->setEnabled(!settings.userDefine);
    // The check is the same for every port: a refusal sends nothing at all.
    if (settings.userDefine && refuse(CheckUserLimit(settings.userLimit), m_userLimit))
        return;
    const int from = m_range->fromPort();
    const int to = m_range->toPort();
    if (from < 1 || to < from)
        return;
    writeSequence<bool>(
        [session = m_cCommonSNMPSet, from, to, settings] {
            SendPortSettings(*session, from, to, settings);
            return true;
        },
        [this](const bool&) {
            m_list->clearRows();
            m_ports.clear();
            read(PortWalk(), {m_refresh, m_apply});
        });
}
