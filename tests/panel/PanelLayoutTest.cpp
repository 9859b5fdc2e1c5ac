#include "core/panel/PanelLayout.h"

#include "tests/panel/PanelTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

using kxpaneltest::Panel;

namespace {

PanelLayout& Loaded(PanelLayout& layout, const QByteArray& xml)
{
    EXPECT_TRUE(layout.loadFromData(xml)) << xml.constData();
    return layout;
}

QByteArray PortWithLamps(int n)
{
    return QStringLiteral("<PORT ID=\"%1\" LEFT=\"%2\" TOP=\"50\" WIDTH=\"40\" HEIGHT=\"30\"><LAMP ID=\"%1.link\" "
                          "LEFT=\"1\"/><LAMP ID=\"%1.poe\" LEFT=\"2\"/><LAMP ID=\"%1.act\" LEFT=\"3\"/></PORT>\n")
        .arg(n)
        .arg(100 + 40 * n)
        .toUtf8();
}

TEST(PanelLayoutReader, PortsWithThreeLampsKeepDescriptionOrder)
{
    PanelLayout layout;
    Loaded(layout, Panel(PortWithLamps(1) + PortWithLamps(2) + PortWithLamps(3)));
    ASSERT_EQ(layout.topLevelPortCount(), 3);
    for (int n = 0; n < 3; ++n) {
        const CPort* port = layout.nthPort(n);
        ASSERT_NE(port, nullptr);
        EXPECT_EQ(port->id(), QString::number(n + 1));
        ASSERT_EQ(port->lamps().size(), 3u);
        EXPECT_EQ(port->lamp(0)->id(), QStringLiteral("%1.link").arg(n + 1));
        EXPECT_EQ(port->lamp(1)->id(), QStringLiteral("%1.poe").arg(n + 1));
        EXPECT_EQ(port->lamp(2)->id(), QStringLiteral("%1.act").arg(n + 1));
        EXPECT_EQ(port->lamp(3), nullptr);
        EXPECT_EQ(port->lamp(-1), nullptr);
        EXPECT_EQ(port->lamp(2)->parent(), port);
    }
    EXPECT_EQ(layout.nthPort(3), nullptr);
    EXPECT_EQ(layout.allItems().size(), 12u);
}

TEST(PanelLayoutReader, ElementsMakeTheirRunTimeClasses)
{
    const struct
    {
        const char* element;
        const char* runtimeClass;
    } cases[] = {
        {"PANEL", "CPanel"}, {"PORT", "CPort"},     {"LAMP", "CLamp"},       {"SLOT", "CSlot"},
        {"CONSOLE", "CCom"}, {"MASTER", "CCom"},    {"RPS", "CCom"},         {"FAN", "CCom"},
        {"LED", "CLed"},     {"MODULE", "CModule"}, {"POWER", "CPanelItem"},
    };
    for (const auto& c : cases) {
        PanelLayout layout;
        Loaded(layout, Panel(QByteArray("<") + c.element + " ID=\"x\"/>"));
        ASSERT_EQ(layout.root().children().size(), 1u) << c.element;
        const CPanelItem& item = *layout.root().children().front();
        EXPECT_STREQ(item.runtimeClassName(), c.runtimeClass) << c.element;
        EXPECT_EQ(item.elementName(), QString::fromLatin1(c.element));
        EXPECT_EQ(layout.nthItem(c.runtimeClass, 0), &item) << c.element;
    }
    PanelLayout layout;
    Loaded(layout, Panel("<port/><WINDOW><PORT/></WINDOW><!-- c --><PORT/>"));
    EXPECT_EQ(layout.topLevelPortCount(), 1) << "names are case-sensitive; unknown elements "
                                                "make nothing, nor does what they hold";
}

TEST(PanelLayoutReader, StatusTypeAndBitmapAttributes)
{
    const struct
    {
        const char* element;
        const char* status;
        int state;
    } states[] = {
        {"PORT", "PORTLINK100", 0}, {"PORT", "PORTLINK10", 1}, {"PORT", "PORTDISABLED", 2},
        {"PORT", "PORTENABLE", 3},  {"PORT", "PORTEMPTY", 4},  {"PORT", "portempty", 3},
        {"PORT", "LAMPON", 3},      {"PORT", "", 3},           {"LAMP", "LAMPON", 0},
        {"LAMP", "LAMP1G", 1},      {"LAMP", "LAMPOFF", 2},    {"LAMP", "PORTEMPTY", 2},
    };
    for (const auto& c : states) {
        PanelLayout layout;
        Loaded(layout, Panel(QByteArray("<") + c.element + " STATUS=\"" + c.status + "\"/>"));
        const CPanelItem& item = *layout.root().children().front();
        EXPECT_EQ(item.state(), c.state) << c.element << " " << c.status;
        EXPECT_FALSE(item.isChanged()) << "the state a file gives is not a change";
    }

    const struct
    {
        const char* type;
        int value;
    } types[] = {{"LINK", 0}, {"S100M", 1}, {"POWER", 2}, {"CONSOLE", 3}, {"FAN", 0}};
    for (const auto& c : types) {
        PanelLayout layout;
        Loaded(layout, Panel(QByteArray("<LAMP NAME=\"n\" TYPE=\"") + c.type + "\"/>"));
        const auto* lamp = dynamic_cast<const CLamp*>(layout.nthItem("CLamp", 0));
        ASSERT_NE(lamp, nullptr);
        EXPECT_EQ(lamp->type(), c.value) << c.type;
        EXPECT_EQ(lamp->name(), QStringLiteral("n"));
    }

    PanelLayout layout;
    Loaded(layout, Panel("<PORT ID=\"p\" NAME=\"ignored\" BMP=\"m.bmp\" BMPLINK100=\"a\" "
                         "BMPLINK10=\"b\" BMPDISABLE=\"c\" BMPENABLE=\"d\" BMPEMPTY=\"e\"/>"
                         "<LED BMP=\"main\" BMP0=\"d0\" BMP5=\"d5\" BMP9=\"d9\"/>"));
    const CPort* port = layout.nthPort(0);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->bitmapName(), QStringLiteral("m.bmp"));
    EXPECT_TRUE(port->name().isEmpty()) << "NAME is read for lamps only";
    const char* expected[] = {"a", "b", "c", "d", "e"};
    for (int s = 0; s < kPortStateCount; ++s)
        EXPECT_EQ(port->stateBitmapName(s), QString::fromLatin1(expected[s]));
    const auto* led = dynamic_cast<const CLed*>(layout.nthItem("CLed", 0));
    ASSERT_NE(led, nullptr);
    EXPECT_EQ(led->digitBitmapName(0), QStringLiteral("d0"));
    EXPECT_EQ(led->digitBitmapName(5), QStringLiteral("d5"));
    EXPECT_EQ(led->digitBitmapName(9), QStringLiteral("d9"));
    EXPECT_TRUE(led->digitBitmapName(1).isEmpty());
    EXPECT_TRUE(led->digitBitmapName(10).isEmpty());
}

