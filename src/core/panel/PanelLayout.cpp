#include "core/panel/PanelLayout.h"

#include "base/TextNumber.h"

#include "base/Trace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>

namespace {

// The attributes the reader looks at; all others are dropped while parsing, so
// that a file full of attributes costs no more memory than its size.
enum Attr : int
{
    AttrId,
    AttrName,
    AttrLeft,
    AttrTop,
    AttrWidth,
    AttrHeight,
    AttrBmp,
    AttrStatus,
    AttrType,
    AttrPortBmp0,                                 // BMPLINK100 .. BMPEMPTY, in PortState order
    AttrLedBmp0 = AttrPortBmp0 + kPortStateCount, // BMP0 .. BMP9
    AttrCount = AttrLedBmp0 + kLedDigitCount,
};

constexpr std::array<const char*, AttrCount> kAttrNames = {
    "ID",   "NAME",       "LEFT",      "TOP",        "WIDTH",     "HEIGHT",   "BMP",  "STATUS",
    "TYPE", "BMPLINK100", "BMPLINK10", "BMPDISABLE", "BMPENABLE", "BMPEMPTY", "BMP0", "BMP1",
    "BMP2", "BMP3",       "BMP4",      "BMP5",       "BMP6",      "BMP7",     "BMP8", "BMP9",
};

int AttrIndex(QStringView name)
{
    for (int i = 0; i < AttrCount; ++i)
        if (name == QLatin1StringView(kAttrNames[static_cast<std::size_t>(i)]))
            return i;
    return -1;
}

// One element of the parsed description, as much of it as the reader needs.
struct Element
{
    QString name;
    std::array<QString, AttrCount> attrs; // absent reads as empty
    std::vector<int> children;            // element indices, in document order
    int childNodes = 0;                   // child nodes of any kind, as a DOM counts them
};

// Parses into `out` (elements in document order). False for a document that is
// not well-formed or exceeds the limits.
bool Parse(const QByteArray& xml, const PanelLayoutLimits& limits, std::vector<Element>& out)
{
    QXmlStreamReader reader(xml);
    std::vector<int> open;
    auto countChildNode = [&] {
        if (!open.empty())
            ++out[static_cast<std::size_t>(open.back())].childNodes;
    };
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (static_cast<int>(out.size()) >= limits.maxElements ||
                static_cast<int>(open.size()) >= limits.maxDepth)
                return false;
            Element element;
            element.name = reader.qualifiedName().toString();
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                const int index = AttrIndex(a.qualifiedName());
                if (index >= 0)
                    element.attrs[static_cast<std::size_t>(index)] = a.value().toString();
            }
            const int index = static_cast<int>(out.size());
            if (!open.empty())
                out[static_cast<std::size_t>(open.back())].children.push_back(index);
            countChildNode();
            out.push_back(std::move(element));
            open.push_back(index);
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!open.empty())
                open.pop_back();
            break;
        case QXmlStreamReader::Characters:
            // A DOM that does not keep white space drops text that is only blanks.
            if (!reader.isWhitespace())
                countChildNode();
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::EntityReference:
            countChildNode();
            break;
        default:
            break;
        }
    }
    return !reader.hasError();
}

// Kept within +-PanelLayout::kMaxCoordinate, so that sums of coordinates and
// sizes cannot overflow.
int ParseCoordinate(const QString& text)
{
    return std::clamp(kx::LeadingDecimal(text), -PanelLayout::kMaxCoordinate,
                      PanelLayout::kMaxCoordinate);
}

int LookUp(const QString& text, std::initializer_list<const char*> table)
{
    int i = 0;
    for (const char* entry : table) {
        if (text == QLatin1StringView(entry))
            return i;
        ++i;
    }
    return -1;
}

std::unique_ptr<CPanelItem> CreateItem(const QString& element)
{
    if (element == u"PANEL")
        return std::make_unique<CPanel>(element);
    if (element == u"PORT")
        return std::make_unique<CPort>(element);
    if (element == u"LAMP")
        return std::make_unique<CLamp>(element);
    if (element == u"SLOT")
        return std::make_unique<CSlot>(element);
    if (element == u"CONSOLE" || element == u"MASTER" || element == u"RPS" || element == u"FAN")
        return std::make_unique<CCom>(element);
    if (element == u"POWER")
        return std::make_unique<CPowerContainer>(element);
    if (element == u"LED")
        return std::make_unique<CLed>(element);
    if (element == u"MODULE")
        return std::make_unique<CModule>(element);
    return nullptr;
}

