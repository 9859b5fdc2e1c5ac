#pragma once

#include "core/snmpadmin/CSnmpAdminModel.h"
#include "ui/kit/ConfigDialog.h"
#include "ui/kit/Form.h"

#include <QPushButton>
#include <QSize>

#include <functional>

class QGridLayout;
class QWidget;

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

    // The table dialogs' frame: a list, a grid of fields under it and the row
    // "&Apply", "&Delete", "&Refresh" ... "&Close". The buttons are made first,
    // so that they keep their mnemonics whatever the fields are called.
    struct Table
    {
        kx::Form form;
        QGridLayout* grid;
        QPushButton *apply, *remove, *refresh, *close;
    };
    Table BeginTable();
    static void Place(const Table& t, int row, int pair) { Place(t.grid, t.form, row, pair); }
    // Stacks `list`, the grid and the buttons; Close rejects, the other three
    // call the dialog's handlers. Returns those three: they wait for every read.
    template <class Dialog>
    QList<QWidget*> EndTable(const Table& t, QWidget* list, QSize size, void (Dialog::*apply)(),
                             void (Dialog::*remove)(), void (Dialog::*refresh)())
    {
        auto* dialog = static_cast<Dialog*>(this);
        connect(t.apply, &QPushButton::clicked, dialog, apply);
        connect(t.remove, &QPushButton::clicked, dialog, remove);
        connect(t.refresh, &QPushButton::clicked, dialog, refresh);
        return StackTable(t, list, size);
    }

    // A child of the dialog: it outlives the dialog's own close of its sessions.
    CSnmpAdminModel* const m_model;

private:
    QList<QWidget*> StackTable(const Table& t, QWidget* list, QSize size);
};