TEST(PanelLayoutReader, NumbersReadAsTheirLeadingDigits)
{
    const struct
    {
        const char* text;
        int value;
    } cases[] = {
        // The leading digits as TextNumber reads them, within the coordinate range.
        {"  7px", 7}, {"abc", 0}, {"", 0}, {"-5", -5},
        {"99999999999999999999", PanelLayout::kMaxCoordinate}, {"-2147483649", -PanelLayout::kMaxCoordinate},
    };
    for (const auto& c : cases) {
        PanelLayout layout;
        Loaded(layout, Panel(QByteArray("<SLOT LEFT=\"") + c.text + "\" TOP=\"" + c.text +
                             "\" WIDTH=\"" + c.text + "\" HEIGHT=\"" + c.text + "\"/>"));
        const CPanelItem* slot = layout.nthItem("CSlot", 0);
        ASSERT_NE(slot, nullptr);
        EXPECT_EQ(slot->left(), c.value) << c.text;
        EXPECT_EQ(slot->height(), c.value) << c.text;
        const ItemRect r = slot->itemRect();
        EXPECT_EQ(r, (ItemRect{c.value, c.value, 2 * c.value, 2 * c.value})) << c.text;
    }
    PanelLayout layout;
    Loaded(layout, Panel("<SLOT/>"));
    EXPECT_EQ(layout.nthItem("CSlot", 0)->itemRect(), (ItemRect{0, 0, 0, 0}));
}