void ReadCommonAttributes(CPanelItem& item, const Element& e)
{
    item.setId(e.attrs[AttrId]);
    item.setGeometry(ParseCoordinate(e.attrs[AttrLeft]), ParseCoordinate(e.attrs[AttrTop]),
                     ParseCoordinate(e.attrs[AttrWidth]), ParseCoordinate(e.attrs[AttrHeight]));
    item.setBitmapName(e.attrs[AttrBmp]);
}

void ReadAttributes(CPanelItem& item, const Element& e)
{
    ReadCommonAttributes(item, e);
    if (auto* lamp = dynamic_cast<CLamp*>(&item)) {
        const int state = LookUp(e.attrs[AttrStatus], {"LAMPON", "LAMP1G", "LAMPOFF"});
        if (state >= 0)
            lamp->setState(state);
        const int type = LookUp(e.attrs[AttrType], {"LINK", "S100M", "POWER", "CONSOLE"});
        if (type >= 0)
            lamp->setType(type);
        lamp->setName(e.attrs[AttrName]);
    } else if (auto* port = dynamic_cast<CPort*>(&item)) {
        const int state = LookUp(e.attrs[AttrStatus], {"PORTLINK100", "PORTLINK10", "PORTDISABLED",
                                                       "PORTENABLE", "PORTEMPTY"});
        if (state >= 0)
            port->setState(state);
        for (int s = 0; s < kPortStateCount; ++s)
            port->setStateBitmapName(s, e.attrs[static_cast<std::size_t>(AttrPortBmp0 + s)]);
    } else if (auto* led = dynamic_cast<CLed*>(&item)) {
        for (int d = 0; d < kLedDigitCount; ++d)
            led->setDigitBitmapName(d, e.attrs[static_cast<std::size_t>(AttrLedBmp0 + d)]);
    }
    // A state read from the file is where the item starts, not a change.
    item.clearChanged();
}

bool IsDescriptionRoot(const QString& element)
{
    return element == u"DEVICEPANEL" || element == u"DEVICEMODULE";
}

// Turns parsed elements into items the way a DOM walk over the two element
// queries (DEVICEPANEL, then DEVICEMODULE) does.
class Builder
{
public:
    Builder(const std::vector<Element>& elements, CDevModule& root, std::vector<CPanelItem*>& all)
        : m_elements(elements), m_root(root), m_all(all)
    {}

    void buildQuery(const char* tag)
    {
        std::vector<int> found;
        for (std::size_t i = 0; i < m_elements.size(); ++i)
            if (m_elements[i].name == QLatin1StringView(tag))
                found.push_back(static_cast<int>(i));
        kx::Trace("oooooooooooooooooooooooooooooooo");
        kx::TraceF(" node num = %d", static_cast<int>(found.size()));
        kx::Trace("ooooooooooooooooooooooooooooooooooo");
        buildList(found, static_cast<int>(found.size()), &m_root, true);
    }

private:
    // `parent` null: the nodes have no parent item, and only MODULE makes one.
    void buildList(const std::vector<int>& nodes, int nodeCount, CPanelItem* parent, bool fromQuery)
    {
        kx::Trace("stroooooooooooooooo");
        kx::TraceF(" node num = %d", nodeCount);
        kx::Trace("stroooooooooooooooo");
        for (int index : nodes) {
            const Element& e = m_elements[static_cast<std::size_t>(index)];
            if (IsDescriptionRoot(e.name)) {
                // Met again inside another element it is skipped: the query finds
                // it by itself, and building it twice would double its items at
                // every level of nesting.
                if (!fromQuery)
                    continue;
                if (!m_rootRead) {
                    ReadCommonAttributes(m_root, e);
                    m_rootRead = true;
                }
                buildList(e.children, e.childNodes,
                          e.name == u"DEVICEPANEL" ? static_cast<CPanelItem*>(&m_root) : nullptr,
                          false);
                continue;
            }
            if (!parent && e.name != u"MODULE")
                continue;
            std::unique_ptr<CPanelItem> created = CreateItem(e.name);
            if (!created)
                continue;
            ReadAttributes(*created, e);
            CPanelItem* owner = parent ? parent : &m_root;
            CPanelItem* item = owner->addChild(std::move(created));
            m_all.push_back(item);
            if (auto* lamp = dynamic_cast<CLamp*>(item))
                if (auto* lamps = dynamic_cast<CLampOwner*>(owner))
                    lamps->appendLamp(lamp);
            buildList(e.children, e.childNodes, item, false);
        }
    }

