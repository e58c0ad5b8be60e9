// The image decoder (PNG through libspng, BMP through Qt) and the texture store's tiling on
// arbitrary bytes. The first byte picks the colour key, so keyed decoding is covered too.
#include <QImage>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "media/render/image_decoder.h"
#include "media/render/texture_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint32_t colourKey = data[0] & 1 ? 0xFF000000u | data[0] : 0;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    (void)plk::ImageSizeFromHeader(bytes);
    std::optional<QImage> image = plk::DecodeImage(bytes, colourKey);
    if (!image) {
        return 0;
    }
    if (image->width() > 16384 || image->height() > 16384 ||
        image->format() != QImage::Format_ARGB32_Premultiplied) {
        std::abort();
    }
    // Small tiles, so that even small images are split.
    plk::TextureStore& store = plk::TextureStore::Instance();
    store.SetMaxTextureSize(16);
    store.LoadFromImage("fuzz", "", *image, 0, plk::TextureStore::kFileLevel);
    const plk::TextureEntry* entry = store.Bind("fuzz");
    if (entry == nullptr || entry->width != static_cast<std::uint32_t>(image->width()) ||
        entry->tiles.size() != std::size_t{entry->tilesX} * entry->tilesY) {
        std::abort();
    }
    store.Release("fuzz");
    return 0;
}
