#include "WidgetTestSupport.h"

#include "dialogs/common/Accessibility.h"
#include "dialogs/common/EditHelpers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {

using kxtest::WidgetTest;

class Edits : public WidgetTest
{
protected:
    void SetUp() override
    {
        edit = new QLineEdit(&window);
        edit->setGeometry(10, 10, 200, 24);
        WidgetTest::SetUp();
        edit->setFocus();
    }
    QLineEdit* edit = nullptr;
};

TEST_F(Edits, TypedTextIsCutToItsLengthWithTheCaretKept)
{
    kx::CutTypedText(edit, 5);
    QTest::keyClicks(edit, "123456");
    EXPECT_EQ(edit->text(), "12345");
    EXPECT_EQ(edit->cursorPosition(), 5);

    edit->setCursorPosition(2);
    QTest::keyClicks(edit, "9");
    EXPECT_EQ(edit->text(), "12934");
    EXPECT_EQ(edit->cursorPosition(), 3);

    QGuiApplication::clipboard()->setText(QStringLiteral("abcdefgh"));
    edit->selectAll();
    QTest::keySequence(edit, QKeySequence::Paste);
    EXPECT_EQ(edit->text(), "abcde");
    EXPECT_TRUE(prompter.texts().isEmpty());

    edit->setText(QStringLiteral("longer than five"));  // what the program sets stays whole
    EXPECT_EQ(edit->text(), "longer than five");
}

TEST_F(Edits, ACutCanCarryTheDialogsMessage)
{
    const QString message = QStringLiteral("The maximum length of file name is 64!");
    kx::CutTypedText(edit, 64, message);
    QTest::keyClicks(edit, QString(65, QLatin1Char('f')));
    EXPECT_EQ(edit->text(), QString(64, QLatin1Char('f')));
    EXPECT_EQ(edit->cursorPosition(), 64);
    EXPECT_EQ(prompter.texts(), QStringList{message});
}

TEST_F(Edits, DigitsOnly)
{
    kx::MakeDigitsOnly(edit);
    QTest::keyClicks(edit, "1a2-3 .4");
    EXPECT_EQ(edit->text(), "1234");
    QGuiApplication::clipboard()->setText(QStringLiteral("56x"));
    QTest::keySequence(edit, QKeySequence::Paste);
    EXPECT_EQ(edit->text(), "1234");
}

TEST(WaitCursor, NestsAndRestores)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        kx::WaitCursor outer;
        {
            kx::WaitCursor inner;
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// --- names and mnemonics -----------------------------------------------------------------------

TEST(Names, StripMnemonic)
{
    const std::pair<const char*, const char*> cases[] = {
        {"&Apply", "Apply"}, {"Host IP:", "Host IP:"}, {"Save && Exit", "Save & Exit"},
        {"&View Multicast Entry ", "View Multicast Entry "}, {"A&", "A&"}, {"", ""},
    };
    for (const auto& [text, name] : cases)
        EXPECT_EQ(kx::StripMnemonic(QString::fromLatin1(text)), QLatin1String(name)) << text;
}

TEST(Names, EachLabelOfAWindowGetsItsOwnMnemonic)
{
    kx::MnemonicSet set;
    EXPECT_EQ(set.assign("&Apply"), "&Apply");
    EXPECT_EQ(set.assign("Address:"), "A&ddress:");
    EXPECT_EQ(set.assign("Host IP:"), "&Host IP:");
    EXPECT_EQ(set.assign("host 2:"), "h&ost 2:");
    EXPECT_EQ(set.assign("UDP Port(1-65535):"), "&UDP Port(1-65535):");
    EXPECT_EQ(set.assign("Do"), "Do");  // nothing left
    EXPECT_EQ(set.assign("R&&D"), "&R&&D");
    EXPECT_TRUE(set.isTaken(QLatin1Char('r')));
}

TEST_F(Edits, BuddyLabelsNameTheirControlAndTakeItThere)
{
    auto* button = new QPushButton(QStringLiteral("&Apply"), &window);
    kx::NameControl(button, button->text());
    kx::MnemonicSet mnemonics;
    mnemonics.assign(button->text());
    auto* port = new QLineEdit(&window);
    QLabel* label = kx::MakeBuddyLabel(QStringLiteral("UDP Port(1-65535):"), port, &window, &mnemonics);
    QLabel* again = kx::MakeBuddyLabel(QStringLiteral("Alias:"), edit, &window, &mnemonics);
    for (QWidget* w : {static_cast<QWidget*>(button), static_cast<QWidget*>(port),
                       static_cast<QWidget*>(label), static_cast<QWidget*>(again)})
        w->show();

    EXPECT_EQ(kx::FindControl<QPushButton>(&window, "&Apply"), button);
    EXPECT_EQ(button->accessibleName(), "Apply");
    EXPECT_EQ(kx::FindControl<QLineEdit>(&window, "UDP Port(1-65535):"), port);
    EXPECT_EQ(label->buddy(), port);
    EXPECT_EQ(again->text(), "A&lias:");

    QTest::keyClick(&window, Qt::Key_U, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), port);
    QTest::keyClick(&window, Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

} // namespace