TEST(PanelLayoutReader, LampListsBelongToPortsAndComponentsOnly)
{
    PanelLayout layout;
    Loaded(layout,
           Panel("<LAMP ID=\"top\"/>"
                 "<PANEL><LAMP ID=\"in-panel\"/><PORT ID=\"inner\"><LAMP ID=\"l\"/></PORT></PANEL>"
                 "<FAN><LAMP ID=\"f0\"/><SLOT><LAMP ID=\"deep\"/></SLOT><LAMP ID=\"f1\"/></FAN>"));
    const auto* fan = dynamic_cast<const CCom*>(layout.nthItem("CCom", 0));
    ASSERT_NE(fan, nullptr);
    ASSERT_EQ(fan->lamps().size(), 2u);
    EXPECT_EQ(fan->lamp(1)->id(), QStringLiteral("f1"));
    EXPECT_EQ(fan->children().size(), 3u);
    EXPECT_EQ(layout.topLevelPortCount(), 0) << "a port inside a PANEL is not a top-level port";
    EXPECT_EQ(layout.nthItem("CLamp", 0)->id(), QStringLiteral("top"));
    EXPECT_EQ(layout.nthItem("CLamp", 1), nullptr);
    EXPECT_EQ(layout.nthItem("CPanel", -1), nullptr);
}

TEST(PanelLayoutReader, DeviceModuleHoldsOnlyModulesAfterThePanelItems)
{
    PanelLayout layout;
    Loaded(layout, "<ROOT>"
                   "<DEVICEMODULE WIDTH=\"9\"><MODULE ID=\"m1\"><PORT ID=\"mp\"/></MODULE>"
                   "<PORT ID=\"stray\"/></DEVICEMODULE>"
                   "<DEVICEPANEL ID=\"front\" WIDTH=\"300\" HEIGHT=\"80\" BMP=\"bg.bmp\">"
                   "<PORT ID=\"p1\"/></DEVICEPANEL>"
                   "<DEVICEPANEL WIDTH=\"5\"><PORT ID=\"p2\"/><MODULE ID=\"m2\"/></DEVICEPANEL>"
                   "</ROOT>");
    QStringList order;
    for (const auto& child : layout.root().children())
        order << child->id();
    EXPECT_EQ(order, (QStringList{"p1", "p2", "m2", "m1"}));
    EXPECT_EQ(layout.root().id(), QStringLiteral("front")) << "the first DEVICEPANEL is the root";
    EXPECT_EQ(layout.root().width(), 300);
    EXPECT_EQ(layout.root().bitmapName(), QStringLiteral("bg.bmp"));
    EXPECT_EQ(layout.nthItem("CModule", 1)->children().size(), 1u);
}

TEST(PanelLayoutReader, NestedDescriptionRootsAreBuiltOnce)
{
    // Each level holds a port and the next DEVICEPANEL. Building a nested one
    // both where it stands and from the document-wide query would double the
    // ports at every level.
    QByteArray xml = "<PORT/>";
    for (int level = 0; level < 30; ++level)
        xml = "<DEVICEPANEL><PORT/><PANEL>" + xml + "</PANEL></DEVICEPANEL>";
    PanelLayout layout;
    Loaded(layout, xml);
    EXPECT_EQ(layout.topLevelPortCount(), 30);
    EXPECT_EQ(layout.allItems().size(), 30u + 30u + 1u);
}

TEST(PanelLayoutReader, UnreadableDescriptionsLeaveThePanelEmpty)
{
    const QByteArray big = Panel(QByteArray(5 << 20, ' '));
    QByteArray deep;
    for (int i = 0; i < 65; ++i)
        deep += "<PANEL>";
    for (int i = 0; i < 65; ++i)
        deep += "</PANEL>";
    QByteArray many;
    for (int i = 0; i < 10000; ++i)
        many += "<PORT/>";
    const QByteArray cases[] = {
        "",
        "not xml at all",
        "<DEVICEPANEL>",
        "<DEVICEPANEL><PORT></DEVICEPANEL>",
        "<DEVICEPANEL/><DEVICEPANEL/>",
        "<DEVICEPANEL><PORT ID=\"1\" ID=\"2\"/></DEVICEPANEL>",
        "<DEVICEPANEL><x:PORT/></DEVICEPANEL>",
        "<DEVICEPANEL>&undefined;</DEVICEPANEL>",
        QByteArray("<DEVICEPANEL>\0</DEVICEPANEL>", 27),
        QByteArray("\xff\xfe\x00<\x00D", 6),
        Panel(deep),
        Panel(many),
        big,
    };
    for (const QByteArray& xml : cases) {
        PanelLayout layout;
        EXPECT_FALSE(layout.loadFromData(xml)) << xml.left(60).constData();
        EXPECT_FALSE(layout.isLoaded());
        EXPECT_TRUE(layout.root().children().empty());
        EXPECT_TRUE(layout.allItems().empty());
        EXPECT_EQ(layout.panelSize(), PanelLayout::kDefaultPanelSize);
        EXPECT_EQ(layout.nthPort(0), nullptr);
    }
    QByteArray sixty;
    for (int i = 0; i < 59; ++i)
        sixty = "<PANEL>" + sixty + "</PANEL>";
    PanelLayout layout;
    EXPECT_TRUE(layout.loadFromData(Panel(sixty))) << "60 levels are within the limits";
    EXPECT_EQ(layout.allItems().size(), 59u);
    EXPECT_TRUE(layout.loadFromData("<NOTHING/>")) << "a well-formed file without panel items";
    EXPECT_TRUE(layout.root().children().empty());
}

