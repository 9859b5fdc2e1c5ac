// Every dialog of the program can be driven by keyboard and assistive
// technology: a title, a labelled input with a mnemonic for every field, names
// for lists and for buttons without text.

#include "ui/DialogRegistry.h"
#include "ui/kit/ConfigDialog.h"
#include "ui/example/CExampleSystemDlg.h"
#include "tests/support/DialogHarness.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>

using namespace kxtest;

namespace {

// The labels whose buddy is `w` or one of its ancestors below `root` (a
// composite control such as the IP address edit is labelled as a whole).
QLabel* BuddyLabelOf(QWidget* root, QWidget* w)
{
    const auto labels = root->findChildren<QLabel*>();
    for (QWidget* target = w; target && target != root; target = target->parentWidget())
        for (QLabel* label : labels)
            if (label->buddy() == target)
                return label;
    return nullptr;
}

bool IsInput(QWidget* w)
{
    if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
        qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w))
        return true;
    // Line edits inside combo boxes and spin boxes belong to those.
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return !qobject_cast<QComboBox*>(edit->parentWidget()) &&
               !qobject_cast<QAbstractSpinBox*>(edit->parentWidget());
    return false;
}

std::vector<std::string> Problems(QDialog* dialog)
{
    std::vector<std::string> problems;
    auto name = [](QWidget* w) {
        return (w->metaObject()->className() + QStringLiteral(" '") + w->objectName() +
                QStringLiteral("'"))
            .toStdString();
    };
    if (dialog->windowTitle().isEmpty())
        problems.push_back("no window title");
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(dialog))
            continue;
        if (IsInput(w)) {
            QLabel* label = BuddyLabelOf(dialog, w);
            if (!label)
                problems.push_back(name(w) + " has no buddy label");
            else if (!label->text().contains(QLatin1Char('&')))
                problems.push_back(name(w) + "'s label '" + label->text().toStdString() +
                                   "' has no mnemonic");
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(w);
            view && !qobject_cast<QHeaderView*>(w) && view->accessibleName().isEmpty())
            problems.push_back(name(w) + " list has no accessible name");
        if (auto* button = qobject_cast<QAbstractButton*>(w);
            button && button->text().isEmpty() && button->accessibleName().isEmpty() &&
            !BuddyLabelOf(dialog, button))
            problems.push_back(name(w) + " button has neither text nor a name");
    }
    return problems;
}

using Accessibility = SimSuite<>;

TEST_F(Accessibility, EveryDialogLabelsItsInputsAndNamesItsLists)
{
    const kx::DialogRegistry& registry = kx::ProgramDialogs();
    std::vector<std::pair<QString, kx::DialogFactory>> all;
    for (const QString& entry : registry.entries())
        all.emplace_back(entry, registry.find(entry));
    all.emplace_back("Example", [](QWidget* parent) -> QDialog* { return new CExampleSystemDlg(parent); });
    ASSERT_GE(all.size(), 8u);

    // The smallest and the largest device: per-port controls run out of
    // distinct mnemonics on the large one.
    for (int portCount : {8, 52}) {
        harness->useDevice(QStringLiteral("KX-A1 R2"), portCount);
        for (const auto& [entry, factory] : all) {
            SCOPED_TRACE(entry.toStdString() + ", " + std::to_string(portCount) + " ports");
            std::unique_ptr<QDialog> dialog(factory(nullptr));
            ASSERT_NE(dialog, nullptr);
            dialog->show();
            if (auto* config = qobject_cast<kx::ConfigDialog*>(dialog.get())) {
                EXPECT_TRUE(DialogHarness::waitFirstRead(*config));
            }
            for (const std::string& problem : Problems(dialog.get()))
                ADD_FAILURE() << problem;
            dialog->reject();
        }
    }
    EXPECT_TRUE(harness->prompter().texts().isEmpty()) << harness->prompter().texts().join(" | ").toStdString();
}

} // namespace
