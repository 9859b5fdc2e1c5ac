#pragma once

#include "base/Prompter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace kxtest {

// A shown, active top-level window with a recording prompter installed: widgets
// under it take keys and shortcuts the way a user's window does.
class WidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(640, 480);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Types into whichever widget has the focus, one key at a time, so that focus
    // moves made by the widgets themselves are followed.
    static void TypeIntoFocus(const QString& keys)
    {
        for (QChar c : keys)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }

    kx::RecordingPrompter prompter;
    kx::ScopedPrompter scope{&prompter};
    QWidget window;
};

} // namespace kxtest
