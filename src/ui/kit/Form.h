#pragma once

// Builds a dialog's controls by the house rules: every input gets a buddy label
// with a mnemonic of its own in the window (the buttons' letters are taken
// first), lists and buttons an accessible name, edits their length and digit
// limits. Fields go into a label/control grid, or, where the dialog keeps the
// design's pixel positions, stand where at() puts them.
//
//     kx::Form form(this);
//     form.reserve({"&Refresh", "&Apply", "&Close"});
//     m_name = form.edit("System &Name:", kx::FieldOptions::Limit(127));
//     m_state = form.combo("State:", {"Enabled", "Disabled"}).at({10, 10, 80, 20}, {95, 8, 120, 22});
//
// Bind() ties a control to a DeviceValue: a read shows the value in the
// control, and what the user does to the control becomes the value's edit.

#include "core/kit/DeviceValues.h"
#include "ui/kit/Accessibility.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLayout;
class QVBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace kx {

class IpAddressEdit;

struct FieldOptions
{
    int maxLength = 0;      // typed text is cut back to this many characters
    bool digitsOnly = false;
    bool readOnly = false;
    QString cutMessage;     // shown after each cut

    static FieldOptions Limit(int length, const QString& message = QString())
    {
        FieldOptions o;
        o.maxLength = length;
        o.cutMessage = message;
        return o;
    }
    static FieldOptions Digits(int length = 0)
    {
        FieldOptions o;
        o.maxLength = length;
        o.digitsOnly = true;
        return o;
    }
    static FieldOptions ReadOnly()
    {
        FieldOptions o;
        o.readOnly = true;
        return o;
    }
};

class Form
{
public:
    // `grid`: where fields go as rows (label, control); null to place them with at().
    explicit Form(QWidget* owner, QGridLayout* grid = nullptr);

    // The window's whole layout, top to bottom: a grid of fields, then what
    // add() and buttonRow() append in turn. group() opens a group box whose
    // fields go into a grid of its own until endGroup().
    static Form Stacked(QWidget* owner);
    QGroupBox* group(const QString& title);
    void endGroup();
    void add(QWidget* widget);
    void add(QLayout* layout);
    // Buttons in one row under what is there, on the right; `left` before the stretch.
    void buttonRow(const QList<QPushButton*>& right, const QList<QPushButton*>& left = {});
    // Radio buttons side by side in one row of the fields.
    QList<QRadioButton*> radioRow(const QStringList& texts);
    // A button that runs `onClick` when clicked.
    template<class F>
    QPushButton* action(const QString& text, F onClick)
    {
        QPushButton* b = button(text);
        ConnectClicked(b, std::function<void()>(std::move(onClick)));
        return b;
    }

    // Letters the window's buttons (and other labelled controls) keep.
    Form& reserve(const QStringList& texts);
    MnemonicSet& mnemonics() { return m_mnemonics; }

    QLineEdit* edit(const QString& label, const FieldOptions& options = {});
    QComboBox* combo(const QString& label, const QStringList& items = {});
    IpAddressEdit* ipAddress(const QString& label);
    // Any other input, labelled by the rules.
    QWidget* field(const QString& label, QWidget* control);
    // A unit ("sec") after the last field's control, on its row.
    QLabel* unit(const QString& text);
    // A check box or radio button: its own text carries the mnemonic.
    QCheckBox* check(const QString& text);
    QRadioButton* radio(const QString& text);
    // A push button with an accessible name (its text unless `name` is given),
    // never the default button by accident.
    QPushButton* button(const QString& text, const QString& name = QString());

    // Puts the field made last at the design's pixel positions.
    Form& at(const QRect& label, const QRect& control);
    Form& at(const QRect& control);
    QLabel* lastLabel() const { return m_lastLabel; }
    QWidget* lastControl() const { return m_lastControl; }

    // The buttons on the right of a row, `left` before the stretch.
    static QHBoxLayout* ButtonRow(const QList<QPushButton*>& right, const QList<QPushButton*>& left = {});

private:
    void place(QLabel* label, QWidget* control);
    static void ConnectClicked(QPushButton* button, std::function<void()> onClick);
    QVBoxLayout* column() const;

    QWidget* m_owner;
    QGridLayout* m_grid;
    QVBoxLayout* m_column = nullptr;      // Stacked(): the window's layout
    QGridLayout* m_windowGrid = nullptr;  // its fields, outside any group
    QWidget* m_fieldParent = nullptr;     // the open group box, or the owner
    QVBoxLayout* m_groupColumn = nullptr;
    int m_row = 0;
    MnemonicSet m_mnemonics;
    QLabel* m_lastLabel = nullptr;
    QWidget* m_lastControl = nullptr;
};

// A read shows the value; typing edits it.
void Bind(DeviceValue& value, QLineEdit* edit);
// Ticked is `on`, unticked `off`; a value that is neither shows unticked.
void Bind(DeviceValue& value, QCheckBox* box, const QString& on = QStringLiteral("1"),
          const QString& off = QStringLiteral("2"));
// Entry i stands for values[i]; a value not in the list leaves no entry chosen
// and the value unchanged until the user chooses one.
void Bind(DeviceValue& value, QComboBox* combo, const QStringList& values);

} // namespace kx
