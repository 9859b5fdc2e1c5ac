// Storm control's write of what changed, and how a record shows: many cases,
// no network.

#include "core/l2/CStormControlModel.h"

#include <gtest/gtest.h>

using namespace kx::l2;

namespace {

std::string Written(const StormDecision& d)
{
    if (!d.refusal.isEmpty())
        return d.refusal.toStdString();
    std::string out;
    for (const kx::SetBinding& b : d.bindings)
        out += (out.empty() ? "" : " ") + b.oid.section('.', -2, -2).toStdString() + "=" + b.value.toStdString();
    return out;
}

// Switching off, and on with changes, are the dialog test's.
TEST(StormLogic, ApplyWritesWhatChangedAsTheStateDecides)
{
    struct Case
    {
        StormValues read;
        bool ticked;
        int typeIndex;
        const char* n;
        std::string written; // "<object>=<value>" for .1 state, .2 type, .3 threshold
    };
    const Case cases[] = {
        {{"2", "1", "630"}, false, 2, "20", ""},               // off and staying off: nothing
        {{"1", "1", "630"}, true, 0, "10", ""},                // on, nothing changed
        {{"1", "1", "630"}, true, 1, "10", "2=2"},             // on, the type changed
        {{"1", "1", "630"}, true, 0, "11", "3=693"},           // on, the threshold changed
        {{"2", "1", "630"}, true, 0, "10", "1=1"},             // switched on, rest unchanged
        {{"2", "0", "0"}, true, -1, "1", "1=1 3=63"},          // a type outside 1..3 not chosen: not written
        {{"1", "7", "630"}, true, -1, "10", ""},
        {{"1", "1", "630"}, true, 0, "", "Invalid input of N ( input range must between 1~16000)"},
        {{"1", "1", "630"}, true, 0, "16000", "3=1008000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.n) + " " + c.read.state.toStdString() + c.read.type.toStdString());
        EXPECT_EQ(Written(DecideStorm(c.read, c.ticked, c.typeIndex, c.n, 63)), c.written);
    }
}

TEST(StormLogic, ARecordShowsItsTypeOnlyWithinRangeAndNAsThresholdOverUnit)
{
    struct Case
    {
        StormValues record;
        int unit;
        bool enabled;
        int typeIndex;
        const char* n;
    };
    const Case cases[] = {
        {{"1", "3", "6300"}, 63, true, 2, "100"}, {{"2", "1", "128"}, 64, false, 0, "2"},
        {{"1", "0", "0"}, 63, true, -1, "0"},     {{"3", "4", "130"}, 63, false, -1, "2"},
    };
    for (const Case& c : cases) {
        const StormDisplay shown = ShowStorm(c.record, c.unit);
        EXPECT_EQ(shown.enabled, c.enabled);
        EXPECT_EQ(shown.typeIndex, c.typeIndex);
        EXPECT_EQ(shown.n, c.n);
        EXPECT_EQ(shown.threshold, c.record.threshold);
    }
    EXPECT_EQ(StormUnitLabel(64), "64Kbps  ");
}

} // namespace
