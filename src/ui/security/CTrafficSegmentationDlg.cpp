#include "ui/security/CTrafficSegmentationDlg.h"

#include "base/DeviceInfo.h"
#include "core/security/CTrafficSegmentationModel.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/PortCheckGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace kx::security;

CTrafficSegmentationDlg::CTrafficSegmentationDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Traffic Segmentation Settings "), parent),
      m_portCount(std::max(DevicePortCount(), 0)),
      m_model(new CTrafficSegmentationModel(m_portCount, this)),
      m_forwardingHex(static_cast<std::size_t>(m_portCount))
{
    kx::Form form(this);
    form.reserve({QStringLiteral("&ALL"), QStringLiteral("C&lear"), QStringLiteral("&Apply"),
                  QStringLiteral("&Refresh")});
    m_enable = form.check(QStringLiteral("Enable Forwarding Port Settings"));
    // Two buttons read "Apply": their names say which is which.
    m_applyState = form.button(QStringLiteral("&Apply"), QStringLiteral("Apply Enable Forwarding Port Settings"));

    m_list = new kx::GridListView(QStringLiteral("Forwarding Port Table"), this);
    m_list->setColumns({{QStringLiteral("Port"), 150}, {QStringLiteral("Forwarding Port"), 300}});

    m_source = form.combo(QStringLiteral("From Port"));
    QLabel* sourceLabel = form.lastLabel();
    for (int port = 1; port <= m_portCount; ++port)
        m_source->addItem(QString::number(port));

    auto* toPort = new QGroupBox(QStringLiteral("To Port"), this);
    kx::PortGridGeometry geometry;
    geometry.origin = {8, 4};
    m_ports = new kx::PortCheckGrid(m_portCount, geometry, toPort);
    auto* toPortLayout = new QVBoxLayout(toPort);
    toPortLayout->addWidget(m_ports);

    m_all = form.button(QStringLiteral("&ALL"));
    m_clear = form.button(QStringLiteral("C&lear"));
    m_applyForwarding = form.button(QStringLiteral("&Apply"));
    m_refresh = form.button(QStringLiteral("&Refresh"));

    auto* stateRow = new QHBoxLayout;
    stateRow->addWidget(m_enable);
    stateRow->addWidget(m_applyState);
    stateRow->addStretch();
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(sourceLabel);
    sourceRow->addWidget(m_source);
    sourceRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(stateRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(sourceRow);
    layout->addWidget(toPort);
    layout->addLayout(kx::Form::ButtonRow({m_refresh}, {m_all, m_clear, m_applyForwarding}));
    resize(500, 480);

    connect(m_model, &CFeatureModel::recordArrived, this, [this](const QStringList& record) {
        m_state = record.value(0);
        m_enable->setChecked(m_state == QLatin1String("1"));
    });
    connect(m_model, &CFeatureModel::rowArrived, this, &CTrafficSegmentationDlg::OnRow);
    connect(m_source, &QComboBox::activated, this, &CTrafficSegmentationDlg::OnSourcePort);
    connect(m_all, &QPushButton::clicked, this, &CTrafficSegmentationDlg::OnAll);
    connect(m_clear, &QPushButton::clicked, this, &CTrafficSegmentationDlg::OnClear);
    connect(m_applyState, &QPushButton::clicked, this, &CTrafficSegmentationDlg::OnApplyState);
    connect(m_applyForwarding, &QPushButton::clicked, this, &CTrafficSegmentationDlg::OnApplyForwarding);
    connect(m_refresh, &QPushButton::clicked, this, &CTrafficSegmentationDlg::Refresh);

    Refresh();
}

int CTrafficSegmentationDlg::SourcePort() const
{
    return m_source->currentIndex() + 1;
}

void CTrafficSegmentationDlg::Refresh()
{
    m_list->clearRows();
    std::fill(m_forwardingHex.begin(), m_forwardingHex.end(), QString());
    m_model->SetOwner(this);
    // The forwarding Apply judges by the aggregation groups this read loads: it
    // waits for them, and then stays usable only while the feature is enabled.
    read(m_model->Refresh(), {m_applyState, m_refresh, m_applyForwarding}, [this] {
        m_applyForwarding->setEnabled(m_state == QLatin1String("1"));
        OnSourcePort();
    });
}

void CTrafficSegmentationDlg::OnRow(const QStringList& record)
{
    const ForwardingRow row = ReadForwardingRecord(record, m_portCount);
    m_list->addRow({row.portText, row.rangeText});
    if (row.sourcePort > 0)
        m_forwardingHex[static_cast<std::size_t>(row.sourcePort - 1)] = row.hex;
}

void CTrafficSegmentationDlg::OnSourcePort()
{
    const int port = SourcePort();
    if (port < 1 || port > m_portCount)
        return;
    m_ports->setFlags(ForwardingFlags(m_forwardingHex[static_cast<std::size_t>(port - 1)], m_portCount));
}

void CTrafficSegmentationDlg::OnAll()
{
    m_ports->setAllChecked(true);
}

void CTrafficSegmentationDlg::OnClear()
{
    m_ports->setAllChecked(false);
    m_ports->setChecked(SourcePort(), true);
}

void CTrafficSegmentationDlg::OnApplyState()
{
    writeSequence<kx::SetResult>(m_model->SetObjects({SegmentationStateBinding(m_enable->isChecked())}),
                                 [this](const kx::SetResult&) { Refresh(); });
}

void CTrafficSegmentationDlg::OnApplyForwarding()
{
    const kx::PortFlags flags = m_ports->flags();
    if (!m_model->MembersAgree(flags)) {
        refuse(AggregatedMemberRefusal());
        return;
    }
    writeSequence<kx::SetResult>(m_model->WriteForwarding(SourcePort(), flags), [this](const kx::SetResult& result) {
        if (result.answered())
            refreshAfter(50, [this] { Refresh(); });
    });
}
