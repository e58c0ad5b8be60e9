#include "media/render/texture_store.h"

#include <atomic>

#include <QPainter>
#include <algorithm>
#include <mutex>

#include "core/codec/packed_loader.h"
#include "media/render/frame_lock.h"
#include "media/render/image_decoder.h"

namespace plk {
namespace {

std::unique_ptr<TextureStore>& SharedStore() {
    static std::unique_ptr<TextureStore> store;
    return store;
}

std::uint32_t TileCount(std::uint32_t size, std::uint32_t maxSide) {
    std::uint32_t count = 1;
    while (size > maxSide) {
        size -= maxSide;
        ++count;
    }
    return count;
}

std::uint32_t SurfaceBytes(const QImage& image) {
    return static_cast<std::uint32_t>(image.sizeInBytes());
}

}  // namespace

bool TextureEntry::HasTexture() const {
    return !tiles.empty() && std::all_of(tiles.begin(), tiles.end(),
                                         [](const TextureTile& t) { return !t.texture.isNull(); });
}

namespace {
std::atomic<std::uint64_t> g_generation{0};
}  // namespace

std::uint64_t TextureStore::Generation() {
    return g_generation.load(std::memory_order_relaxed);
}

TextureStore& TextureStore::Instance() {
    std::lock_guard lock(FrameMutex());
    auto& store = SharedStore();
    if (!store) {
        store = std::make_unique<TextureStore>();
    }
    return *store;
}

void TextureStore::Destroy() {
    std::lock_guard lock(FrameMutex());
    auto& store = SharedStore();
    if (store) {
        store->ReleaseLevel(kEmbeddedLevel);
        store.reset();
    }
}

TextureEntry* TextureStore::AddEntry(std::string_view key, std::string_view source,
                                     std::uint32_t colourKey, std::uint8_t level) {
    if (TextureEntry* present = Find(key)) {
        ++present->refCount;
        return nullptr;
    }
    TextureEntry entry;
    entry.level = level;
    entry.name = key;
    entry.source = source;
    entry.colourKey = colourKey;
    entry.refCount = 1;
    return &m_entries.emplace(std::string(key), std::move(entry)).first->second;
}

TextureEntry* TextureStore::Find(std::string_view name) {
    g_generation.fetch_add(1, std::memory_order_relaxed);  // the caller may change it
    auto it = m_entries.find(name);
    return it == m_entries.end() ? nullptr : &it->second;
}

bool TextureStore::LoadFromFile(const std::filesystem::path& path, std::string_view source,
                                std::uint32_t colourKey) {
    std::lock_guard lock(FrameMutex());
    std::string key = path.filename().string();
    // The entry exists from here on, even if reading fails: a later load of the same key
    // only adds a reference, and Bind keeps ignoring it.
    TextureEntry* entry = AddEntry(key, source, colourKey, kFileLevel);
    if (entry == nullptr) {
        return true;
    }
    std::optional<std::vector<std::uint8_t>> bytes = LoadPackedFile(path, source);
    if (!bytes) {
        return false;
    }
    return LoadBytes(*entry, *bytes);
}

bool TextureStore::LoadFromResource(int resourceId, std::string_view type, std::string_view name,
                                    std::uint32_t colourKey) {
    std::lock_guard lock(FrameMutex());
    TextureEntry* entry = AddEntry(name, type, colourKey, kEmbeddedLevel);
    if (entry == nullptr) {
        return true;
    }
    std::optional<std::vector<std::uint8_t>> bytes = LoadPackedResource(resourceId, type);
    if (!bytes) {
        return false;
    }
    return LoadBytes(*entry, *bytes);
}

bool TextureStore::LoadFromImage(std::string_view name, std::string_view source,
                                 const QImage& image, std::uint32_t colourKey, std::uint8_t level) {
    std::lock_guard lock(FrameMutex());
    TextureEntry* entry = AddEntry(name, source, colourKey, level);
    if (entry == nullptr) {
        return true;
    }
    entry->width = static_cast<std::uint32_t>(image.width());
    entry->height = static_cast<std::uint32_t>(image.height());
    return !image.isNull() && Upload(*entry, image);
}

bool TextureStore::LoadBytes(TextureEntry& entry, std::span<const std::uint8_t> bytes) {
    std::optional<QImage> image = DecodeImage(bytes, entry.colourKey);
    if (!image) {
        return false;
    }
    return Upload(entry, *image);
}

// Splits the decoded image into tiles no larger than the maximum texture size. The tiles
// follow the decoded pixels, never what a header claimed.
bool TextureStore::Upload(TextureEntry& entry, const QImage& image) {
    g_generation.fetch_add(1, std::memory_order_relaxed);
    const std::uint32_t maxSide = m_maxTextureSize;
    entry.width = static_cast<std::uint32_t>(image.width());
    entry.height = static_cast<std::uint32_t>(image.height());
    entry.tilesX = TileCount(entry.width, maxSide);
    entry.tilesY = TileCount(entry.height, maxSide);
    entry.tiles.assign(static_cast<std::size_t>(entry.tilesX) * entry.tilesY, TextureTile{});
    entry.bytes = 0;
    if (entry.tilesX == 1 && entry.tilesY == 1) {
        TextureTile& tile = entry.tiles[0];
        tile.texture = image;  // shares the pixels; no copy
        tile.width = static_cast<std::uint32_t>(image.width());
        tile.height = static_cast<std::uint32_t>(image.height());
        entry.tileWidth = tile.width;
        entry.tileHeight = tile.height;
        entry.bytes = SurfaceBytes(tile.texture);
    } else {
        for (std::uint32_t r = 0; r < entry.tilesY; ++r) {
            for (std::uint32_t c = 0; c < entry.tilesX; ++c) {
                TextureTile& tile = entry.tiles[r * entry.tilesX + c];
                tile.texture = QImage(static_cast<int>(maxSide), static_cast<int>(maxSide),
                                      QImage::Format_ARGB32_Premultiplied);
                if (tile.texture.isNull()) {
                    return false;
                }
                tile.texture.fill(Qt::transparent);
                QPainter painter(&tile.texture);
                painter.setCompositionMode(QPainter::CompositionMode_Source);
                painter.drawImage(
                    QPoint(0, 0), image,
                    QRect(static_cast<int>(c * maxSide), static_cast<int>(r * maxSide),
                          static_cast<int>(maxSide), static_cast<int>(maxSide)));
                painter.end();
                tile.width = tile.height = maxSide;
                entry.tileWidth = entry.tileHeight = maxSide;
                entry.bytes += SurfaceBytes(tile.texture);
            }
        }
    }
    m_totalBytes += entry.bytes;
    return true;
}

bool TextureStore::CreateBlank(std::string_view name, std::uint32_t width, std::uint32_t height,
                               std::uint8_t level, std::uint32_t colourKey) {
    std::lock_guard lock(FrameMutex());
    TextureEntry* entry = AddEntry(name, name, colourKey, level);
    if (entry == nullptr) {
        return true;
    }
    entry->width = width;
    entry->height = height;
    QImage blank(static_cast<int>(width), static_cast<int>(height),
                 QImage::Format_ARGB32_Premultiplied);
    if (blank.isNull()) {
        return false;
    }
    blank.fill(Qt::transparent);
    return Upload(*entry, blank);
}

const TextureEntry* TextureStore::Bind(std::string_view name) const {
    if (name.empty()) {
        return nullptr;
    }
    auto it = m_entries.find(name);
    if (it == m_entries.end() || !it->second.HasTexture()) {
        return nullptr;
    }
    return &it->second;
}

void TextureStore::FreeEntry(TextureEntry& entry) {
    g_generation.fetch_add(1, std::memory_order_relaxed);
    m_totalBytes -= entry.bytes;
    entry.bytes = 0;
    entry.tiles.clear();
}

void TextureStore::Release(std::string_view name) {
    std::lock_guard lock(FrameMutex());
    if (name.empty()) {
        return;
    }
    auto it = m_entries.find(name);
    if (it == m_entries.end()) {
        return;
    }
    if (--it->second.refCount < 1) {
        FreeEntry(it->second);
        m_entries.erase(it);
    }
}

void TextureStore::ReleaseLevel(std::uint8_t highestLevel) {
    std::lock_guard lock(FrameMutex());
    std::vector<std::string> freed;
    for (auto& [key, entry] : m_entries) {
        if (entry.level <= highestLevel) {
            FreeEntry(entry);
            freed.push_back(key);
        }
    }
    // Erased after the walk so the walk never steps on a removed node.
    for (const std::string& key : freed) {
        m_entries.erase(key);
    }
}

}  // namespace plk
