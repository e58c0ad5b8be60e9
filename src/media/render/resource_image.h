#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace plk {

// The palette shows every image at three cell sizes.
inline constexpr std::array<int, 3> kThumbnailSides = {48, 64, 128};

// One palette image decoded once: the pixels the texture store keeps and the thumbnails.
struct ResourceImage {
    QImage image;                      // premultiplied ARGB32
    std::array<QImage, 3> thumbnails;  // opaque squares of kThumbnailSides
};

// The whole image squeezed into each square (proportions not kept) over white. The 128
// square is scaled from the image and the smaller ones from the 128, which looks the same
// at those sizes and costs far less than scaling the full image three times.
std::array<QImage, 3> MakeThumbnails(const QImage& image);

// Decodes image bytes as the texture store would (PNG, or BMP) and makes the thumbnails;
// nothing when the bytes do not decode.
std::optional<ResourceImage> DecodeResourceImage(std::span<const std::uint8_t> bytes);

}  // namespace plk
