// The firmware and configuration transfer against kxsim's transfer modes, with
// the switch's clock and the dialog's timers both run fast: the input checks,
// the question, the status the switch goes through, the bar, every end text and
// the controls coming back after each end.

#include "ui/kit/IpAddressEdit.h"
#include "ui/maintenance/CFirmwareUpgradeDlg.h"
#include "tests/support/DialogHarness.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace kxtest;
using kx::maintenance::TransferTimings;

namespace {

const std::string kArc = "1.3.6.1.4.1.99999.10.75.13.3.";
const QString kConfigTimeOut = "Time out! Please check TFTP Server IP and network.\n You may close the current "
                               "device Orvix Module and implement 'Device Discovery'to restart it";

class Transfer : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        DialogHarness::Options options;
        options.sim.timeScale = 10; // preparing 0.2 s, firmware 0.8 s, configuration 0.4 s
        harness = new DialogHarness(options);
    }
    static void TearDownTestSuite()
    {
        delete harness;
        harness = nullptr;
    }
    void SetUp() override { harness->resetForTest(); }

    // The dialog's timers `divisor` times faster; its SNMP time-outs 0.5 s.
    static std::unique_ptr<CFirmwareUpgradeDlg> Open(double divisor = 50)
    {
        auto dlg = harness->open<CFirmwareUpgradeDlg>(nullptr, TransferTimings().scaled(divisor, 500));
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static void Fill(CFirmwareUpgradeDlg* dlg, const QString& server, const QString& file, const QString& operation,
                     const QString& fileType)
    {
        DialogHarness::find<kx::IpAddressEdit>(dlg, "TFTP Server IP:")->setText(server);
        DialogHarness::type(dlg, "File Name:", file);
        DialogHarness::choose(dlg, "Operation Type:", operation);
        DialogHarness::choose(dlg, "FileType:", fileType);
    }
    // Applies and waits for the end of the run; true when the controls came back.
    // `inProgress` is sent to the simulator once the switch has said "3".
    static bool Run(CFirmwareUpgradeDlg* dlg, const std::string& inProgress = "")
    {
        DialogHarness::press(dlg, "Apply");
        if (!inProgress.empty()) {
            EXPECT_TRUE(DialogHarness::waitUntil([&] { return dlg->run().inProgressSeen(); }));
            harness->sim().control(inProgress);
        }
        EXPECT_TRUE(dlg->running());
        EXPECT_FALSE(DialogHarness::find<QPushButton>(dlg, "Close")->isEnabled());
        if (!DialogHarness::waitUntil([&] { return !dlg->running(); }, 15000))
            return false;
        for (const char* name : {"TFTP Server IP:", "File Name:", "Operation Type:", "FileType:", "Apply", "Close"})
            if (!DialogHarness::find<QWidget>(dlg, name)->isEnabled())
                return false;
        return true;
    }
    static int StatusReads(const std::string& status)
    {
        int n = 0;
        for (const auto& r : harness->sim().requestLog())
            n += r.pdu == "get" && r.bindings.size() == 1 && r.bindings[0].oid == status;
        return n;
    }

    inline static DialogHarness* harness = nullptr;
};

TEST_F(Transfer, InputIsCheckedAndOnlyAnUpgradeAsks)
{
    auto dlg = Open();
    harness->prompter().answerNext(false);
    Fill(dlg.get(), "10.0.0.1", "kx.cfg", "Upgrade", "Configuration");
    DialogHarness::click(dlg.get(), "Apply"); // cancelled at the question
    for (const char* server : {"192.168.0.255", "0.1.2.3", "10.0.0"})
    {
        Fill(dlg.get(), server, "kx.cfg", "Backup", "Firmware");
        DialogHarness::click(dlg.get(), "Apply");
    }
    Fill(dlg.get(), "10.0.0.1", "", "Backup", "Firmware");
    DialogHarness::click(dlg.get(), "Apply");
    const auto entries = harness->prompter().entries();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_TRUE(entries[0].isQuestion);
    EXPECT_EQ(entries[0].text, "The connection will be disconnected.\nPlease do not apply other changes when "
                               "uploading.\nReconnect to the device later when uploading completes.");
    for (int i : {1, 2, 3})
        EXPECT_EQ(entries[i].text, "Invalid TFTP server IP.");
    EXPECT_EQ(entries[4].text, "Invalid file.");
    EXPECT_TRUE(harness->sets().empty());
    EXPECT_FALSE(DialogHarness::find<QProgressBar>(dlg.get(), "Progress")->isVisible());

    harness->prompter().clear();
    DialogHarness::type(dlg.get(), "File Name:", QString(65, 'f'));
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "File Name:")->text(), QString(64, 'f'));
    EXPECT_EQ(harness->prompter().texts(), QStringList{"The maximum length of file name is 64!"});
}

