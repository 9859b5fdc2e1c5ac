#pragma once

// "Multicast Entry Table": the multicast groups the switch has learnt, read only,
// each with a running "Group ID".

#include "core/l2/CIgmpSnoopingModel.h"
#include "ui/kit/ConfigDialog.h"

class QPushButton;

namespace kx {
class GridListView;
}

class CMulticastEntryDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CMulticastEntryDlg(QWidget* parent = nullptr);

private:
    void Refresh();

    CIgmpSnoopingModel* m_igmp;
    kx::GridListView* m_list = nullptr;
    QPushButton* m_refresh = nullptr;
};
