#include "core/panel/PanelItems.h"

#include "core/panel/PanelImages.h"

#include <QPainter>

CPanelItem::CPanelItem(QString elementName) : m_elementName(std::move(elementName)) {}

CPanelItem::~CPanelItem() = default;

const char* CPanelItem::runtimeClassName() const
{
    return "CPanelItem";
}

bool CPanelItem::setState(int state)
{
    if (state == m_state)
        return false;
    m_state = state;
    m_changed = true;
    return true;
}

void CPanelItem::draw(QPainter& painter, kx::PanelImageStore& images)
{
    if (const QImage* image = images.image(currentBitmapName())) {
        // A straight copy, as a bitmap block transfer does: what the file holds
        // replaces what was there, alpha and all.
        const QPainter::CompositionMode mode = painter.compositionMode();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(m_left, m_top), *image);
        painter.setCompositionMode(mode);
    }
    m_changed = false;
    for (const auto& child : m_children)
        child->draw(painter, images);
}

void CPanelItem::mouseEvent(const QPoint&) {}

void CPanelItem::setId(const QString& text)
{
    m_id = text.left(kMaxTextLength);
}

void CPanelItem::setName(const QString& text)
{
    m_name = text.left(kMaxTextLength);
}

void CPanelItem::setGeometry(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
}

void CPanelItem::setBitmapName(const QString& name)
{
    m_bitmapName = boundedBitmapName(name);
}

CPanelItem* CPanelItem::addChild(std::unique_ptr<CPanelItem> child)
{
    child->m_parent = this;
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

QString CPanelItem::boundedBitmapName(const QString& name)
{
    return name.left(kMaxBitmapNameLength);
}

namespace {

void PassMouse(const CPanelItem& item, const QPoint& point)
{
    for (const auto& child : item.children()) {
        child->mouseEvent(point);
        PassMouse(*child, point);
    }
}

template <std::size_t N> const QString& BitmapAt(const std::array<QString, N>& names, int index)
{
    static const QString none;
    return index >= 0 && index < static_cast<int>(N) ? names[static_cast<std::size_t>(index)]
                                                     : none;
}

template <std::size_t N>
void SetBitmapAt(std::array<QString, N>& names, int index, const QString& name)
{
    if (index >= 0 && index < static_cast<int>(N))
        names[static_cast<std::size_t>(index)] = CPanelItem::boundedBitmapName(name);
}

} // namespace

void CDevModule::mouseEvent(const QPoint& clientPoint)
{
    PassMouse(*this, clientPoint);
}

CLamp::CLamp(QString elementName) : CPanelItem(std::move(elementName))
{
    setInitialState(LampOff);
}

const QString& CLamp::stateBitmapName(int state) const
{
    return BitmapAt(m_stateBitmaps, state);
}

void CLamp::setStateBitmapName(int state, const QString& name)
{
    SetBitmapAt(m_stateBitmaps, state, name);
}

QString CLamp::currentBitmapName() const
{
    return stateBitmapName(state());
}

CLamp* CLampOwner::lamp(int k) const
{
    return k >= 0 && k < static_cast<int>(m_lamps.size()) ? m_lamps[static_cast<std::size_t>(k)]
                                                          : nullptr;
}

CPort::CPort(QString elementName) : CLampOwner(std::move(elementName))
{
    setInitialState(PortEnabled);
}

const QString& CPort::stateBitmapName(int state) const
{
    return BitmapAt(m_stateBitmaps, state);
}

void CPort::setStateBitmapName(int state, const QString& name)
{
    SetBitmapAt(m_stateBitmaps, state, name);
}

QString CPort::currentBitmapName() const
{
    return stateBitmapName(state());
}

const QString& CLed::digitBitmapName(int digit) const
{
    return BitmapAt(m_digitBitmaps, digit);
}

void CLed::setDigitBitmapName(int digit, const QString& name)
{
    SetBitmapAt(m_digitBitmaps, digit, name);
}

QString CLed::currentBitmapName() const
{
    const QString& digit = digitBitmapName(state());
    return digit.isEmpty() ? bitmapName() : digit;
}