// Over SNMPv3: the file set and then the operation set; the switch says 4, then
// 3 for as long as the bar takes to reach its top, then 0.
TEST_F(Transfer, SuccessAfterPreparingAndInProgressWithTheBarBelow90UntilThen)
{
    harness->useVersion3("sha256aes");
    harness->sim().control("transfer mode stuck3");
    TraceCapture trace;
    auto dlg = Open();
    auto* bar = DialogHarness::find<QProgressBar>(dlg.get(), "Progress");
    std::vector<int> positions;
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) { positions.push_back(v); });
    harness->prompter().answerNext(true);
    Fill(dlg.get(), "10.0.0.1", "kx.cfg", "Upgrade", "Configuration");
    DialogHarness::press(dlg.get(), "Apply");
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return bar->value() == 89; }, 10000));
    harness->sim().control("set " + kArc + "8.0 i R 0");
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return !dlg->running(); }));
    EXPECT_TRUE(DialogHarness::find<QPushButton>(dlg.get(), "Apply")->isEnabled());
    EXPECT_EQ(harness->prompter().last(), "Success!");
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions.back(), 99);
    EXPECT_LE(*std::max_element(positions.begin(), positions.end() - 1), 90);

    std::vector<std::string> states;
    for (const std::string& line : trace.linesStartingWith("========================State = "))
        if (states.empty() || states.back() != line)
            states.push_back(line);
    EXPECT_EQ(states, (std::vector<std::string>{"========================State = 4 ",
                                                "========================State = 3 ",
                                                "========================State = 0 "}));
    const auto sets = harness->sets();
    ASSERT_EQ(sets.size(), 2u);
    ASSERT_EQ(sets[0].bindings.size(), 2u);
    EXPECT_EQ(sets[0].bindings[0].oid, kArc + "5.0");
    EXPECT_EQ(sets[0].bindings[1].oid, kArc + "6.0");
    ASSERT_EQ(sets[1].bindings.size(), 1u);
    EXPECT_EQ(sets[1].bindings[0].oid, kArc + "7.0");
    EXPECT_EQ(sets[1].bindings[0].value, "1"); // upgrade
    harness->useVersion3("");
}

// Unanswered status reads count per run: every transfer gets its four tries.
TEST_F(Transfer, SilentSwitchEndsAfterFourUnansweredReadsEveryRun)
{
    harness->sim().control("transfer mode silent");
    auto dlg = Open();
    Fill(dlg.get(), "10.0.0.1", "kx.cfg", "Backup", "Configuration");
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        harness->sim().clearLog();
        harness->prompter().clear();
        ASSERT_TRUE(Run(dlg.get()));
        EXPECT_EQ(harness->prompter().texts(), QStringList{"Get Config BackUp/Upgrade status Time Out !"});
        EXPECT_EQ(StatusReads(kArc + "8.0"), 4);
    }
}

TEST_F(Transfer, EveryOtherEndHasItsTextAndGivesTheControlsBack)
{
    struct Case
    {
        std::string setUp;
        std::string inProgress;
        const char* fileType;
        const char* file;
        QString end;
    };
    const Case cases[] = {
        {"transfer mode fail", "", "Firmware", "kx.bin", "Firmware Upgrade Fail !"},
        {"transfer mode success", "", "Configuration", "fail.cfg", "Config Restore Fail !"},
        {"fault add " + kArc + "6 error genErr", "", "Configuration", "kx.cfg", "Setting file name TimeOut !"},
        {"fault add " + kArc + "7 drop", "", "Configuration", "kx.cfg", "Setting operation TimeOut !"},
        {"fault add " + kArc + "8 error genErr", "", "Configuration", "kx.cfg", "Get Info Fail !"},
        {"transfer mode stuck4", "", "Configuration", "kx.cfg", kConfigTimeOut},
        {"transfer mode garbage", "", "Configuration", "kx.cfg", kConfigTimeOut},
        // Every "3" restarts the overall time-out: it ends a switch that stops answering.
        {"transfer mode stuck3", "fault add " + kArc + "4 drop", "Firmware", "kx.bin",
         "Time out! Please check TFTP Server IP and network."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setUp + " " + c.file);
        harness->resetForTest();
        harness->sim().control(c.setUp);
        auto dlg = Open(100);
        Fill(dlg.get(), "10.0.0.1", c.file, "Backup", c.fileType);
        ASSERT_TRUE(Run(dlg.get(), c.inProgress));
        EXPECT_EQ(harness->prompter().texts(), QStringList{c.end});
        harness->sim().control("transfer abort");
    }
}

} // namespace