TEST(PanelLayoutReader, LoadingAgainReplacesEverything)
{
    PanelLayout layout;
    Loaded(layout, Panel(PortWithLamps(1), "WIDTH=\"300\" HEIGHT=\"90\""));
    EXPECT_EQ(layout.panelSize(), QSize(300, 90));
    EXPECT_FALSE(layout.loadFromData("<broken"));
    EXPECT_EQ(layout.topLevelPortCount(), 0);
    EXPECT_EQ(layout.panelSize(), PanelLayout::kDefaultPanelSize);
    EXPECT_TRUE(layout.root().width() == 0 && layout.root().bitmapName().isEmpty());
}

TEST(PanelLayoutReader, PanelSizeIsBounded)
{
    const struct
    {
        QByteArray attrs;
        QSize size;
    } cases[] = {
        {"WIDTH=\"640\" HEIGHT=\"120\"", {640, 120}},
        {"WIDTH=\"99999\" HEIGHT=\"-3\"", {PanelLayout::kMaxPanelExtent, 160}},
        {"", PanelLayout::kDefaultPanelSize},
    };
    for (const auto& c : cases) {
        PanelLayout layout;
        Loaded(layout, Panel("", c.attrs));
        EXPECT_EQ(layout.panelSize(), c.size) << c.attrs.constData();
    }
}

TEST(PanelLayoutReader, LongNamesAreCut)
{
    const QByteArray longName(150, 'b');
    const QByteArray longText(400, 't');
    PanelLayout layout;
    Loaded(layout, Panel("<PORT ID=\"" + longText + "\" BMP=\"" + longName + "\" BMPEMPTY=\"" +
                         longName + "\"><LAMP NAME=\"" + longText + "\"/></PORT>"));
    const CPort* port = layout.nthPort(0);
    EXPECT_EQ(port->bitmapName().size(), CPanelItem::kMaxBitmapNameLength);
    EXPECT_EQ(port->stateBitmapName(PortEmpty).size(), CPanelItem::kMaxBitmapNameLength);
    EXPECT_EQ(port->id().size(), CPanelItem::kMaxTextLength);
    EXPECT_EQ(port->lamp(0)->name().size(), CPanelItem::kMaxTextLength);
}

TEST(PanelLayoutReader, TracesTheQueriesAndLists)
{
    kxtest::TraceCapture trace;
    PanelLayout layout;
    Loaded(layout,
           "<ROOT><DEVICEPANEL><!-- one --><PORT>text<LAMP/></PORT>\n  <SLOT/></DEVICEPANEL>"
           "<DEVICEPANEL/></ROOT>");
    // A query's banner, then each list with its size between two lines of its own.
    const std::string query = "oooooooooooooooooooooooooooooooo", queryEnd = "ooooooooooooooooooooooooooooooooooo";
    const std::string str = "stroooooooooooooooo";
    std::vector<std::string> expected;
    const auto list = [&](int n) { expected.insert(expected.end(), {str, " node num = " + std::to_string(n), str}); };
    expected.insert(expected.end(), {query, " node num = 2", queryEnd});
    for (int n : {2, 3, 2, 0, 0, 0}) // the query's list; comment, PORT, SLOT; text, LAMP; LAMP; SLOT; 2nd DEVICEPANEL
        list(n);
    expected.insert(expected.end(), {query, " node num = 0", queryEnd});
    list(0);
    EXPECT_EQ(trace.lines(), expected);
    trace.clear();
    layout.loadFromData("<broken");
    EXPECT_TRUE(trace.lines().empty()) << "a file that cannot be read traces nothing";
}

