#include "ui/kit/EditHelpers.h"
#include "ui/kit/MessageBoxPrompter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <thread>

namespace {

using Answer = std::function<void(QMessageBox*)>;

// What a test saw of the box while it was up.
struct Seen
{
    bool shown = false;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QWidget* parent = nullptr;
    Qt::CursorShape cursor = Qt::BlankCursor;
};

// Waits for the prompter's box, records it and lets `answer` close it. The timer
// goes with the box; a caller expecting no box deletes it.
QPointer<QTimer> WhenBoxShown(Seen& seen, Answer answer)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, &seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->deleteLater();
        timer->stop();
        const QCursor* cursor = QGuiApplication::overrideCursor();
        seen = {true, box->text(), box->icon(), box->standardButtons(),
                box->standardButton(box->defaultButton()), box->parentWidget(),
                cursor ? cursor->shape() : Qt::BlankCursor};
        answer(box);
    });
    timer->start();
    return timer;
}

const Answer kEnter = [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Return); };
const Answer kEscape = [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); };
const Answer kClose = [](QMessageBox* b) { b->close(); };
Answer Click(QMessageBox::StandardButton which)
{
    return [which](QMessageBox* b) { QTest::mouseClick(b->button(which), Qt::LeftButton); };
}

TEST(MessageBoxPrompter, QuestionsAnswerOkOnlyWhenOkIsChosen)
{
    const std::pair<Answer, bool> cases[] = {
        {kEnter, false}, {kEscape, false}, {kClose, false},
        {Click(QMessageBox::Cancel), false}, {Click(QMessageBox::Ok), true},
    };
    kx::MessageBoxPrompter prompter;
    int n = 0;
    for (const auto& [answer, result] : cases) {
        SCOPED_TRACE(n++);
        Seen seen;
        WhenBoxShown(seen, answer);
        EXPECT_EQ(prompter.question(QStringLiteral("Make sure?")), result);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.text, "Make sure?");
        EXPECT_EQ(seen.icon, QMessageBox::Question);
        EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        EXPECT_EQ(seen.defaultButton, QMessageBox::Cancel);
    }
}

TEST(MessageBoxPrompter, MessagesHaveOkOnlyAndTheGivenIcon)
{
    const std::pair<kx::PromptIcon, QMessageBox::Icon> icons[] = {
        {kx::PromptIcon::Information, QMessageBox::Information},
        {kx::PromptIcon::Warning, QMessageBox::Warning},
        {kx::PromptIcon::Error, QMessageBox::Critical},
        {kx::PromptIcon::None, QMessageBox::NoIcon},
    };
    kx::MessageBoxPrompter prompter;
    for (const auto& [icon, expected] : icons) {
        Seen seen;
        WhenBoxShown(seen, kEscape);
        prompter.message(QStringLiteral("Success!"), icon);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.icon, expected);
        EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

TEST(MessageBoxPrompter, BoxBelongsToTheActiveModalDialogAndShowsTheNormalCursor)
{
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);

    kx::MessageBoxPrompter prompter;
    Seen seen;
    {
        kx::WaitCursor wait;
        WhenBoxShown(seen, kEnter);
        prompter.message(QStringLiteral("Invalid Portlist"));
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(seen.parent, &dialog);
    EXPECT_EQ(seen.cursor, Qt::ArrowCursor);
}

TEST(MessageBoxPrompter, OffTheUiThreadNothingIsShownAndQuestionsCancel)
{
#ifndef QT_NO_DEBUG
    GTEST_SKIP() << "debug builds assert instead";
#endif
    kx::MessageBoxPrompter prompter;
    Seen seen;
    QPointer<QTimer> watch = WhenBoxShown(seen, kEscape);
    bool answer = true;
    std::thread worker([&] { answer = prompter.question(QStringLiteral("from a worker?")); });
    worker.join();
    QTest::qWait(50);
    delete watch.data();
    EXPECT_FALSE(answer);
    EXPECT_FALSE(seen.shown);
}

} // namespace
