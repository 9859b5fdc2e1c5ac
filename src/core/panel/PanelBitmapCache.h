#pragma once

// The lamp bitmaps the panel draws itself, loaded by resource id from the
// program's resource folder (PanelResources.h).
//
//   PanelBitmapCache cache;                     // kx::ResourceDirectory()
//   for (int id : kx::res::kPanelBitmapIds)     // at initialisation, in order
//       cache.load(id);
//   cache.draw(painter, kx::res::kPortLampOn, lamp->left(), lamp->top());
//   cache.releaseAll();                         // when the window goes
//
// User-interface thread only.

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

class QPainter;

class PanelBitmapCache
{
public:
    explicit PanelBitmapCache(QString resourceDirectory = {});
    ~PanelBitmapCache();
    PanelBitmapCache(const PanelBitmapCache&) = delete;
    PanelBitmapCache& operator=(const PanelBitmapCache&) = delete;

    const char* runtimeClassName() const { return "CMyBitmapApp"; }
    const QString& resourceDirectory() const { return m_directory; }

    // Loads the bitmap resource `id` into a new entry. False (and no entry) when
    // the resource cannot be read or is larger than kx::kMaxLampExtent either
    // way; an id already loaded is not read twice.
    bool load(int id);

    // Copies the bitmap `id` straight onto the target, its full width and height
    // from its top-left corner to (x, y). An id that is not loaded draws nothing.
    void draw(QPainter& target, int id, int x, int y) const;

    // Deletes every entry.
    void releaseAll();

    // The entry `id`, looked for from the head of the list; null when not loaded.
    const QImage* find(int id) const;
    bool contains(int id) const { return find(id) != nullptr; }
    // The size of `id`, or an invalid size when not loaded.
    QSize size(int id) const;
    int count() const { return static_cast<int>(m_entries.size()); }

private:
    struct Entry
    {
        int id;
        QImage bitmap;
    };

    QString m_directory;
    std::vector<Entry> m_entries;
};
