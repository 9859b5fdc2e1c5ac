#include "ui/kit/Form.h"

#include "ui/kit/EditHelpers.h"
#include "ui/kit/IpAddressEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

namespace kx {

Form::Form(QWidget* owner, QGridLayout* grid) : m_owner(owner), m_grid(grid), m_fieldParent(owner) {}

Form Form::Stacked(QWidget* owner)
{
    auto* column = new QVBoxLayout(owner);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);
    Form form(owner, grid);
    form.m_column = column;
    form.m_windowGrid = grid;
    return form;
}

QVBoxLayout* Form::column() const
{
    return m_groupColumn ? m_groupColumn : m_column;
}

QGroupBox* Form::group(const QString& title)
{
    auto* box = new QGroupBox(title, m_owner);
    m_column->addWidget(box);
    m_groupColumn = new QVBoxLayout(box);
    m_grid = new QGridLayout;
    m_grid->setColumnStretch(1, 1);
    m_groupColumn->addLayout(m_grid);
    m_row = 0;
    m_fieldParent = box;
    return box;
}

void Form::endGroup()
{
    m_groupColumn = nullptr;
    m_grid = m_windowGrid;
    m_row = m_grid ? m_grid->rowCount() : 0;
    m_fieldParent = m_owner;
}

void Form::add(QWidget* widget)
{
    column()->addWidget(widget);
}

void Form::add(QLayout* layout)
{
    column()->addLayout(layout);
}

void Form::buttonRow(const QList<QPushButton*>& right, const QList<QPushButton*>& left)
{
    m_column->addLayout(ButtonRow(right, left));
}

QList<QRadioButton*> Form::radioRow(const QStringList& texts)
{
    auto* row = new QHBoxLayout;
    QList<QRadioButton*> buttons;
    for (const QString& text : texts) {
        auto* button = new QRadioButton(m_mnemonics.assign(text), m_fieldParent);
        NameControl(button, text);
        row->addWidget(button);
        buttons << button;
    }
    row->addStretch();
    if (m_grid)
        m_grid->addLayout(row, m_row++, 0, 1, 2);
    return buttons;
}

void Form::ConnectClicked(QPushButton* button, std::function<void()> onClick)
{
    QObject::connect(button, &QPushButton::clicked, button, [onClick = std::move(onClick)] { onClick(); });
}

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
    place(MakeBuddyLabel(label, control, m_fieldParent, &m_mnemonics), control);
    return control;
}

QLabel* Form::unit(const QString& text)
{
    auto* label = new QLabel(text, m_fieldParent);
    if (m_grid && m_lastControl)
        m_grid->addWidget(label, m_row - 1, 2);
    return label;
}

QLineEdit* Form::edit(const QString& label, const FieldOptions& options)
{
    auto* edit = new QLineEdit(m_fieldParent);
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
    auto* combo = new QComboBox(m_fieldParent);
    combo->addItems(items);
    field(label, combo);
    return combo;
}

IpAddressEdit* Form::ipAddress(const QString& label)
{
    auto* edit = new IpAddressEdit(m_fieldParent);
    field(label, edit);
    return edit;
}

QCheckBox* Form::check(const QString& text)
{
    auto* box = new QCheckBox(m_mnemonics.assign(text), m_fieldParent);
    NameControl(box, text);
    place(nullptr, box);
    return box;
}

QRadioButton* Form::radio(const QString& text)
{
    auto* button = new QRadioButton(m_mnemonics.assign(text), m_fieldParent);
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
