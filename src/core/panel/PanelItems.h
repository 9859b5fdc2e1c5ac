#pragma once

// The items of a front-panel description: one tree per panel, rooted in a
// CDevModule. Items are created only by PanelLayout's reader; the panel window
// reads them, changes their states and lets them draw themselves.
//
// Code tells the item classes apart by their run-time class name
// (runtimeClassName()), the way the layout queries do; dynamic_cast to the
// concrete class gives access to the class's own fields.

#include <QRect>
#include <QString>
#include <array>
#include <memory>
#include <string_view>
#include <vector>

class QPainter;

namespace kx {
class PanelImageStore;
}

// The state of a front-panel port, as the STATUS values of PORT name it and as
// the polling derives it. A link at the port's top speed is state 1, which the
// layout shows with the bitmap named by BMPLINK10.
enum PortState : int
{
    PortLinkLowerSpeed = 0, // "PORTLINK100"
    PortLinkTopSpeed = 1,   // "PORTLINK10"
    PortDisabled = 2,       // "PORTDISABLED"
    PortEnabled = 3,        // "PORTENABLE": enabled, no link
    PortEmpty = 4,          // "PORTEMPTY"
};
inline constexpr int kPortStateCount = 5;

// States and types of a LAMP item.
enum LampState : int
{
    LampOn = 0,  // "LAMPON"
    Lamp1G = 1,  // "LAMP1G"
    LampOff = 2, // "LAMPOFF"
};
inline constexpr int kLampStateCount = 3;
inline constexpr int kLedDigitCount = 10;

enum LampType : int
{
    LampTypeLink = 0,    // "LINK"
    LampTypeS100M = 1,   // "S100M"
    LampTypePower = 2,   // "POWER"
    LampTypeConsole = 3, // "CONSOLE"
};

class CLamp;

// (left, top, left + width, top + height): right and bottom lie just outside.
struct ItemRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ItemRect&) const = default;
};

// The common base of every panel item.
class CPanelItem
{
public:
    // Bitmap file names are kept to this many characters, texts to kMaxTextLength.
    static constexpr int kMaxBitmapNameLength = 99;
    static constexpr int kMaxTextLength = 255;

    explicit CPanelItem(QString elementName = {});
    virtual ~CPanelItem();
    CPanelItem(const CPanelItem&) = delete;
    CPanelItem& operator=(const CPanelItem&) = delete;

    // "CDevModule", "CPanel", "CModule", "CPort", "CLamp", "CSlot", "CCom", "CLed";
    // the power container has no name of its own and answers the base's, "CPanelItem".
    virtual const char* runtimeClassName() const;
    bool isKindOf(std::string_view runtimeClass) const
    {
        return runtimeClass == runtimeClassName();
    }

    // The element the item was read from (PORT, FAN, ...); empty for the root.
    const QString& elementName() const { return m_elementName; }

