#include "WidgetTestSupport.h"

#include "ui/kit/Accessibility.h"
#include "ui/kit/EditHelpers.h"

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
    QGuiApplication::clipboard()->setText(QStringLiteral("56x"));
    QTest::keySequence(edit, QKeySequence::Paste);
    EXPECT_EQ(edit->text(), "1234");
}

TEST(WaitCursor, NestsAndRestores)
{
    {
        kx::WaitCursor outer;
        { kx::WaitCursor inner; }
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Names, MnemonicsAreStrippedForNamesAndUniqueWithinAWindow)
{
    const std::pair<const char*, const char*> names[] = {
        {"&Apply", "Apply"}, {"Host IP:", "Host IP:"}, {"Save && Exit", "Save & Exit"}, {"A&", "A&"},
    };
    for (const auto& [text, name] : names)
        EXPECT_EQ(kx::StripMnemonic(QString::fromLatin1(text)), QLatin1String(name)) << text;

    kx::MnemonicSet set;
    const std::pair<const char*, const char*> labels[] = {
        {"&Apply", "&Apply"}, {"Address:", "A&ddress:"}, {"Host IP:", "&Host IP:"},
        {"host 2:", "h&ost 2:"}, {"Do", "Do"} /* nothing left */, {"R&&D", "&R&&D"},
    };
    for (const auto& [text, shown] : labels)
        EXPECT_EQ(set.assign(QString::fromLatin1(text)), QLatin1String(shown)) << text;
}

TEST_F(Edits, BuddyLabelsNameTheirControlAndTakeTheFocusThere)
{
    auto* button = new QPushButton(QStringLiteral("&Apply"), &window);
    kx::NameControl(button, button->text());
    kx::MnemonicSet mnemonics;
    mnemonics.assign(button->text());
    auto* port = new QLineEdit(&window);
    QLabel* label = kx::MakeBuddyLabel(QStringLiteral("UDP Port(1-65535):"), port, &window, &mnemonics);
    QLabel* alias = kx::MakeBuddyLabel(QStringLiteral("Alias:"), edit, &window, &mnemonics);
    for (QWidget* w : std::initializer_list<QWidget*>{button, port, label, alias})
        w->show();

    EXPECT_EQ(kx::FindControl<QPushButton>(&window, "&Apply"), button);
    EXPECT_EQ(kx::FindControl<QLineEdit>(&window, "UDP Port(1-65535):"), port);
    EXPECT_EQ(alias->text(), "A&lias:");
    QTest::keyClick(&window, Qt::Key_U, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), port);
    QTest::keyClick(&window, Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

} // namespace
