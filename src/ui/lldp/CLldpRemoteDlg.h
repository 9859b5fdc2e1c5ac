#pragma once

// "LLDP Remote Port Information": the neighbours the switch has learnt.

#include "ui/kit/ConfigDialog.h"

class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
}

class CLldpRemoteDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CLldpRemoteDlg(QWidget* parent = nullptr);

private:
    void Refresh();

    std::shared_ptr<CCommonSNMP> m_cCommonSNMPEnabled = addSession(QStringLiteral("m_cCommonSNMPEnabled"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));

    QLineEdit* m_count = nullptr;
    kx::GridListView* m_list = nullptr;
    QPushButton* m_refresh = nullptr;
    // Under v1 a disabled LLDP state keeps the list and Refresh off.
    bool m_stateOff = false;
    bool m_walkEnded = false;
};
