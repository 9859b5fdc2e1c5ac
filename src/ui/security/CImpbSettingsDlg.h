#pragma once

#include "core/security/CImpbModel.h"
#include "ui/kit/ConfigDialog.h"

class QComboBox;
class QPushButton;

namespace kx {
class GridListView;
class PortRangePair;
} // namespace kx

// "Smart Binding Settings": how each port enforces IP-MAC-port bindings, set
// for a range of ports at a time.
class CImpbSettingsDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CImpbSettingsDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();

    CImpbModel* m_model;
    const int m_portCount;
    kx::GridListView* m_list = nullptr;
    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
    kx::PortRangePair* m_range = nullptr;
    QComboBox* m_admin = nullptr;
    QComboBox* m_mode = nullptr;
    QComboBox* m_dhcp = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_refresh = nullptr;
};
