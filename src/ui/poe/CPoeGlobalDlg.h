#pragma once

// "PoE Global Settings": the system power threshold, the order in which ports
// lose power, and the live budget figures as the device words them.

#include "core/poe/PoeLogic.h"
#include "ui/kit/ConfigDialog.h"

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

class CPoeGlobalDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CPoeGlobalDlg(QWidget* parent = nullptr);

private:
    void ReadFigures();
    void Show(int field, const QString& text);
    void OnApply();

    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));

    const QString m_model;
    kx::poe::PoeGlobalValues m_values;

    QLineEdit* m_threshold = nullptr;
    QComboBox* m_sequence = nullptr;
    std::array<QLineEdit*, 4> m_figures{};
    QPushButton* m_apply = nullptr;
};
