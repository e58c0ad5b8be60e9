#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

namespace plk {

struct ImageSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The size an image file announces in its header, without decoding it: a "BM" file holds
// it at bytes 18 and 22 (little-endian); otherwise "IHDR" followed by a zero byte is looked
// for in the first 64 positions (letter case ignored) and the big-endian words after the
// four letters are taken, from position 64 when no position matches. Bytes beyond the
// buffer count as zero.
ImageSize ImageSizeFromHeader(std::span<const std::uint8_t> bytes);

// Decodes a PNG (libspng) or BMP (Qt) image into premultiplied ARGB32. An image whose
// header states a side beyond 16384 pixels is refused before anything is allocated. Pixels whose
// unpremultiplied ARGB colour equals `colourKey` become fully transparent; 0 means no key.
// Returns nothing when the bytes are not a decodable image.
std::optional<QImage> DecodeImage(std::span<const std::uint8_t> bytes, std::uint32_t colourKey);

}  // namespace plk
