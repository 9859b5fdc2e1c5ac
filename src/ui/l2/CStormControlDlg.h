#pragma once

// "Storm Control": the device-wide storm filter, which traffic it limits and
// its threshold in steps of the model's unit. Either Apply writes what changed.

#include "core/l2/CStormControlModel.h"
#include "ui/kit/ConfigDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class CStormControlDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CStormControlDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void Show(const QStringList& record);
    void FollowCheck();
    void OnApply();

    const int m_unit;
    CStormControlModel* m_model; // a child: it goes after the dialog's write has ended
    kx::l2::StormValues m_read;  // the texts last read

    QCheckBox* m_enable = nullptr;
    QComboBox* m_type = nullptr;
    QLineEdit* m_n = nullptr;
    QLineEdit* m_result = nullptr;
    QPushButton* m_applyState = nullptr;
    QPushButton* m_applyThreshold = nullptr;
    QPushButton* m_refresh = nullptr;
};