TEST(PanelLayoutReset, CountsTopLevelPortsAndResetsModulePorts)
{
    QByteArray items;
    for (int i = 0; i < 53; ++i) {
        items += "<PORT ID=\"" + QByteArray::number(i + 1) + "\" STATUS=\"PORTLINK100\"/>";
        if (i == 10)
            items += "<MODULE><PORT ID=\"m1\" STATUS=\"PORTLINK10\"/>"
                     "<PANEL><PORT ID=\"m2\" STATUS=\"PORTEMPTY\"/></PANEL></MODULE>";
        if (i == 20)
            items += "<PANEL><PORT ID=\"p\" STATUS=\"PORTLINK10\"/></PANEL>";
    }
    PanelLayout layout;
    Loaded(layout, Panel(items));
    ASSERT_EQ(layout.topLevelPortCount(), 53);
    layout.resetPortsAfterFailedWalk();
    for (int n = 0; n < 53; ++n) {
        const int expected = n < 48 ? PortEnabled : n < 52 ? PortEmpty : PortLinkLowerSpeed;
        EXPECT_EQ(layout.nthPort(n)->state(), expected) << "port " << n + 1;
    }
    for (const CPanelItem* item : layout.allItems()) {
        if (item->id() == u"m1" || item->id() == u"m2") {
            EXPECT_EQ(item->state(), PortEnabled) << "inside a module, at any depth";
        }
        if (item->id() == u"p") {
            EXPECT_EQ(item->state(), PortLinkTopSpeed) << "a PANEL is not a module";
        }
    }
    EXPECT_TRUE(layout.nthPort(0)->isChanged());
    EXPECT_FALSE(layout.nthPort(52)->isChanged());
}

// Relative names: the program's directory first, then the current directory.
TEST(PanelLayoutFiles, RelativeNamesLookInTheProgramDirectoryFirst)
{
    kxtest::TempDir temp;
    const QString name = QStringLiteral("kx_panel_test_%1.xml").arg(::getpid());
    const QString inProgramDir = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    ASSERT_TRUE(kxpaneltest::WriteFile(temp.file(name.toStdString()), Panel("<PORT ID=\"cwd\"/>")));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(temp.path())));

    PanelLayout layout;
    EXPECT_TRUE(layout.load(name));
    EXPECT_EQ(layout.nthPort(0)->id(), QStringLiteral("cwd"));
    EXPECT_EQ(layout.filePath(), QDir(QString::fromStdString(temp.path())).filePath(name));

    ASSERT_TRUE(
        kxpaneltest::WriteFile(inProgramDir.toStdString(), Panel("<PORT ID=\"program\"/>")));
    EXPECT_TRUE(layout.load(name));
    EXPECT_EQ(layout.nthPort(0)->id(), QStringLiteral("program"));
    QFile::remove(inProgramDir);

    EXPECT_FALSE(layout.load(QStringLiteral("kx_no_such_layout.xml")));
    EXPECT_FALSE(layout.load(QString()));
    EXPECT_FALSE(layout.load(QString::fromStdString(temp.path()))) << "a directory";
    EXPECT_TRUE(layout.filePath().isEmpty());
    QDir::setCurrent(previous);
}

TEST(PanelLayoutFiles, ResolveInstallFile)
{
    kxtest::TempDir a;
    kxtest::TempDir b;
    ASSERT_TRUE(kxpaneltest::WriteFile(b.file("f.bmp"), "x"));
    ASSERT_TRUE(kxpaneltest::WriteFile(a.file("g.bmp"), "x"));
    const QString da = QString::fromStdString(a.path());
    const QString db = QString::fromStdString(b.path());
    EXPECT_EQ(kx::ResolveInstallFile("f.bmp", {da, db}), QDir(db).filePath("f.bmp"));
    EXPECT_EQ(kx::ResolveInstallFile("g.bmp", {da, db}), QDir(da).filePath("g.bmp"));
    EXPECT_EQ(kx::ResolveInstallFile(QDir(db).filePath("f.bmp"), {}), QDir(db).filePath("f.bmp"));
    EXPECT_TRUE(kx::ResolveInstallFile("h.bmp", {da, db}).isEmpty());
    EXPECT_TRUE(kx::ResolveInstallFile("/dev/zero", {}).isEmpty()) << "only regular files";
    EXPECT_TRUE(kx::ResolveInstallFile("", {da}).isEmpty());
}

} // namespace
