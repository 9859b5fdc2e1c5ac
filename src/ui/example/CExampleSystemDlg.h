#pragma once

#include "core/example/ExampleSystemLogic.h"
#include "ui/kit/ConfigDialog.h"

class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
}

// The worked example of the dialog framework (see ExampleSystemLogic.h).
class CExampleSystemDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CExampleSystemDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnInterfaceRow(const kx::WalkRow& row);
    void OnApply();

    // The sessions, named after their members; closed in this order.
    CCommonSNMP& m_cCommonSNMP = *addSession(QStringLiteral("m_cCommonSNMP"));
    CCommonSNMP& m_cCommonSNMPSet = *addSession(QStringLiteral("m_cCommonSNMPSet"));
    kx::TableWalker m_interfaces{addSession(QStringLiteral("m_cCommonSNMPTable")), this};

    // What was last read: the one snapshot Apply compares with.
    kx::example::SystemIdentity m_lastRead;

    QLineEdit* m_name = nullptr;
    QLineEdit* m_contact = nullptr;
    QLineEdit* m_location = nullptr;
    kx::GridListView* m_list = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_apply = nullptr;
};
