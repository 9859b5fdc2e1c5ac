#include "core/panel/PanelBitmapCache.h"

#include "core/panel/PanelImages.h"
#include "core/panel/PanelResources.h"

#include <QPainter>

PanelBitmapCache::PanelBitmapCache(QString resourceDirectory)
    : m_directory(resourceDirectory.isEmpty() ? kx::ResourceDirectory()
                                              : std::move(resourceDirectory))
{}

PanelBitmapCache::~PanelBitmapCache() = default;

bool PanelBitmapCache::load(int id)
{
    if (contains(id))
        return true;
    QImage bitmap = kx::LoadBitmapFile(kx::BitmapResourcePath(m_directory, id),
                                       {kx::kMaxLampExtent, kx::kMaxLampExtent});
    if (bitmap.isNull())
        return false;
    m_entries.push_back({id, std::move(bitmap)});
    return true;
}

void PanelBitmapCache::draw(QPainter& target, int id, int x, int y) const
{
    const QImage* bitmap = find(id);
    if (!bitmap)
        return;
    const QPainter::CompositionMode mode = target.compositionMode();
    target.setCompositionMode(QPainter::CompositionMode_Source);
    target.drawImage(QPoint(x, y), *bitmap);
    target.setCompositionMode(mode);
}

void PanelBitmapCache::releaseAll()
{
    m_entries.clear();
}

const QImage* PanelBitmapCache::find(int id) const
{
    for (const Entry& e : m_entries)
        if (e.id == id)
            return &e.bitmap;
    return nullptr;
}

QSize PanelBitmapCache::size(int id) const
{
    const QImage* bitmap = find(id);
    return bitmap ? bitmap->size() : QSize();
}
