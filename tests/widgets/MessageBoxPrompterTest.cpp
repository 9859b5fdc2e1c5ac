#include "dialogs/common/EditHelpers.h"
#include "dialogs/common/MessageBoxPrompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <thread>

namespace {

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

// Waits for the prompter's box, records it and lets `answer` close it.
void WhenBoxShown(Seen& seen, std::function<void(QMessageBox*)> answer)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, &seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        seen.shown = true;
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.parent = box->parentWidget();
        if (const QCursor* c = QGuiApplication::overrideCursor())
            seen.cursor = c->shape();
        answer(box);
    });
    timer->start();
}

const std::function<void(QMessageBox*)> kEnter = [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Return); };
const std::function<void(QMessageBox*)> kEscape = [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); };
const std::function<void(QMessageBox*)> kClickOk = [](QMessageBox* b) {
    QTest::mouseClick(b->button(QMessageBox::Ok), Qt::LeftButton);
};
const std::function<void(QMessageBox*)> kClickCancel = [](QMessageBox* b) {
    QTest::mouseClick(b->button(QMessageBox::Cancel), Qt::LeftButton);
};
const std::function<void(QMessageBox*)> kClose = [](QMessageBox* b) { b->close(); };

TEST(MessageBoxPrompter, QuestionsAnswerOkOnlyWhenOkIsChosen)
{
    struct Case
    {
        const char* name;
        std::function<void(QMessageBox*)> answer;
        bool result;
    } const cases[] = {
        {"Enter takes the default, Cancel", kEnter, false},
        {"Escape", kEscape, false},
        {"closing the box", kClose, false},
        {"Cancel", kClickCancel, false},
        {"OK", kClickOk, true},
    };
    kx::MessageBoxPrompter prompter;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Seen seen;
        WhenBoxShown(seen, c.answer);
        EXPECT_EQ(prompter.question(QStringLiteral("Make sure?")), c.result);
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
        EXPECT_EQ(seen.text, "Success!");
    }
    // A warning question keeps its icon.
    Seen seen;
    WhenBoxShown(seen, kEnter);
    EXPECT_FALSE(prompter.question(QStringLiteral("Reset?"), kx::PromptIcon::Warning));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
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
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
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
    bool answer = true;
    std::thread worker([&] {
        prompter.message(QStringLiteral("from a worker"));
        answer = prompter.question(QStringLiteral("from a worker?"));
    });
    worker.join();
    EXPECT_FALSE(answer);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()
                || std::none_of(QApplication::topLevelWidgets().begin(), QApplication::topLevelWidgets().end(),
                                [](QWidget* w) { return qobject_cast<QMessageBox*>(w); }));
}

} // namespace
