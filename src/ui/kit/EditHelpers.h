#pragma once

// Behaviours the dialogs give their edit fields, and the wait cursor of the
// handlers that run one.

#include <QString>

class QLineEdit;

namespace kx {

// Whenever the user's typing or pasting makes the text longer than `length`, it is
// cut back to its first `length` characters and the caret stays where it was (at
// most at the end). When `message` is not empty it is shown after each cut.
void CutTypedText(QLineEdit* edit, int length, const QString& message = QString());

// Only the digits 0-9 can be typed or pasted.
void MakeDigitsOnly(QLineEdit* edit);

// The wait cursor for as long as the guard lives (UI thread only). Message boxes
// shown meanwhile still get the normal cursor.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace kx
