#pragma once

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plk {

// One texture of a stored image.
struct TextureTile {
    QImage texture;  // premultiplied ARGB32; null when the load failed
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

struct TextureEntry {
    std::string name;    // the key
    std::string source;  // second name given at load ("PRS" for embedded images)
    std::int32_t refCount = 0;
    std::vector<TextureTile> tiles;  // tilesX * tilesY, row-major
    std::uint32_t colourKey = 0;
    std::uint32_t tilesX = 1;
    std::uint32_t tilesY = 1;
    std::uint32_t width = 0;  // size of the decoded image
    std::uint32_t height = 0;
    std::uint32_t tileWidth = 0;
    std::uint32_t tileHeight = 0;
    std::uint32_t bytes = 0;
    std::uint8_t level = 0;  // 0 file images, 2 embedded images

    // True when every tile holds a texture that can be drawn.
    bool HasTexture() const;
    const TextureTile& Tile(std::uint32_t column, std::uint32_t row) const {
        return tiles[row * tilesX + column];
    }
};

// Every image the preview draws, keyed by name (case matters) with reference counts.
// Loads and releases take the frame lock, so they never overlap a frame being drawn.
class TextureStore {
public:
    static constexpr std::uint8_t kFileLevel = 0;
    static constexpr std::uint8_t kEmbeddedLevel = 2;
    static constexpr std::uint32_t kDefaultMaxTextureSize = 4096;

    static TextureStore& Instance();
    // Frees everything and drops the shared store; the next Instance() makes a new one.
    static void Destroy();

    // Key = the file name with its extension. A present key only gains a reference.
    bool LoadFromFile(const std::filesystem::path& path, std::string_view source,
                      std::uint32_t colourKey);
    // Key = `name`; the bytes come from the program's own compressed resources.
    bool LoadFromResource(int resourceId, std::string_view type, std::string_view name,
                          std::uint32_t colourKey);
    // Key = `name`; already decoded or raw image bytes handed in by the caller (used by the
    // palette, which decodes once for thumbnails and textures).
    bool LoadFromImage(std::string_view name, std::string_view source, const QImage& image,
                       std::uint32_t colourKey, std::uint8_t level);
    bool CreateBlank(std::string_view name, std::uint32_t width, std::uint32_t height,
                     std::uint8_t level, std::uint32_t colourKey);

    // The entry to draw, or nothing for an empty name, an unknown key or a failed load.
    const TextureEntry* Bind(std::string_view name) const;
    TextureEntry* Find(std::string_view name);
    void Release(std::string_view name);
    // Frees every entry whose level is at most `highestLevel`, whatever its references.
    void ReleaseLevel(std::uint8_t highestLevel);

    // Changes whenever any stored picture may have changed (across stores, too), so drawings
    // made from the store can be kept until then.
    static std::uint64_t Generation();

    std::uint32_t TotalBytes() const { return m_totalBytes; }
    std::size_t EntryCount() const { return m_entries.size(); }

    // The device's largest texture side; lowered in tests to exercise tiling.
    void SetMaxTextureSize(std::uint32_t side) { m_maxTextureSize = side; }
    std::uint32_t MaxTextureSize() const { return m_maxTextureSize; }

private:
    // A new entry with one reference, or nothing when the key is present, which then only
    // gains a reference.
    TextureEntry* AddEntry(std::string_view key, std::string_view source, std::uint32_t colourKey,
                           std::uint8_t level);
    bool LoadBytes(TextureEntry& entry, std::span<const std::uint8_t> bytes);
    bool Upload(TextureEntry& entry, const QImage& image);
    void FreeEntry(TextureEntry& entry);

    std::map<std::string, TextureEntry, std::less<>> m_entries;
    std::uint32_t m_totalBytes = 0;
    std::uint32_t m_maxTextureSize = kDefaultMaxTextureSize;
};

}  // namespace plk
