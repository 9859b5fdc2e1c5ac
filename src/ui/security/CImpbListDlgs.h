#pragma once

// "White List" (the hosts bindings permit) and "Black List" (the hosts the
// switch blocks), each on its own CImpbModel.

#include "core/security/CImpbModel.h"
#include "ui/kit/ConfigDialog.h"

#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
}

class CImpbWhiteListDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CImpbWhiteListDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnDelete();

    CImpbModel* m_model;
    kx::GridListView* m_list = nullptr;
    QLabel* m_total = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_refresh = nullptr;
};

class CImpbBlackListDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CImpbBlackListDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void ShowVisible();
    void OnFind();
    void OnDelete();

    CImpbModel* m_model;
    // Every walked row (slot order) and whether Find left it visible.
    std::vector<std::pair<QStringList, bool>> m_rows;
    kx::GridListView* m_list = nullptr;
    QLabel* m_total = nullptr;
    QLineEdit* m_vid = nullptr;
    QLineEdit* m_ip = nullptr;
    QLineEdit* m_mac = nullptr;
    QLineEdit* m_port = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_refresh = nullptr;
};
