#include "ui/kit/Accessibility.h"

#include "ui/kit/IpAddressEdit.h"

namespace kx {

namespace {

// The character a "&" in `text` marks, or a null QChar.
QChar MnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1];
        ++i;  // "&&" is a literal "&"
    }
    return {};
}

} // namespace

QString StripMnemonic(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

void NameControl(QWidget* control, const QString& text)
{
    if (!control)
        return;
    const QString name = StripMnemonic(text);
    control->setAccessibleName(name);
    control->setObjectName(name);
    // Its four fields are what a screen reader lands on.
    if (auto* ip = qobject_cast<IpAddressEdit*>(control))
        ip->setFieldNames(name);
}

QString MnemonicSet::assign(const QString& text)
{
    const QChar own = MnemonicOf(text);
    if (!own.isNull()) {
        m_taken.insert(own.toLower());
        return text;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isLetterOrNumber() && !isTaken(c)) {
            m_taken.insert(c.toLower());
            QString out = text;
            out.insert(i, QLatin1Char('&'));
            return out;
        }
        if (c == QLatin1Char('&'))
            ++i;
    }
    return text;
}

QLabel* MakeBuddyLabel(const QString& text, QWidget* buddy, QWidget* parent, MnemonicSet* mnemonics)
{
    QString shown = text;
    if (mnemonics) {
        shown = mnemonics->assign(text);
    } else if (MnemonicOf(text).isNull()) {
        MnemonicSet own;
        shown = own.assign(text);
    }
    auto* label = new QLabel(shown, parent);
    label->setBuddy(buddy);
    if (buddy && buddy->accessibleName().isEmpty())
        NameControl(buddy, text);
    return label;
}

} // namespace kx
