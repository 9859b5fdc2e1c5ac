#pragma once

#include "ui/kit/ConfigDialog.h"

class QLineEdit;
class QPushButton;

// "System Information": the MIB-II system group read in one get; the name and
// the location written together in one set.
class CSystemInfoDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CSystemInfoDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();

    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));

    // In the order of the objects read.
    QLineEdit* m_description = nullptr;
    QLineEdit* m_objectId = nullptr;
    QLineEdit* m_runtime = nullptr;
    QLineEdit* m_contact = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_location = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_apply = nullptr;
};
