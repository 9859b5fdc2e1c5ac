#pragma once

// "BandWidth Control": the transmit and receive rate limits of every port, and
// one rate (or no limit) applied to a range of ports in the chosen directions.

#include "ui/kit/ConfigDialog.h"

class CBandwidthModel;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
class PortRangePair;
} // namespace kx

class CBandwidthDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CBandwidthDlg(QWidget* parent = nullptr);

private:
    // The rate table, and with `groups` the aggregation groups Apply judges by:
    // Apply waits for both.
    void Refresh(bool groups);
    void OnApply();
    // The controls as the dialog opens.
    void ResetControls();
    void FollowNoLimit();

    const int m_portCount;
    CBandwidthModel* m_model; // a child: it goes after the dialog's write has ended

    kx::GridListView* m_list = nullptr;
    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
    kx::PortRangePair* m_range = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_noLimit = nullptr;
    QLineEdit* m_rate = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_refresh = nullptr;
};
