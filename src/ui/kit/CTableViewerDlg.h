#pragma once

// A read-only table viewer drawn from a TableDescriptor: the list with the
// descriptor's columns, the count of rows listed, "&Refresh" and "&Close". A
// viewer that shows more (a field read beside the table, a filter) derives
// and adds its controls to extras() and its reads to extraReads().

#include "core/kit/TableDescriptor.h"
#include "ui/kit/ConfigDialog.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace kx {

class GridListView;

class CTableViewerDlg : public ConfigDialog
{
    Q_OBJECT

public:
    explicit CTableViewerDlg(TableDescriptor descriptor, QWidget* parent = nullptr);

    GridListView* list() const { return m_list; }
    const TableDescriptor& descriptor() const { return m_descriptor; }

public slots:
    void Refresh();

protected:
    // Above the list: where a derived viewer puts its own controls.
    QVBoxLayout* extras() const { return m_extras; }
    // Reads of a derived viewer, run with the walk.
    virtual ReadPlan extraReads() { return {}; }
    // The session the walk runs on.
    std::shared_ptr<CCommonSNMP> tableSession() const { return m_table; }

private:
    TableDescriptor m_descriptor;
    std::shared_ptr<CCommonSNMP> m_table;
    GridListView* m_list = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_refresh = nullptr;
    QVBoxLayout* m_extras = nullptr;
};

} // namespace kx
