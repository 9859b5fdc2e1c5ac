#pragma once

// The report list of the dialogs: full-row selection, grid lines, no tree
// decoration, fixed column widths, and an accessible name.

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace kx {

// Paints the cell as usual, then its right and bottom edges: QTreeWidget has no
// grid of its own, and a style sheet border hides the selected row's highlight.
class GridLineDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    static QColor LineColor(const QPalette& palette);
};

class GridListView : public QTreeWidget
{
    Q_OBJECT

public:
    struct Column
    {
        QString title;  // shown exactly, blanks included
        int width = 100;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    // `name` becomes the accessible name and objectName.
    explicit GridListView(const QString& name, QWidget* parent = nullptr);

    void setColumns(const QList<Column>& columns);
    // Appends a row; missing texts are empty, and each cell takes its column's alignment.
    QTreeWidgetItem* addRow(const QStringList& texts);
    int rowCount() const { return topLevelItemCount(); }
    QString cellText(int row, int column) const;
    // The selected row, -1 when none.
    int selectedRow() const;
    void selectRow(int row);
    // Empties the list, keeping the columns.
    void clearRows() { clear(); }

private:
    QList<Qt::Alignment> m_alignments;
};

} // namespace kx
