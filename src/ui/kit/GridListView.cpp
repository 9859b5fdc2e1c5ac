#include "ui/kit/GridListView.h"

#include <QHeaderView>
#include <QPainter>

namespace kx {

QColor GridLineDelegate::LineColor(const QPalette& palette)
{
    return palette.color(QPalette::Mid);
}

void GridLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(LineColor(option.palette));
    const QRect r = option.rect;
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->restore();
}

GridListView::GridListView(const QString& name, QWidget* parent) : QTreeWidget(parent)
{
    setAccessibleName(name);
    setObjectName(name);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setItemDelegate(new GridLineDelegate(this));
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

void GridListView::setColumns(const QList<Column>& columns)
{
    QStringList titles;
    m_alignments.clear();
    for (const Column& c : columns) {
        titles << c.title;
        m_alignments << c.alignment;
    }
    setColumnCount(static_cast<int>(columns.size()));
    setHeaderLabels(titles);
    for (int i = 0; i < columns.size(); ++i) {
        setColumnWidth(i, columns[i].width);
        headerItem()->setTextAlignment(i, columns[i].alignment | Qt::AlignVCenter);
    }
}

QTreeWidgetItem* GridListView::addRow(const QStringList& texts)
{
    auto* item = new QTreeWidgetItem(this);
    for (int i = 0; i < columnCount(); ++i) {
        item->setText(i, texts.value(i));
        item->setTextAlignment(i, m_alignments.value(i, Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return item;
}

QString GridListView::cellText(int row, int column) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(column) : QString();
}

int GridListView::selectedRow() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : indexOfTopLevelItem(items.first());
}

void GridListView::selectRow(int row)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item) {
        clearSelection();
        return;
    }
    setCurrentItem(item);
    item->setSelected(true);
}

} // namespace kx
