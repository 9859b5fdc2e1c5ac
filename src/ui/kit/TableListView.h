#pragma once

// The list of a table viewer, for tables of any size: a model that takes the
// rows of a walk in batches (one insertion, one relayout per batch, however
// many rows), a view with grid lines and full-row selection that sorts by any
// column when its header is clicked (numbers and addresses in numeric order;
// the agent's order until then), and copies rows as tab-separated text: Ctrl+C
// the selected rows, the context menu's "Copy all" every row under the headers.

#include "ui/kit/GridListView.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QTreeView>

#include <vector>

class QSortFilterProxyModel;

namespace kx {

class TableRowsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setColumns(const QList<GridListView::Column>& columns);
    // One insertion for the whole batch.
    void appendRows(std::vector<QStringList> rows);
    void clearRows();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<GridListView::Column> m_columns;
    std::vector<QStringList> m_rows;
};

class TableListView : public QTreeView
{
    Q_OBJECT

public:
    // `name` becomes the accessible name and objectName.
    explicit TableListView(const QString& name, QWidget* parent = nullptr);

    void setColumns(const QList<GridListView::Column>& columns);
    void appendRows(std::vector<QStringList> rows);
    void addRow(const QStringList& texts) { appendRows({texts}); }
    void clearRows();

    // Rows and cells as shown, in the order shown.
    int rowCount() const;
    QString cellText(int row, int column) const;
    int selectedRow() const;
    void selectRow(int row);

    // Tab-separated lines in the order shown: the selected rows, or the header
    // line (blanks trimmed) and every row.
    QString copyText(bool all) const;
    void copySelected();
    void copyAll();

private:
    TableRowsModel* m_model;
    QSortFilterProxyModel* m_sorted;
};

} // namespace kx