    const std::vector<Element>& m_elements;
    CDevModule& m_root;
    std::vector<CPanelItem*>& m_all;
    bool m_rootRead = false;
};

} // namespace

PanelLayout::PanelLayout() : m_root(std::make_unique<CDevModule>()) {}

PanelLayout::~PanelLayout() = default;

void PanelLayout::clear()
{
    m_allItems.clear();
    m_root = std::make_unique<CDevModule>();
    m_background = QImage();
    m_images.clear();
    m_filePath.clear();
    m_loaded = false;
}

bool PanelLayout::load(const QString& xmlName)
{
    clear();
    const QString path = kx::ResolveInstallFile(xmlName, kx::InstallSearchPath());
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (file.size() > m_limits.maxFileBytes || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray xml = file.read(m_limits.maxFileBytes + 1);
    if (!loadFromData(xml, QFileInfo(path).absolutePath()))
        return false;
    m_filePath = path;
    return true;
}

bool PanelLayout::loadFromData(const QByteArray& xml, const QString& baseDirectory)
{
    clear();
    QStringList dirs = kx::InstallSearchPath();
    if (!baseDirectory.isEmpty())
        dirs.prepend(baseDirectory);
    m_images.setSearchDirectories(dirs);
    if (!build(xml)) {
        clear();
        return false;
    }
    // The background is stretched over the panel, so only the general bounds
    // hold for it; the items' bitmaps are drawn in their own size and may be no
    // larger than the panel.
    m_background = kx::LoadBitmapFile(kx::ResolveInstallFile(m_root->bitmapName(), dirs));
    m_loaded = true;
    m_images.setLimits(panelSize(), m_limits.maxImageBytes);
    return true;
}

bool PanelLayout::build(const QByteArray& xml)
{
    if (xml.size() > m_limits.maxFileBytes)
        return false;
    std::vector<Element> elements;
    if (!Parse(xml, m_limits, elements))
        return false;
    Builder builder(elements, *m_root, m_allItems);
    builder.buildQuery("DEVICEPANEL");
    builder.buildQuery("DEVICEMODULE");
    return true;
}

CPanelItem* PanelLayout::nthItem(std::string_view runtimeClass, int n) const
{
    if (n < 0)
        return nullptr;
    for (const auto& child : m_root->children())
        if (child->isKindOf(runtimeClass) && n-- == 0)
            return child.get();
    return nullptr;
}

CPort* PanelLayout::nthPort(int n) const
{
    return dynamic_cast<CPort*>(nthItem("CPort", n));
}

int PanelLayout::topLevelPortCount() const
{
    return static_cast<int>(std::count_if(m_root->children().begin(), m_root->children().end(),
                                          [](const auto& c) { return c->isKindOf("CPort"); }));
}

namespace {

void ResetPortsInside(CPanelItem& item)
{
    for (const auto& child : item.children()) {
        if (child->isKindOf("CPort"))
            child->setState(PortEnabled);
        ResetPortsInside(*child);
    }
}

} // namespace

void PanelLayout::resetPortsAfterFailedWalk()
{
    int ports = 0;
    for (const auto& child : m_root->children()) {
        if (child->isKindOf("CPort")) {
            ++ports;
            if (ports <= 48)
                child->setState(PortEnabled);
            else if (ports <= 52)
                child->setState(PortEmpty);
        } else if (child->isKindOf("CModule")) {
            ResetPortsInside(*child);
        }
    }
}

QSize PanelLayout::panelSize() const
{
    if (!m_loaded)
        return kDefaultPanelSize;
    // A description that gives no size takes its background's, then the default.
    auto extent = [](int declared, int picture, int fallback) {
        const int v = declared > 0 ? declared : picture > 0 ? picture : fallback;
        return std::clamp(v, 1, kMaxPanelExtent);
    };
    return QSize(extent(m_root->width(), m_background.width(), kDefaultPanelSize.width()),
                 extent(m_root->height(), m_background.height(), kDefaultPanelSize.height()));
}

void PanelLayout::drawBackground(QPainter& painter, const QRect& clientArea) const
{
    if (m_background.isNull())
        return;
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(clientArea, m_background);
    painter.setCompositionMode(mode);
}

void PanelLayout::drawItems(QPainter& painter)
{
    for (const auto& child : m_root->children())
        child->draw(painter, m_images);
}

void PanelLayout::draw(QPainter& painter, const QRect& clientArea)
{
    drawBackground(painter, clientArea);
    drawItems(painter);
}