    const QString& id() const { return m_id; }
    const QString& name() const { return m_name; }
    int left() const { return m_left; }
    int top() const { return m_top; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    ItemRect itemRect() const { return {m_left, m_top, m_left + m_width, m_top + m_height}; }
    // The same area as a QRect (whose right() and bottom() are inclusive).
    QRect rect() const { return QRect(m_left, m_top, m_width, m_height); }
    // The main bitmap (BMP); for the root, the panel's background.
    const QString& bitmapName() const { return m_bitmapName; }

    int state() const { return m_state; }
    // Stores `state`; returns true and marks the item changed when it differs from
    // the state the item had.
    bool setState(int state);
    bool isChanged() const { return m_changed; }
    void clearChanged() { m_changed = false; }

    CPanelItem* parent() const { return m_parent; }
    const std::vector<std::unique_ptr<CPanelItem>>& children() const { return m_children; }

    // The bitmap file the item shows in its current state; empty draws nothing.
    virtual QString currentBitmapName() const { return m_bitmapName; }

    // Draws the current bitmap at left/top in the bitmap's own size, then the
    // children in description order, and clears the changed flags on the way.
    void draw(QPainter& painter, kx::PanelImageStore& images);

    // A mouse position in client coordinates (button press or move). Items do
    // nothing with it; the root hands it to every item of the tree in order.
    virtual void mouseEvent(const QPoint& clientPoint);

    // Filled by the layout reader only.
    void setId(const QString& text);
    void setName(const QString& text);
    void setGeometry(int left, int top, int width, int height);
    void setBitmapName(const QString& name);
    CPanelItem* addChild(std::unique_ptr<CPanelItem> child);

    // Cuts a bitmap file name to kMaxBitmapNameLength characters.
    static QString boundedBitmapName(const QString& name);

protected:
    // The state a freshly read item has before STATUS is applied.
    void setInitialState(int state) { m_state = state; }

private:
    QString m_elementName;
    QString m_id;
    QString m_name;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    QString m_bitmapName;
    int m_state = 0;
    bool m_changed = false;
    CPanelItem* m_parent = nullptr;
    std::vector<std::unique_ptr<CPanelItem>> m_children;
};

// The root: its children are the top-level items in description order. Its
// rectangle is the panel's size and its bitmap the background.
class CDevModule : public CPanelItem
{
public:
    CDevModule() = default;
    const char* runtimeClassName() const override { return "CDevModule"; }
    void mouseEvent(const QPoint& clientPoint) override;
};

class CPanel : public CPanelItem
{
public:
    using CPanelItem::CPanelItem;
    const char* runtimeClassName() const override { return "CPanel"; }
};

// A plug-in module; its ports count apart from the top-level ports.
class CModule : public CPanelItem
{
public:
    using CPanelItem::CPanelItem;
    const char* runtimeClassName() const override { return "CModule"; }
};

class CSlot : public CPanelItem
{
public:
    using CPanelItem::CPanelItem;
    const char* runtimeClassName() const override { return "CSlot"; }
};

// POWER: a container without a run-time class name of its own.
class CPowerContainer : public CPanelItem
{
public:
    using CPanelItem::CPanelItem;
};

// A lamp. The layout gives it a position, a state and a type; the panel window
// draws lamps of ports from its own resources at the lamp's left/top. A lamp
// starts as LampOff until STATUS says otherwise. The layout names no bitmaps
// for lamp states, so a lamp read from a file draws nothing itself.
class CLamp : public CPanelItem
{
public:
    explicit CLamp(QString elementName = QStringLiteral("LAMP"));
    const char* runtimeClassName() const override { return "CLamp"; }
    int type() const { return m_type; }
    void setType(int type) { m_type = type; }
    const QString& stateBitmapName(int state) const;
    void setStateBitmapName(int state, const QString& name);
    QString currentBitmapName() const override;

private:
    int m_type = LampTypeLink;
    std::array<QString, kLampStateCount> m_stateBitmaps;
};

// Shared by the items that keep a list of their LAMP children.
class CLampOwner : public CPanelItem
{
public:
    using CPanelItem::CPanelItem;
    const std::vector<CLamp*>& lamps() const { return m_lamps; }
    // The k-th lamp in description order (k from 0); null when there is none.
    CLamp* lamp(int k) const;
    void appendLamp(CLamp* lamp) { m_lamps.push_back(lamp); }

private:
    std::vector<CLamp*> m_lamps; // owned as children
};

// A front-panel port: one bitmap per PortState, and its lamps. A port starts
// as PortEnabled (no link) until STATUS says otherwise.
class CPort : public CLampOwner
{
public:
    explicit CPort(QString elementName = QStringLiteral("PORT"));
    const char* runtimeClassName() const override { return "CPort"; }
    const QString& stateBitmapName(int state) const;
    void setStateBitmapName(int state, const QString& name);
    // The bitmap of the current PortState; a state outside 0..4 draws nothing.
    QString currentBitmapName() const override;

private:
    std::array<QString, kPortStateCount> m_stateBitmaps;
};

// CONSOLE, MASTER, RPS and FAN: a component with its own lamps.
class CCom : public CLampOwner
{
public:
    using CLampOwner::CLampOwner;
    const char* runtimeClassName() const override { return "CCom"; }
};

// A digit display: its state is the digit shown, 0..9.
class CLed : public CPanelItem
{
public:
    using CPanelItem::CPanelItem;
    const char* runtimeClassName() const override { return "CLed"; }
    const QString& digitBitmapName(int digit) const;
    void setDigitBitmapName(int digit, const QString& name);
    // The digit's bitmap; a state outside 0..9, or a digit without a bitmap,
    // shows the main bitmap.
    QString currentBitmapName() const override;

private:
    std::array<QString, kLedDigitCount> m_digitBitmaps;
};
