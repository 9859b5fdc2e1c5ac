// The panel's deciding logic without network or widgets: link and PoE states,
// the budget decision, the walk rows, the lamp rules, model names, the menu's
// removal rules, instance keys, the single-instance folder and the device
// command lines.

#include "core/panel/CPanelDeviceThread.h"
#include "core/panel/DeviceCommands.h"
#include "core/panel/PanelDevice.h"
#include "base/DeviceModels.h"
#include "core/panel/PanelMenu.h"
#include "core/panel/PanelStatus.h"
#include "base/Startup.h"
#include "core/panel/PanelItems.h"
#include "core/panel/PanelResources.h"
#include "core/panel/SingleInstance.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSet>

#include <map>

#include <sys/stat.h>
#include <unistd.h>

using namespace kx;

namespace {

TEST(PanelLogic, LinkStateFollowsAdminThenOperThenSpeed)
{
    const struct
    {
        const char* admin;
        const char* oper;
        const char* speed;
        bool allGiga;
        int state;
    } cases[] = {
        {"1", "1", "100000000", false, PortLinkTopSpeed},
        {"1", "1", "10000000", false, PortLinkLowerSpeed},
        // A gigabit link on a model whose ports top out at 100M is not its top speed.
        {"1", "1", "1000000000", false, PortLinkLowerSpeed},
        {"1", "1", "1000000000", true, PortLinkTopSpeed},
        {"1", "1", "100000000", true, PortLinkLowerSpeed},
        {"1", "2", "100000000", false, PortEnabled},
        {"2", "1", "100000000", false, PortDisabled},
        {"2", "2", "", false, PortDisabled},
        {"", "1", "100000000", false, PortDisabled},
        {"1", "", "100000000", false, PortEnabled},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkState(c.admin, c.oper, c.speed, c.allGiga), c.state)
            << c.admin << "/" << c.oper << "/" << c.speed << " giga " << c.allGiga;
}

TEST(PanelLogic, PoeStateOfStatusTexts)
{
    const std::map<std::string, int> cases = {
        {"POWER ON", PoePowered},         {"POWER OFF", PoeNotPowered}, {"Time-based OFF", PoeNotPowered},
        {"OVER LOAD", PoeFault},          {"POWER DENIED", PoeFault},   {"", PoeFault},
        {"power on", PoeFault},           {"POWER ON ", PoeFault},
    };
    for (const auto& [text, state] : cases)
        EXPECT_EQ(PoeStateOf(text), state) << '"' << text << '"';
}

TEST(PanelLogic, BudgetLampThresholdIsSevenWattsInclusive)
{
    const struct
    {
        const char* text;
        std::optional<bool> reached;
    } cases[] = {
        {"7.0", true},  {"7", true},       {"6.9", true},      {"0.0", true}, {"-1", true},
        {"7.1", false}, {"7.01", false},   {"72.0", false},    {"7.0 W", true},
        // No number in the answer: the flag stays as it was.
        {"", std::nullopt}, {"N/A", std::nullopt}, {"W7", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PoeBudgetReached(c.text), c.reached) << '"' << c.text << '"';
}

TEST(PanelLogic, WalkRowsEndPastTheFrontPanelAndEvaluateWithinBounds)
{
    PanelStatusModel model(8, false);
    ASSERT_EQ(model.portStates().size(), 52u);
    ASSERT_EQ(model.poeStates().size(), 52u);
    ASSERT_EQ(model.portValues().size(), 8u);

    model.beginWalk();
    using R = PanelStatusModel::RowResult;
    const std::pair<StatusRow, R> rows[] = {
        {StatusRow{"1", "100000000", "1", "1", "3", "POWER ON"}, R::Appended},
        {StatusRow{"3", "10000000", "1", "1", "4", "OVER LOAD"}, R::Appended},
        {StatusRow{"5", "100000000", "2", "2", "1", "Time-based OFF"}, R::Appended},
        // Rows whose index cannot name a port are kept but never used as an index.
        {StatusRow{"", "100000000", "1", "1", "9", "POWER ON"}, R::Appended},
        {StatusRow{"0", "100000000", "1", "1", "9", "POWER ON"}, R::Appended},
        {StatusRow{"8", "100000000", "1", "2", "2", "POWER OFF"}, R::Appended},
        {StatusRow{"9", "100000000", "1", "1", "9", "POWER ON"}, R::PastFrontPanel},
        {StatusRow{"1001", "100000000", "1", "1", "9", "POWER ON"}, R::PastFrontPanel},
    };
    for (std::size_t r = 0; r < std::size(rows); ++r)
        EXPECT_EQ(model.addRow(rows[r].first), rows[r].second) << "row " << r;
    EXPECT_EQ(model.rows().size(), 6u);

    model.evaluate();
    const std::vector<std::uint8_t> expectedPorts = {1, 3, 0, 3, 2, 3, 3, 3};
    const std::vector<std::uint8_t> expectedPoe = {0, 3, 2, 3, 1, 3, 3, 1};
    for (int p = 0; p < 8; ++p) {
        EXPECT_EQ(model.portStates()[p], expectedPorts[p]) << "port " << p + 1;
        EXPECT_EQ(model.poeStates()[p], expectedPoe[p]) << "port " << p + 1;
    }
    EXPECT_EQ(model.portValues(), (std::vector<int>{3, 0, 4, 0, 1, 0, 0, 2}));
    EXPECT_EQ(model.evaluatedPorts(), (std::vector<int>{1, 3, 5, 8}));
    for (std::size_t p = 8; p < 52; ++p)
        EXPECT_EQ(model.portStates()[p], PortEnabled);

    const PanelStatusSnapshot evaluated = model.snapshot(PanelStatusSnapshot::Kind::Evaluated);
    EXPECT_EQ(evaluated.evaluatedPorts, (std::vector<int>{1, 3, 5, 8}));
    EXPECT_EQ(evaluated.portStates, model.portStates());

    // A new walk starts from empty rows; a failure resets every state.
    model.beginWalk();
    EXPECT_TRUE(model.rows().empty());
    model.resetAfterFailure();
    const PanelStatusSnapshot failed = model.snapshot(PanelStatusSnapshot::Kind::Failed);
    EXPECT_TRUE(failed.evaluatedPorts.empty());
    for (std::size_t p = 0; p < 52; ++p) {
        EXPECT_EQ(failed.portStates[p], PortEnabled);
        EXPECT_EQ(failed.poeStates[p], PoeUnknown);
    }
    // The private value is kept: a failed walk does not say what it was.
    EXPECT_EQ(failed.portValues[0], 3);
}

TEST(PanelLogic, ArraysAreSizedByThePortCountAndBounded)
{
    EXPECT_EQ(PanelStatusModel(0, false).portStates().size(), 52u);
    EXPECT_EQ(PanelStatusModel(-5, false).portValues().size(), 0u);
    EXPECT_EQ(PanelStatusModel(60, false).portStates().size(), 60u);
    EXPECT_EQ(PanelStatusModel(60, false).poeStates().size(), 60u);
    PanelStatusModel huge(2000000000, false);
    EXPECT_EQ(huge.portCount(), kMaxPanelPorts);
    EXPECT_EQ(huge.portStates().size(), static_cast<std::size_t>(kMaxPanelPorts));

    // A 60-port model: port 60 is a front-panel port, 61 ends the walk.
    PanelStatusModel big(60, true);
    big.beginWalk();
    EXPECT_EQ(big.addRow(StatusRow{"60", "1000000000", "1", "1", "1", "POWER ON"}),
              PanelStatusModel::RowResult::Appended);
    EXPECT_EQ(big.addRow(StatusRow{"61", "1000000000", "1", "1", "1", "POWER ON"}),
              PanelStatusModel::RowResult::PastFrontPanel);
    big.evaluate();
    EXPECT_EQ(big.portStates()[59], PortLinkTopSpeed);
    EXPECT_EQ(big.poeStates()[59], PoePowered);
}

TEST(PanelLogic, AgentThatNeverLeavesTheFrontPanelCannotGrowTheRows)
{
    PanelStatusModel model(8, false);
    model.beginWalk();
    int appended = 0;
    while (model.addRow(StatusRow{"1", "", "1", "1", "", ""}) == PanelStatusModel::RowResult::Appended)
        ASSERT_LT(++appended, 10000);
    EXPECT_LE(model.rows().size(), 8u * 4 + 64);
}

// What each lamp shows after each of four blink phases (0, 1, 0, 1), the panel
// keeping what a phase does not draw; -1 until a lamp is first drawn.
std::map<int, std::vector<int>> Shown(int portState, int poeState, bool hasLamp2)
{
    std::map<int, int> screen;
    std::map<int, std::vector<int>> shown;
    for (bool phase : {false, true, false, true}) {
        for (const LampDraw& d : PortLampDraws(portState, poeState, phase, hasLamp2, true))
            screen[d.lamp] = d.bitmap;
        for (int lamp : {0, 1, 2})
            if (lamp != 2 || hasLamp2)
                shown[lamp].push_back(screen.count(lamp) ? screen[lamp] : -1);
    }
    return shown;
}

TEST(PanelLogic, LampRulesBlinkWhatThePanelMeansToBlink)
{
    using namespace res;
    const int on = kPortLampOn, off = kPortLampOff, amber = kPortLampFault;
    using Seq = std::vector<int>;
    const struct
    {
        int port;
        int poe;
        bool hasLamp2;
        std::map<int, Seq> shown;
    } cases[] = {
        // Three lamps a port: lamp 0 green at top speed and dark below it, lamp 2
        // blinking green for both, in opposite phases.
        {PortLinkTopSpeed, PoePowered, true, {{0, {on, on, on, on}}, {1, {on, on, on, on}}, {2, {on, off, on, off}}}},
        {PortLinkLowerSpeed, PoeNotPowered, true,
         {{0, {off, off, off, off}}, {1, {off, off, off, off}}, {2, {off, on, off, on}}}},
        // Two lamps a port: below top speed lamp 0 blinks, or the link would look absent.
        {PortLinkLowerSpeed, PoeNotPowered, false, {{0, {on, off, on, off}}, {1, {off, off, off, off}}}},
        {PortLinkTopSpeed, PoeNotPowered, false, {{0, {on, on, on, on}}, {1, {off, off, off, off}}}},
        // A PoE fault blinks amber instead of staying lit.
        {PortEnabled, PoeFault, true, {{0, {off, off, off, off}}, {1, {amber, off, amber, off}}, {2, {off, off, off, off}}}},
        {PortDisabled, PoeUnknown, false, {{0, {off, off, off, off}}, {1, {off, off, off, off}}}},
        {PortEmpty, PoePowered, true, {{0, {-1, -1, -1, -1}}, {1, {-1, -1, -1, -1}}, {2, {-1, -1, -1, -1}}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(c.port, c.poe, c.hasLamp2), c.shown)
            << "port state " << c.port << " poe " << c.poe << " lamp 2 " << c.hasLamp2;
    // Lamp 2 is cleared first only when it has a place of its own.
    const auto withLeft = PortLampDraws(PortLinkTopSpeed, PoePowered, false, true, true);
    const auto withoutLeft = PortLampDraws(PortLinkTopSpeed, PoePowered, false, true, false);
    EXPECT_EQ(std::count(withLeft.begin(), withLeft.end(), LampDraw{2, off}), 1);
    EXPECT_EQ(std::count(withoutLeft.begin(), withoutLeft.end(), LampDraw{2, off}), 0);
}

TEST(PanelLogic, ModelLampsAndTheBudgetLamp)
{
    using namespace res;
    const auto budgetLamp = [](bool powMax, bool answered) {
        return ModelLampDraws("KX-A1 R2", true, powMax, answered, FanNormal).at(1);
    };
    EXPECT_EQ(budgetLamp(true, true), (FixedLampDraw{kA1PoeBudgetLampOn, 38, 89}));
    EXPECT_EQ(budgetLamp(true, false).bitmap, kA1PoeBudgetLampOff);
    EXPECT_EQ(budgetLamp(false, true).bitmap, kA1PoeBudgetLampOff);
    EXPECT_EQ(ModelLampDraws("KX-A1", true, false, true, FanNormal).at(0),
              (FixedLampDraw{kA1PowerLamp, 35, 64}));

    const auto c1 = ModelLampDraws("KX-C1", true, true, false, FanFault);
    EXPECT_EQ(c1, (std::vector<FixedLampDraw>{{158, 25, 23}, {215, 107, 40}, {225, 107, 51},
                                               {216, 63, 40}, {219, 63, 28}}));
    EXPECT_EQ(ModelLampDraws("KX-C1", false, false, true, FanNormal),
              (std::vector<FixedLampDraw>{{158, 25, 23}, {225, 107, 40}, {215, 107, 51}}));
    EXPECT_TRUE(ModelLampDraws("KX-D1 R2", true, true, true, FanFault).empty());
}

TEST(PanelLogic, PoeModelsByLetterOrByName)
{
    const std::map<QString, bool> cases = {
        {"KX-A1 R2", true}, {"KX-A1", true},       {"KX-C1", true},    {"KX-F1P", true},
        {"kx-g1p", true},   {"KX-C1 R2", false},   {"KX-D1 R2", false}, {"KX-E1 R2", false},
        {"KX-F1", false},   {"KX-G1", false},      {"", false},        {"KX-A1 R3", false},
    };
    for (const auto& [name, poe] : cases)
        EXPECT_EQ(IsPoeModel(name), poe) << name.toStdString();
}

TEST(PanelLogic, MenuRemovalDependsOnPoe)
{
    const QStringList poe = PanelMenuEntriesRemoved("KX-A1 R2");
    EXPECT_EQ(poe, QStringList{"LLDP MED Setting"});
    const QStringList plain = PanelMenuEntriesRemoved("KX-D1 R2");
    EXPECT_EQ(plain, (QStringList{"LLDP MED Setting", "PoE Port Config", "LLDP Global Setting",
                                  "LLDP Remote Port Information"}));
    // Every entry removed is one of the menu's, and entry texts are unique keys.
    QSet<QString> texts;
    for (const PanelMenuEntry& e : PanelMenuTable()) {
        EXPECT_FALSE(texts.contains(e.key())) << e.text.toStdString() << " twice";
        texts.insert(e.key());
    }
    for (const QString& removed : plain)
        EXPECT_TRUE(texts.contains(removed)) << removed.toStdString();
}

TEST(PanelLogic, StartUpChecksTheNetworkFirstAndThenTheLine)
{
    EXPECT_EQ(StartupRefusal(false, true), "Failed to initialize communication port !");
    EXPECT_EQ(StartupRefusal(false, false), "Failed to initialize communication port !");
    EXPECT_EQ(StartupRefusal(true, true), "No parameter input !");
    EXPECT_EQ(StartupRefusal(true, false), "");
}

TEST(PanelLogic, ACycleTakesElevenStepsOfHalfASecondOverSnmpV1AndOfASecondOverV3)
{
    EXPECT_EQ(kx::PanelPollTiming::ForVersion("1").cycleMs(0), 5500);
    EXPECT_EQ(kx::PanelPollTiming::ForVersion("3").cycleMs(0), 10500);
    // After a skipped PoE read the wait is short, so that the read comes again soon.
    EXPECT_EQ(kx::PanelPollTiming::ForVersion("1").cycleMs(-1), 1500);
    EXPECT_EQ(kx::PanelPollTiming::ForVersion("3").cycleMs(-1), 2500);
}

TEST(PanelLogic, AProxysAnswerInAStatusRowIsPassedOver)
{
    const std::string proxy = "1.3.6.1.4.1.99999.7777.1.4.0";
    const StatusRow row = kx::DecodeStatusRow({{"1.3.6.1.2.1.2.2.1.3.5", "6"},
                                               {"1.3.6.1.2.1.2.2.1.5.5", "100000000"},
                                               {proxy, "1"},
                                               {"1.3.6.1.2.1.2.2.1.8.5", "1"},
                                               {"1.3.6.1.4.1.99999.10.75.13.1.13.1.7.5", "42"},
                                               {"1.3.6.1.4.1.99999.10.75.13.22.1.1.13.5", "POWER ON"}});
    EXPECT_EQ(row.ifIndex, "5");
    EXPECT_EQ(row.speed, "100000000");
    EXPECT_EQ(row.adminStatus, ""); // the proxy's value is not the device's
    EXPECT_EQ(row.operStatus, "1");
    EXPECT_EQ(row.portValue, "42");
    EXPECT_EQ(row.poeStatus, "POWER ON");
    EXPECT_EQ(kx::DecodeStatusRow({{proxy, "1"}, {"1.3.6.1.2.1.2.2.1.5.5", "100000000"}}).ifIndex, "");
}

TEST(PanelLogic, InstanceKeysAreSafeDistinctAndShort)
{
    EXPECT_EQ(InstanceName("KX-A1 R2", "10.0.0.5"), "Module:KX-A1 R210.0.0.5");
    const QStringList names = {"Module:KX-A1 R210.0.0.5", "Module:KX-A1_R210.0.0.5",
                               "Module:KX-A1 R210.0.0.50", "Module:../../etc/passwd",
                               "Module:" + QString(300, QChar(0x00e9)), "Module:"};
    QSet<QString> keys;
    for (const QString& name : names) {
        const QString key = InstanceKey(name);
        EXPECT_LE(key.size(), 41) << name.toStdString();
        for (QChar c : key)
            EXPECT_TRUE((c.isLetterOrNumber() && c.unicode() < 128) || c == u'.' || c == u'-' || c == u'_')
                << key.toStdString();
        EXPECT_FALSE(key.contains(u'/'));
        EXPECT_EQ(InstanceKey(name), key);
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), names.size());
}

TEST(PanelLogic, TelnetRunsInATerminalWithArgumentsNeverAShell)
{
    auto only = [](const char* present) {
        return [present](const QString& name) {
            return name == QLatin1String(present) ? QStringLiteral("/usr/bin/") + name : QString();
        };
    };
    EXPECT_EQ(TelnetCommand("10.0.0.5", only("xterm")),
              (ProcessCommand{"/usr/bin/xterm", {"-e", "telnet", "10.0.0.5"}}));
    EXPECT_EQ(TelnetCommand("10.0.0.5", only("gnome-terminal")),
              (ProcessCommand{"/usr/bin/gnome-terminal", {"--", "telnet", "10.0.0.5"}}));
    // The user's choice comes first when it is there.
    EXPECT_EQ(TelnetCommand("10.0.0.5", [](const QString& n) { return "/bin/" + n; })->program,
              "/bin/x-terminal-emulator");
    EXPECT_EQ(TelnetCommand("", only("xterm"))->arguments, (QStringList{"-e", "telnet"}));
    EXPECT_EQ(TelnetCommand("255.0.0.0", only("xterm"))->arguments.last(), "255.0.0.0");
    EXPECT_FALSE(TelnetCommand("10.0.0.5", only("none")).has_value());
    // Only a dotted IPv4 address is passed on; anything else starts nothing.
    for (const char* address : {"-lroot", "10.0.0.5;rm -rf /", "10.0.0.5 -l root", "switch.lan",
                                "10.0.0", "10.0.0.5.1", "10.0.0.256", "010.0.0.5", "10..0.5",
                                "+1.0.0.5", "::1", "1\u0661.0.0.5"})
        EXPECT_FALSE(TelnetCommand(QString::fromUtf8(address), only("xterm")).has_value()) << address;
}

TEST(PanelLogic, WebOpensTheDeviceAddress)
{
    EXPECT_EQ(DeviceWebUrl("10.0.0.5").toString(), "http://10.0.0.5/");
    EXPECT_EQ(DeviceWebUrl("").toString(), "about:blank");
    EXPECT_FALSE(DeviceWebUrl("10.0.0.5/../x y").isValid());
}

TEST(PanelLogic, TheSharedTemporaryFolderIsUsedOnlyWhenPrivateToTheUser)
{
    kxtest::TempDir temp;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray tmp = qgetenv("TMPDIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QByteArray::fromStdString(temp.path()));
    const std::string folder = temp.file("kxmodule-" + std::to_string(::getuid()));
    auto guarded = [] {
        kxtest::TraceCapture trace;
        SingleInstance instance(InstanceName("KX-A1 R2", "10.0.0.5"));
        const bool used = !instance.lockPath().isEmpty();
        EXPECT_EQ(trace.lines().empty(), used);
        EXPECT_TRUE(used || instance.acquire(0) == SingleInstance::Result::First);
        return used;
    };
    EXPECT_TRUE(guarded()) << "made with mode 0700";
    ::chmod(folder.c_str(), 0750);
    EXPECT_FALSE(guarded()) << "others may enter";
    if (::getuid() == 0) { // only root can give a folder away
        ::chmod(folder.c_str(), 0700);
        ASSERT_EQ(::chown(folder.c_str(), 1, 1), 0);
        EXPECT_FALSE(guarded()) << "another user's";
    }
    ::rmdir(folder.c_str());
    ::mkdir(temp.file("elsewhere").c_str(), 0700);
    ::symlink(temp.file("elsewhere").c_str(), folder.c_str());
    EXPECT_FALSE(guarded()) << "a link";
    EXPECT_TRUE(QDir(QString::fromStdString(temp.file("elsewhere"))).isEmpty());
    qputenv("TMPDIR", tmp);
    if (!runtime.isNull())
        qputenv("XDG_RUNTIME_DIR", runtime);
}

} // namespace
