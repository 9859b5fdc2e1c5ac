#include "ui/kit/EditHelpers.h"

#include "base/Prompter.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace kx {

void CutTypedText(QLineEdit* edit, int length, const QString& message)
{
    if (!edit)
        return;
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, length, message](const QString& text) {
        if (text.size() <= length)
            return;
        const int caret = std::min(edit->cursorPosition(), length);
        edit->setText(text.left(length));
        edit->setCursorPosition(caret);
        if (!message.isEmpty()) {
            QPointer<QLineEdit> alive(edit);
            GetPrompter().message(message);
            if (alive)
                alive->setCursorPosition(caret);
        }
    });
}

void MakeDigitsOnly(QLineEdit* edit)
{
    if (!edit)
        return;
    static const QRegularExpression digits(QStringLiteral("[0-9]*"));
    edit->setValidator(new QRegularExpressionValidator(digits, edit));
}

WaitCursor::WaitCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

} // namespace kx
