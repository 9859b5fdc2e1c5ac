#include "ui/l2/CStpPortTableDlg.h"

#include "base/DeviceInfo.h"
#include "core/l2/SpanningTree.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"
#include "ui/l2/CStpPortConfigDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace kx::l2;

CStpPortTableDlg::CStpPortTableDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Spanning Tree Table"), parent),
      m_portCount(std::max(0, DevicePortCount())),
      m_table(StpPortTable())
{
    kx::Form form(this);
    m_list = new kx::GridListView(m_table.listName, this);
    QList<kx::GridListView::Column> columns;
    int listWidth = 0;
    // Wide enough for the header and for a path cost of nine digits.
    const int least = fontMetrics().horizontalAdvance(QStringLiteral("200000000")) + 16;
    for (const kx::TableColumn& c : m_table.columns) {
        columns.push_back({c.header, std::max(least, fontMetrics().horizontalAdvance(c.header) + 16)});
        listWidth += columns.back().width;
    }
    m_list->setColumns(columns);

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(QStringLiteral("Entries:"), this));
    m_entries = new QLabel(QStringLiteral("0"), this);
    m_entries->setObjectName(QStringLiteral("Entries"));
    m_entries->setAccessibleName(QStringLiteral("Entries"));
    countRow->addWidget(m_entries);
    countRow->addStretch();

    m_portConfig = form.button(QStringLiteral("&Port Config"));
    // There as on the device's own tool; it opens nothing.
    m_bridgeConfig = form.button(QStringLiteral("&Bridge Config"));
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(countRow);
    layout->addLayout(kx::Form::ButtonRow({m_refresh, close}, {m_portConfig, m_bridgeConfig}));
    resize(listWidth + 40, 360);

    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CStpPortTableDlg::OnPortConfig);
    connect(m_portConfig, &QPushButton::clicked, this, &CStpPortTableDlg::OnPortConfig);
    connect(m_refresh, &QPushButton::clicked, this, &CStpPortTableDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    CleanUpLoopbackPorts();
}

std::vector<QStringList> CStpPortTableDlg::rows() const
{
    std::vector<QStringList> texts;
    for (int r = 0; r < m_list->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < m_list->columnCount(); ++c)
            row << m_list->cellText(r, c);
        texts.push_back(row);
    }
    return texts;
}

void CStpPortTableDlg::CleanUpLoopbackPorts()
{
    // Spanning tree and loopback detection exclude each other on a port. The
    // gets go port by port and stop at the first that fails; the sets follow
    // as the write they are, and the table is read once they are done.
    m_loopbackPorts.clear();
    m_cleanUpEnded = false;
    kx::ReadPlan plan;
    for (int p = 1; p <= m_portCount; ++p) {
        plan.get(m_cCommonSNMP, {}, [this, p](const kx::GetResult& answer) {
            if (!answer.ok() || answer.values.empty())
                m_cleanUpEnded = true;
            else if (answer.value(0).isEnabled())
                m_loopbackPorts.push_back(p);
        });
        plan.afterPrevious().objectsAtStart([this, p] {
            return m_cleanUpEnded ? QStringList() : QStringList{LoopbackDetectionOid(p)};
        });
    }
    read(plan, {m_portConfig, m_refresh}, [this] {
        if (m_loopbackPorts.empty()) {
            Refresh();
            return;
        }
        writeSequence<int>(
            [ports = m_loopbackPorts, session = m_cCommonSNMP] {
                return DisableStpOnLoopbackPorts(ports, SessionStpSetPath(*session));
            },
            [this](const int&) { Refresh(); });
    });
}

void CStpPortTableDlg::Refresh()
{
    m_list->clearRows();
    m_entries->setText(QStringLiteral("0"));
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMPTable, m_table.oids())
        .stopWhen([](const kx::WalkRow& row) { return row.values.size() < kStpMinRowValues; })
        .rows([this](const kx::WalkRow& row) {
            m_list->addRow(m_table.rowTexts(row));
            m_entries->setText(QString::number(m_list->rowCount()));
        });
    read(plan, {m_portConfig, m_refresh});
}

void CStpPortTableDlg::OnPortConfig()
{
    CStpPortConfigDlg config(rows(), m_list->selectedRow(), this);
    if (config.exec() == QDialog::Accepted)
        Refresh();
}
