#include "ui/kit/IpAddressEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QValidator>

#include <algorithm>

namespace kx {

namespace {

// Up to three digits worth at most 255; anything else never reaches the field.
class OctetValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        if (input.size() > 3 || !std::all_of(input.begin(), input.end(), [](QChar c) {
                return c >= u'0' && c <= u'9';
            }))
            return Invalid;
        if (input.isEmpty())
            return Intermediate;
        return input.toInt() <= 255 ? Acceptable : Invalid;
    }
};

} // namespace

IpAddressEdit::IpAddressEdit(QWidget* parent) : QFrame(parent)
{
    // One sunken box holding frameless fields, so that it reads as one control.
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    const int digitsWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        auto* edit = new QLineEdit(this);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaxLength(3);
        edit->setValidator(new OctetValidator(edit));
        edit->setMinimumWidth(digitsWidth);
        edit->installEventFilter(this);
        layout->addWidget(edit, 1);
        m_fields[static_cast<size_t>(i)] = edit;
        connect(edit, &QLineEdit::textChanged, this, &IpAddressEdit::addressChanged);
        connect(edit, &QLineEdit::textEdited, this, [this, i, edit](const QString& text) {
            if (text.size() == 3 && edit->cursorPosition() == 3 && i < 3)
                focusField(i + 1, false);
        });
    }
    setFocusProxy(m_fields[0]);
    setFocusPolicy(Qt::StrongFocus);
    setFieldNames(tr("IP address"));
}

int IpAddressEdit::filledFieldCount() const
{
    int count = 0;
    for (const QLineEdit* edit : m_fields)
        count += edit->text().isEmpty() ? 0 : 1;
    return count;
}

int IpAddressEdit::field(int index) const
{
    if (index < 0 || index > 3)
        return -1;
    bool ok = false;
    const int value = m_fields[static_cast<size_t>(index)]->text().toInt(&ok);
    return ok ? value : -1;
}

void IpAddressEdit::setField(int index, int value)
{
    if (index < 0 || index > 3)
        return;
    m_fields[static_cast<size_t>(index)]->setText(value >= 0 && value <= 255 ? QString::number(value)
                                                                               : QString());
}

QString IpAddressEdit::text() const
{
    QStringList parts;
    for (int i = 0; i < 4; ++i)
        parts << QString::number(std::max(field(i), 0));
    return parts.join(QLatin1Char('.'));
}

bool IpAddressEdit::setText(const QString& dotted)
{
    const QStringList parts = dotted.trimmed().split(QLatin1Char('.'));
    bool all = parts.size() == 4;
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const QString part = i < parts.size() ? parts[i] : QString();
        const int value = part.toInt(&ok);
        ok = ok && part.size() <= 3 && value >= 0 && value <= 255
             && std::all_of(part.begin(), part.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        setField(i, ok ? value : -1);
        all = all && ok;
    }
    return all;
}

quint32 IpAddressEdit::address() const
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<quint32>(std::max(field(i), 0));
    return value;
}

void IpAddressEdit::setAddress(quint32 address)
{
    for (int i = 0; i < 4; ++i)
        setField(i, static_cast<int>((address >> (24 - 8 * i)) & 0xffu));
}

void IpAddressEdit::clear()
{
    for (QLineEdit* edit : m_fields)
        edit->clear();
}

void IpAddressEdit::setFieldNames(const QString& name)
{
    QString base = name.trimmed();
    while (base.endsWith(QLatin1Char(':')))
        base.chop(1);
    for (int i = 0; i < 4; ++i)
        m_fields[static_cast<size_t>(i)]->setAccessibleName(
            tr("%1, field %2 of 4").arg(base.trimmed()).arg(i + 1));
}

int IpAddressEdit::indexOf(const QObject* edit) const
{
    for (int i = 0; i < 4; ++i)
        if (m_fields[static_cast<size_t>(i)] == edit)
            return i;
    return -1;
}

void IpAddressEdit::focusField(int index, bool atEnd)
{
    QLineEdit* edit = m_fields[static_cast<size_t>(index)];
    edit->setFocus(Qt::OtherFocusReason);
    if (atEnd)
        edit->setCursorPosition(edit->text().size());
    else
        edit->selectAll();
}

bool IpAddressEdit::eventFilter(QObject* watched, QEvent* event)
{
    const int index = indexOf(watched);
    if (index < 0 || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QLineEdit* edit = m_fields[static_cast<size_t>(index)];
    const bool atStart = edit->cursorPosition() == 0 && !edit->hasSelectedText();
    const bool atEnd = edit->cursorPosition() == edit->text().size() && !edit->hasSelectedText();
    switch (key->key()) {
    case Qt::Key_Period:
        if (index < 3 && !edit->text().isEmpty())
            focusField(index + 1, false);
        return true;  // a dot is never part of a field
    case Qt::Key_Backspace:
    case Qt::Key_Left:
        if (atStart && index > 0) {
            focusField(index - 1, true);
            return true;
        }
        break;
    case Qt::Key_Right:
        if (atEnd && index < 3) {
            focusField(index + 1, false);
            m_fields[static_cast<size_t>(index + 1)]->setCursorPosition(0);
            return true;
        }
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace kx
