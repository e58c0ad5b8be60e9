#include "media/render/resource_image.h"

#include <QPainter>

#include "media/render/image_decoder.h"

namespace plk {
namespace {

// `scaled` (premultiplied, already of the square's size) laid over white.
QImage OverWhite(const QImage& scaled) {
    QImage square(scaled.size(), QImage::Format_RGB32);
    square.fill(Qt::white);
    QPainter painter(&square);
    painter.drawImage(0, 0, scaled);
    return square;
}

}  // namespace

std::array<QImage, 3> MakeThumbnails(const QImage& image) {
    const int largest = kThumbnailSides[2];
    QImage square =
        OverWhite(image.scaled(largest, largest, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    std::array<QImage, 3> thumbnails;
    for (std::size_t i = 0; i + 1 < kThumbnailSides.size(); ++i) {
        thumbnails[i] = square.scaled(kThumbnailSides[i], kThumbnailSides[i], Qt::IgnoreAspectRatio,
                                      Qt::SmoothTransformation);
    }
    thumbnails[2] = std::move(square);
    return thumbnails;
}

std::optional<ResourceImage> DecodeResourceImage(std::span<const std::uint8_t> bytes) {
    std::optional<QImage> decoded = DecodeImage(bytes, 0);
    if (!decoded) {
        return std::nullopt;
    }
    ResourceImage result;
    result.thumbnails = MakeThumbnails(*decoded);
    result.image = std::move(*decoded);
    return result;
}

}  // namespace plk
