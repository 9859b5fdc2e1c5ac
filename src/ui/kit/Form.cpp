#include "ui/kit/Form.h"

#include "ui/kit/EditHelpers.h"
#include "ui/kit/IpAddressEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

namespace kx {

Form::Form(QWidget* owner, QGridLayout* grid) : m_owner(owner), m_grid(grid) {}

Form& Form::reserve(const QStringList& texts)
{
    for (const QString& text : texts)
        m_mnemonics.assign(text);
    return *this;
}

void Form::place(QLabel* label, QWidget* control)
{
    m_lastLabel = label;
    m_lastControl = control;
    if (!m_grid)
        return;
    if (label)
        m_grid->addWidget(label, m_row, 0);
    m_grid->addWidget(control, m_row, label ? 1 : 0, 1, label ? 1 : 2);
    ++m_row;
}

QWidget* Form::field(const QString& label, QWidget* control)
{
    place(MakeBuddyLabel(label, control, m_owner, &m_mnemonics), control);
    return control;
}

QLineEdit* Form::edit(const QString& label, const FieldOptions& options)
{
    auto* edit = new QLineEdit(m_owner);
    if (options.maxLength > 0)
        CutTypedText(edit, options.maxLength, options.cutMessage);
    if (options.digitsOnly)
        MakeDigitsOnly(edit);
    edit->setReadOnly(options.readOnly);
    field(label, edit);
    return edit;
}

QComboBox* Form::combo(const QString& label, const QStringList& items)
{
    auto* combo = new QComboBox(m_owner);
    combo->addItems(items);
    field(label, combo);
    return combo;
}

IpAddressEdit* Form::ipAddress(const QString& label)
{
    auto* edit = new IpAddressEdit(m_owner);
    field(label, edit);
    return edit;
}

QCheckBox* Form::check(const QString& text)
{
    auto* box = new QCheckBox(m_mnemonics.assign(text), m_owner);
    NameControl(box, text);
    place(nullptr, box);
    return box;
}

QRadioButton* Form::radio(const QString& text)
{
    auto* button = new QRadioButton(m_mnemonics.assign(text), m_owner);
    NameControl(button, text);
    place(nullptr, button);
    return button;
}

QPushButton* Form::button(const QString& text, const QString& name)
{
    auto* b = new QPushButton(text, m_owner);
    m_mnemonics.assign(text);
    NameControl(b, name.isEmpty() ? text : name);
    b->setAutoDefault(false);
    return b;
}

Form& Form::at(const QRect& label, const QRect& control)
{
    if (m_lastLabel)
        m_lastLabel->setGeometry(label);
    return at(control);
}

Form& Form::at(const QRect& control)
{
    if (m_lastControl)
        m_lastControl->setGeometry(control);
    return *this;
}

QHBoxLayout* Form::ButtonRow(const QList<QPushButton*>& right, const QList<QPushButton*>& left)
{
    auto* row = new QHBoxLayout;
    for (QPushButton* b : left)
        row->addWidget(b);
    row->addStretch();
    for (QPushButton* b : right)
        row->addWidget(b);
    return row;
}

void Bind(DeviceValue& value, QLineEdit* edit)
{
    edit->setText(value.read());
    value.onShow([edit](const QString& text) { edit->setText(text); });
    QObject::connect(edit, &QLineEdit::textChanged, edit, [&value](const QString& text) { value.edit(text); });
}

void Bind(DeviceValue& value, QCheckBox* box, const QString& on, const QString& off)
{
    // A read that ticks or clears the box is not the user's edit: a value the
    // device holds as neither `on` nor `off` stays unchanged.
    auto showing = std::make_shared<bool>(false);
    auto show = [box, on, showing](const QString& text) {
        *showing = true;
        box->setChecked(text == on);
        *showing = false;
    };
    show(value.read());
    value.onShow(show);
    QObject::connect(box, &QCheckBox::toggled, box, [&value, on, off, showing](bool checked) {
        if (!*showing)
            value.edit(checked ? on : off);
    });
}

void Bind(DeviceValue& value, QComboBox* combo, const QStringList& values)
{
    auto show = [combo, values](const QString& text) { combo->setCurrentIndex(values.indexOf(text)); };
    show(value.read());
    value.onShow(show);
    QObject::connect(combo, &QComboBox::activated, combo, [&value, values](int index) {
        if (index >= 0 && index < values.size())
            value.edit(values[index]);
    });
}

} // namespace kx
