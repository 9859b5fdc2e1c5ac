#include "ui/l2/CMulticastFilterDlg.h"

#include "base/DeviceInfo.h"
#include "core/l2/IgmpLogic.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/PortRangePair.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace kx::l2;

CMulticastFilterDlg::CMulticastFilterDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Multicast Filtering Mode Configuration"), parent),
      m_portCount(std::max(0, DevicePortCount())),
      m_trunks(m_portCount)
{
    m_list = new kx::GridListView(QStringLiteral("Multicast Filtering Mode Table"), this);
    m_list->setColumns({{QStringLiteral("Port"), 150}, {QStringLiteral("Multicast Filtering Mode"), 320}});

    auto* grid = new QGridLayout;
    kx::Form form(this, grid);
    form.reserve({QStringLiteral("&Apply"), QStringLiteral("&Refresh"), QStringLiteral("&Close")});
    QComboBox* from = form.combo(QStringLiteral("From Port"));
    QComboBox* to = form.combo(QStringLiteral("To Port"));
    m_mode = form.combo(QStringLiteral("Multicast Filtering Mode"), kMcFilterModeTexts);
    grid->setColumnStretch(2, 1);
    m_range = new kx::PortRangePair(from, to, kToPortSmallerMessage, this);
    m_range->fillPorts(m_portCount);

    m_apply = form.button(QStringLiteral("&Apply"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(grid);
    layout->addLayout(kx::Form::ButtonRow({m_apply, m_refresh, close}));
    resize(520, 420);

    connect(m_apply, &QPushButton::clicked, this, &CMulticastFilterDlg::OnApply);
    connect(m_refresh, &QPushButton::clicked, this, &CMulticastFilterDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

void CMulticastFilterDlg::Refresh()
{
    m_list->clearRows();
    kx::ReadPlan plan;
    if (!m_trunksEnded)
        plan.walk(m_cCommonSNMPTableTrunk, {kx::kLaPortChannelMemberList}, [this](const kx::WalkResult& result) {
            m_trunks = kx::TrunkMembership::FromRows(result.rows, m_portCount);
            m_trunksEnded = true;
        });
    plan.walk(m_cCommonSNMPTable, MulticastFilterColumns()).rows([this](const kx::WalkRow& row) {
        m_list->addRow(MulticastFilterRowTexts(row));
    });
    read(plan, {m_apply, m_refresh});
}

void CMulticastFilterDlg::OnApply()
{
    std::vector<kx::SetBinding> bindings;
    const QString refusal =
        DecideMulticastFilter(m_range->fromPort(), m_range->toPort(), m_mode->currentIndex(), m_trunks, bindings);
    if (refuse(refusal) || bindings.empty())
        return;
    write(m_cCommonSNMPSet, std::move(bindings), [this](const kx::SetResult& result) {
        if (result.answered())
            refreshAfter(kFilterSettleMs, [this] { Refresh(); });
    });
}
