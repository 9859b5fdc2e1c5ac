#include "ui/kit/CTableViewerDlg.h"

#include "ui/kit/Form.h"
#include "ui/kit/TableListView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kx {

namespace {
// How often rows that arrived are listed while a walk runs: often enough to
// watch the table fill, seldom enough that listing costs nothing next to the walk.
constexpr int kFlushMs = 100;
} // namespace

CTableViewerDlg::CTableViewerDlg(TableDescriptor descriptor, QWidget* parent)
    : ConfigDialog(descriptor.title, parent), m_descriptor(std::move(descriptor))
{
    m_table = addSession(m_descriptor.session);
    m_list = new TableListView(m_descriptor.listName, this);
    QList<GridListView::Column> columns;
    const QFontMetrics metrics = fontMetrics();
    for (const TableColumn& c : m_descriptor.columns)
        columns.push_back({c.header, metrics.horizontalAdvance(c.header) + 12});
    m_list->setColumns(columns);

    Form form(this);
    m_refresh = form.button(QStringLiteral("&Refresh"));
    QPushButton* close = form.button(QStringLiteral("&Close"));
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(QStringLiteral("Entries:"), this));
    m_count = new QLabel(QStringLiteral("0"), this);
    m_count->setAccessibleName(QStringLiteral("Entries"));
    m_count->setObjectName(QStringLiteral("Entries"));
    countRow->addWidget(m_count);
    countRow->addStretch();

    m_extras = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_extras);
    layout->addWidget(m_list);
    layout->addLayout(countRow);
    layout->addLayout(Form::ButtonRow({m_refresh, close}));
    resize(m_descriptor.size);

    m_flush = new QTimer(this);
    m_flush->setInterval(kFlushMs);
    connect(m_flush, &QTimer::timeout, this, &CTableViewerDlg::flushRows);
    connect(m_refresh, &QPushButton::clicked, this, &CTableViewerDlg::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // Once the derived viewer is complete.
    QTimer::singleShot(0, this, &CTableViewerDlg::Refresh);
}

bool CTableViewerDlg::keepRow(const WalkRow& row) const
{
    return !m_descriptor.keep || m_descriptor.keep(row);
}

void CTableViewerDlg::Refresh()
{
    m_list->clearRows();
    m_arrived.clear();
    m_fitColumns = true;
    m_count->setText(QStringLiteral("0"));
    ReadPlan plan = extraReads();
    const std::size_t columns = m_descriptor.columns.size();
    plan.walk(m_table, m_descriptor.oids()).rows([this, columns](const WalkRow& row) {
        // A row with fewer values than columns has left the table.
        if (row.values.size() < columns || !keepRow(row))
            return;
        m_arrived.push_back(m_descriptor.rowTexts(row));
    });
    m_flush->start();
    read(plan, {m_refresh}, [this] {
        m_flush->stop();
        flushRows();
    });
}

void CTableViewerDlg::flushRows()
{
    if (m_arrived.empty())
        return;
    // The headers' blanks set the first widths; a column whose values are wider
    // grows to show them, judged by the first rows so that a long table costs nothing.
    if (std::exchange(m_fitColumns, false)) {
        const QFontMetrics metrics = m_list->fontMetrics();
        const std::size_t sample = std::min<std::size_t>(m_arrived.size(), 200);
        for (int c = 0; c < static_cast<int>(m_descriptor.columns.size()); ++c) {
            int width = m_list->columnWidth(c);
            for (std::size_t r = 0; r < sample; ++r)
                width = std::max(width, metrics.horizontalAdvance(m_arrived[r].value(c)) + 12);
            m_list->setColumnWidth(c, width);
        }
    }
    m_list->appendRows(std::exchange(m_arrived, {}));
    m_count->setText(QString::number(m_list->rowCount()));
}

} // namespace kx
