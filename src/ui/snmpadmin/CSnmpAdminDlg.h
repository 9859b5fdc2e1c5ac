#pragma once

#include "core/snmpadmin/CSnmpAdminModel.h"
#include "ui/kit/ConfigDialog.h"

#include <functional>

class QGridLayout;
class QPushButton;
class QWidget;

namespace kx {
class Form;
}

// What the SNMP administration dialogs share: the CSnmpAdminModel they embed
// (its four sessions close, traced, when the dialog ends) and the way a change
// runs on it, off the UI thread.
class CSnmpAdminDlg : public kx::ConfigDialog
{
    Q_OBJECT

protected:
    explicit CSnmpAdminDlg(const QString& title, QWidget* parent = nullptr);

    // Runs `sequence` on the model's set session off the UI thread, then
    // `then` on the UI thread. The sequence may use the model's write calls only.
    void change(std::function<void(CSnmpAdminModel&)> sequence, std::function<void()> then);

    // Puts the field the form made last at (row, column pair) of `grid`.
    static void Place(QGridLayout* grid, const kx::Form& form, int row, int pair);

    // A child of the dialog: it outlives the dialog's own close of its sessions.
    CSnmpAdminModel* const m_model;
};
