#include "ui/kit/MessageBoxPrompter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QThread>

namespace kx {

namespace {

bool OnUiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

QMessageBox::Icon ToIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

bool Show(const QString& text, PromptIcon icon, bool isQuestion)
{
    Q_ASSERT_X(OnUiThread(), "kx::MessageBoxPrompter", "message box requested off the UI thread");
    if (!OnUiThread()) {
        qCritical("kx::MessageBoxPrompter: message box requested off the UI thread; not shown");
        return false;
    }
    QMessageBox box(ToIcon(icon), QGuiApplication::applicationDisplayName(), text,
                    isQuestion ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    MessageBoxPrompter::OwnerWindow());
    const QMessageBox::StandardButton safe = isQuestion ? QMessageBox::Cancel : QMessageBox::Ok;
    box.setDefaultButton(safe);
    box.setEscapeButton(safe);
    box.setObjectName(QStringLiteral("kxMessageBox"));
    box.setAccessibleName(text);
    // A handler running with a wait cursor must not leave the user an hourglass
    // over a box that waits for them.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    QGuiApplication::restoreOverrideCursor();
    return box.clickedButton() == box.button(QMessageBox::Ok);
}

} // namespace

QWidget* MessageBoxPrompter::OwnerWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void MessageBoxPrompter::message(const QString& text, PromptIcon icon)
{
    Show(text, icon, false);
}

bool MessageBoxPrompter::question(const QString& text, PromptIcon icon)
{
    return Show(text, icon, true);
}

} // namespace kx
