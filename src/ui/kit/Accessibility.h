#pragma once

// Names for assistive technology and automation. A control is known by the text
// the dialog shows for it ("&Apply", "Host IP:"): that text, without its mnemonic
// marker, is its accessible name and its objectName.

#include <QLabel>
#include <QObject>
#include <QSet>
#include <QString>
#include <QWidget>

namespace kx {

// "&Apply" -> "Apply", "Save && Exit" -> "Save & Exit".
QString StripMnemonic(const QString& text);

// Gives the control the text, mnemonic removed, as accessible name and objectName.
void NameControl(QWidget* control, const QString& text);

// The mnemonic letters taken in one window, so that each label gets its own.
class MnemonicSet
{
public:
    // The text with a mnemonic: its own when it has one (which is then taken),
    // else "&" before its first letter or digit not taken yet. Unchanged when
    // every letter and digit of it is taken.
    QString assign(const QString& text);
    bool isTaken(QChar c) const { return m_taken.contains(c.toLower()); }

private:
    QSet<QChar> m_taken;
};

// A label showing `text` with a mnemonic (unique within `mnemonics` when given)
// whose buddy is `buddy`. The buddy is named after the text unless it already
// has an accessible name.
QLabel* MakeBuddyLabel(const QString& text, QWidget* buddy, QWidget* parent,
                       MnemonicSet* mnemonics = nullptr);

// The control under `root` that NameControl named after `text`.
template<class T = QWidget>
T* FindControl(const QObject* root, const QString& text)
{
    return root->findChild<T*>(StripMnemonic(text));
}

} // namespace kx
