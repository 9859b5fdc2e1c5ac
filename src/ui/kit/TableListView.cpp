#include "ui/kit/TableListView.h"

#include <QAction>
#include <QClipboard>
#include <QCollator>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeySequence>
#include <QSortFilterProxyModel>

#include <algorithm>

namespace kx {

namespace {

// Ports, counts, addresses and speeds sort by their numbers ("9" before "10",
// "10.0.0.9" before "10.0.0.10"), texts without regard to case.
class NaturalOrder : public QSortFilterProxyModel
{
public:
    explicit NaturalOrder(QObject* parent) : QSortFilterProxyModel(parent)
    {
        m_collator.setNumericMode(true);
        m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    }

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        const int order = m_collator.compare(left.data().toString(), right.data().toString());
        return order != 0 ? order < 0 : left.row() < right.row();
    }

private:
    QCollator m_collator;
};

} // namespace

void TableRowsModel::setColumns(const QList<GridListView::Column>& columns)
{
    beginResetModel();
    m_columns = columns;
    m_rows.clear();
    endResetModel();
}

void TableRowsModel::appendRows(std::vector<QStringList> rows)
{
    if (rows.empty())
        return;
    const int first = static_cast<int>(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
    if (m_rows.empty())
        m_rows = std::move(rows);
    else
        std::move(rows.begin(), rows.end(), std::back_inserter(m_rows));
    endInsertRows();
}

void TableRowsModel::clearRows()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int TableRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TableRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TableRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size()))
        return {};
    if (role == Qt::DisplayRole)
        return m_rows[static_cast<std::size_t>(index.row())].value(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns.value(index.column()).alignment | Qt::AlignVCenter);
    return {};
}

QVariant TableRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[section].alignment | Qt::AlignVCenter);
    return {};
}

TableListView::TableListView(const QString& name, QWidget* parent)
    : QTreeView(parent), m_model(new TableRowsModel(this)), m_sorted(new NaturalOrder(this))
{
    setAccessibleName(name);
    setObjectName(name);
    m_sorted->setSourceModel(m_model);
    setModel(m_sorted);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setItemDelegate(new GridLineDelegate(this));
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    // Unsorted until the user clicks a header: the agent's order first.
    header()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);

    auto* copy = new QAction(QStringLiteral("&Copy"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &TableListView::copySelected);
    auto* copyAll = new QAction(QStringLiteral("Copy &all"), this);
    connect(copyAll, &QAction::triggered, this, &TableListView::copyAll);
    addAction(copy);
    addAction(copyAll);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TableListView::setColumns(const QList<GridListView::Column>& columns)
{
    m_model->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i)
        setColumnWidth(i, columns[i].width);
}

void TableListView::appendRows(std::vector<QStringList> rows)
{
    m_model->appendRows(std::move(rows));
}

void TableListView::clearRows()
{
    m_model->clearRows();
}

int TableListView::rowCount() const
{
    return m_sorted->rowCount();
}

QString TableListView::cellText(int row, int column) const
{
    return m_sorted->index(row, column).data().toString();
}

int TableListView::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TableListView::selectRow(int row)
{
    const QModelIndex index = m_sorted->index(row, 0);
    if (!index.isValid()) {
        clearSelection();
        return;
    }
    setCurrentIndex(index);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QString TableListView::copyText(bool all) const
{
    QList<int> rows;
    if (all) {
        for (int r = 0; r < rowCount(); ++r)
            rows << r;
    } else {
        for (const QModelIndex& index : selectionModel()->selectedRows())
            rows << index.row();
        std::sort(rows.begin(), rows.end());
    }
    const int columns = m_model->columnCount();
    QStringList lines;
    if (all) {
        QStringList headers;
        for (int c = 0; c < columns; ++c)
            headers << m_model->headerData(c, Qt::Horizontal).toString().trimmed();
        lines << headers.join(QLatin1Char('\t'));
    }
    for (int r : rows) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << cellText(r, c);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void TableListView::copySelected()
{
    const QString text = copyText(false);
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void TableListView::copyAll()
{
    QGuiApplication::clipboard()->setText(copyText(true));
}

} // namespace kx
