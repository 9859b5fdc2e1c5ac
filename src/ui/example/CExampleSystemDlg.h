#pragma once

#include "core/example/ExampleSystemLogic.h"
#include "ui/kit/ConfigDialog.h"

class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
}

// The worked example of the dialog kit (see ExampleSystemLogic.h).
class CExampleSystemDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CExampleSystemDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();

    // The sessions, named after their members; closed in this order.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = addSession(QStringLiteral("m_cCommonSNMPTable"));

    kx::example::SystemIdentity m_identity;

    QLineEdit* m_name = nullptr;
    kx::GridListView* m_list = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_apply = nullptr;
};
