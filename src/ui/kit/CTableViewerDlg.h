#pragma once

// A read-only table viewer drawn from a TableDescriptor: the list with the
// descriptor's columns, the count of rows listed, "&Refresh" and "&Close". A
// viewer that shows more (a field read beside the table, a filter) derives
// and adds its controls to extras(), its reads to extraReads() and its choice
// of rows to keepRow().
//
// A table may hold thousands of rows (a switch's forwarding table): the rows
// of the walk are listed in batches, a few times a second and at its end, so
// the window keeps answering while they arrive; the list sorts by any column
// and copies what it shows (TableListView).

#include "core/kit/TableDescriptor.h"
#include "ui/kit/ConfigDialog.h"

#include <QStringList>

#include <vector>

class QLabel;
class QPushButton;
class QTimer;
class QVBoxLayout;

namespace kx {

class TableListView;

class CTableViewerDlg : public ConfigDialog
{
    Q_OBJECT

public:
    explicit CTableViewerDlg(TableDescriptor descriptor, QWidget* parent = nullptr);

    TableListView* list() const { return m_list; }
    const TableDescriptor& descriptor() const { return m_descriptor; }

public slots:
    void Refresh();

protected:
    // Above the list: where a derived viewer puts its own controls.
    QVBoxLayout* extras() const { return m_extras; }
    // Reads of a derived viewer, run with the walk; asked at every Refresh.
    virtual ReadPlan extraReads() { return {}; }
    // Whether a row of the walk is listed; the descriptor's rule by default.
    virtual bool keepRow(const WalkRow& row) const;
    // The session the walk runs on.
    std::shared_ptr<CCommonSNMP> tableSession() const { return m_table; }

private:
    void flushRows();

    TableDescriptor m_descriptor;
    std::shared_ptr<CCommonSNMP> m_table;
    TableListView* m_list = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_refresh = nullptr;
    QVBoxLayout* m_extras = nullptr;
    std::vector<QStringList> m_arrived; // rows of the walk not listed yet
    QTimer* m_flush = nullptr;
    bool m_fitColumns = false; // the next rows listed are the walk's first
};

} // namespace kx
