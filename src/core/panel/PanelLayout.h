#pragma once

// The front panel as its description file lays it out: a tree of panel items
// (PanelItems.h) under a CDevModule root, read once from the XML file that
// User.ini's XMLName names, plus the background bitmap.
//
// How the panel window uses it (all on the user-interface thread):
//
//   PanelLayout layout;
//   if (layout.load(info.XMLName)) {              // false: no items, no background
//       resize the client area to layout.panelSize();
//   }                                             // else keep the default 800 x 160
//
//   CPort* port = layout.nthPort(i);              // i-th top-level CPort, or null
//   if (port) port->setState(PortLinkTopSpeed);   // evaluated walk; true if it changed
//   CLamp* link = port ? port->lamp(0) : nullptr; // lamps 0, 1, 2: link, PoE, 2nd link
//   layout.resetPortsAfterFailedWalk();           // failed walk
//   layout.root().mouseEvent(clientPoint);        // press and move, to every item
//
// Painting. The window keeps one QImage the size of its client area as its
// drawing surface: on an invalidation it runs
//
//   QPainter p(&surface);
//   layout.draw(p, surface.rect());               // background stretched, then items
//
// and then the lamp rules draw PanelBitmapCache bitmaps into the same surface at
// the lamps' left/top (power and PoE budget lamps at their fixed places). Blink
// ticks draw only the lamps, so whatever a rule leaves alone keeps its last
// picture; paintEvent copies the surface to the screen. The installed KX-A1 R2
// background shows every lamp unlit and every port enabled without a link.

#include "core/panel/PanelImages.h"
#include "core/panel/PanelItems.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <string_view>
#include <vector>

class QPainter;
class QRect;

// Limits that keep a hostile description from exhausting the program. A file
// beyond them is refused like one that is not well-formed.
struct PanelLayoutLimits
{
    qint64 maxFileBytes = qint64(4) << 20;
    int maxElements = 10000;
    int maxDepth = 64;
    // The items' bitmaps together, decoded. An item's bitmap may be no larger
    // than the panel; what would pass either limit is refused like a corrupt file.
    qint64 maxImageBytes = kx::PanelImageStore::kBudgetBytes;
};

class PanelLayout
{
public:
    // Coordinates read from the file are kept within +-kMaxCoordinate, so that
    // left + width and top + height always fit in an int.
    static constexpr int kMaxCoordinate = 32767;
    // panelSize() never asks for a window larger than this.
    static constexpr int kMaxPanelExtent = 4096;
    // The window's size until a description replaces it.
    static constexpr QSize kDefaultPanelSize{800, 160};

    PanelLayout();
    ~PanelLayout();
    PanelLayout(const PanelLayout&) = delete;
    PanelLayout& operator=(const PanelLayout&) = delete;

    // Reads the description named `xmlName`. A relative name is looked for in
    // the program's directory, then in the current directory. Returns true when
    // the file was read as a well-formed document (its items built, its
    // background loaded); otherwise the layout is left empty, without a message.
    bool load(const QString& xmlName);
    // The same from the bytes of a description; relative bitmap names are looked
    // for in `baseDirectory`, then as load() looks for a description.
    bool loadFromData(const QByteArray& xml, const QString& baseDirectory = {});
    void clear();

    bool isLoaded() const { return m_loaded; }
    // The description that load() read (empty for loadFromData()).
    const QString& filePath() const { return m_filePath; }

    void setLimits(const PanelLayoutLimits& limits) { m_limits = limits; }
    const PanelLayoutLimits& limits() const { return m_limits; }

    CDevModule& root() { return *m_root; }
    const CDevModule& root() const { return *m_root; }
    // Every item of the tree in description order (a parent before its children).
    const std::vector<CPanelItem*>& allItems() const { return m_allItems; }

    // The n-th direct child of the root (n from 0) whose run-time class name is
    // `runtimeClass`, in description order; null when there are fewer.
    CPanelItem* nthItem(std::string_view runtimeClass, int n) const;
    // nthItem("CPort", n) as a port.
    CPort* nthPort(int n) const;
    // The number of CPort items among the root's direct children.
    int topLevelPortCount() const;

    // After a failed status walk: the root's CPort children counted in order get
    // PortEnabled (1st to 48th) or PortEmpty (49th to 52nd); later ones keep
    // their state. Every CPort inside a top-level CModule, at any depth, gets
    // PortEnabled.
    void resetPortsAfterFailedWalk();

    // The root's bitmap as read from the file (null when it has none or it
    // could not be read).
    const QImage& background() const { return m_background; }
    // The client size the window takes: the root's width and height, each kept
    // within 1..kMaxPanelExtent. kDefaultPanelSize when nothing was loaded.
    QSize panelSize() const;

    // The background stretched over `clientArea`; without one, nothing.
    void drawBackground(QPainter& painter, const QRect& clientArea) const;
    // Each top-level item draws itself (and its children) in description order;
    // changed flags are cleared.
    void drawItems(QPainter& painter);
    // The whole panel as after an invalidation: background, then items.
    void draw(QPainter& painter, const QRect& clientArea);

    // The bitmap files of the items, read once each.
    kx::PanelImageStore& images() { return m_images; }

private:
    bool build(const QByteArray& xml);

    PanelLayoutLimits m_limits;
    std::unique_ptr<CDevModule> m_root;
    std::vector<CPanelItem*> m_allItems;
    QImage m_background;
    kx::PanelImageStore m_images;
    QString m_filePath;
    bool m_loaded = false;
};
