#include "media/render/image_decoder.h"

#include <spng.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

namespace plk {
namespace {

std::uint32_t ByteAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    return at < bytes.size() ? bytes[at] : 0u;
}

std::uint32_t LittleEndianAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    return ByteAt(bytes, at) | ByteAt(bytes, at + 1) << 8 | ByteAt(bytes, at + 2) << 16 |
           ByteAt(bytes, at + 3) << 24;
}

std::uint32_t BigEndianAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    return ByteAt(bytes, at) << 24 | ByteAt(bytes, at + 1) << 16 | ByteAt(bytes, at + 2) << 8 |
           ByteAt(bytes, at + 3);
}

bool IsPng(std::span<const std::uint8_t> bytes) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return bytes.size() >= 8 && std::memcmp(bytes.data(), kSignature, 8) == 0;
}

// The largest side accepted from any image file: far beyond what the preview can show, and
// small enough that a hostile header cannot make us allocate without bound.
constexpr std::uint32_t kMaxSide = 16384;

bool IsBmp(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

// Whether the size a BMP header states is one we decode. The OS/2 header (12 bytes) holds
// 16-bit sides, the later ones 32-bit sides with a negative height for top-down rows.
bool BmpSizeAcceptable(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kInfoAt = 14;
    if (bytes.size() < kInfoAt + 4) {
        return false;
    }
    const std::uint32_t infoSize = LittleEndianAt(bytes, kInfoAt);
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (infoSize == 12) {
        width = ByteAt(bytes, 18) | ByteAt(bytes, 19) << 8;
        height = ByteAt(bytes, 20) | ByteAt(bytes, 21) << 8;
    } else if (infoSize >= 16 && bytes.size() >= kInfoAt + 12) {
        width = static_cast<std::int32_t>(LittleEndianAt(bytes, 18));
        height = static_cast<std::int32_t>(LittleEndianAt(bytes, 22));
    } else {
        return false;
    }
    const std::int64_t side = std::max(width < 0 ? -width : width, height < 0 ? -height : height);
    return width != 0 && height != 0 && side <= kMaxSide;
}

struct SpngContextDeleter {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};

std::optional<QImage> DecodePng(std::span<const std::uint8_t> bytes) {
    std::unique_ptr<spng_ctx, SpngContextDeleter> ctx(spng_ctx_new(0));
    if (!ctx) {
        return std::nullopt;
    }
    // Refuse absurd sizes before allocating: a hostile header must not exhaust memory.
    spng_set_image_limits(ctx.get(), kMaxSide, kMaxSide);
    spng_set_crc_action(ctx.get(), SPNG_CRC_USE, SPNG_CRC_USE);
    if (spng_set_png_buffer(ctx.get(), bytes.data(), bytes.size()) != 0) {
        return std::nullopt;
    }
    spng_ihdr ihdr{};
    std::size_t size = 0;
    if (spng_get_ihdr(ctx.get(), &ihdr) != 0 ||
        spng_decoded_image_size(ctx.get(), SPNG_FMT_RGBA8, &size) != 0) {
        return std::nullopt;
    }
    QImage image(static_cast<int>(ihdr.width), static_cast<int>(ihdr.height),
                 QImage::Format_RGBA8888);
    if (image.isNull() || static_cast<std::size_t>(image.sizeInBytes()) != size) {
        return std::nullopt;
    }
    if (spng_decode_image(ctx.get(), image.bits(), size, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS) != 0) {
        return std::nullopt;
    }
    return image;
}

void ApplyColourKey(QImage& image, std::uint32_t colourKey) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == colourKey) {
                line[x] = 0;
            }
        }
    }
}

}  // namespace

ImageSize ImageSizeFromHeader(std::span<const std::uint8_t> bytes) {
    if (IsBmp(bytes)) {
        return {LittleEndianAt(bytes, 18), LittleEndianAt(bytes, 22)};
    }
    constexpr std::size_t kSearched = 64;
    std::size_t at = 0;
    for (; at < kSearched; ++at) {
        if (at + 5 > bytes.size()) {
            at = kSearched;
            break;
        }
        const char* tag = "ihdr";
        bool match = bytes[at + 4] == 0;
        for (int k = 0; k < 4 && match; ++k) {
            match = std::tolower(bytes[at + static_cast<std::size_t>(k)]) == tag[k];
        }
        if (match) {
            break;
        }
    }
    return {BigEndianAt(bytes, at + 4), BigEndianAt(bytes, at + 8)};
}

std::optional<QImage> DecodeImage(std::span<const std::uint8_t> bytes, std::uint32_t colourKey) {
    std::optional<QImage> decoded;
    if (IsPng(bytes)) {
        decoded = DecodePng(bytes);
    } else if (IsBmp(bytes) && BmpSizeAcceptable(bytes)) {
        QImage image;
        if (image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "BMP")) {
            decoded = std::move(image);
        }
    }
    if (!decoded || decoded->isNull()) {
        return std::nullopt;
    }
    if (colourKey == 0) {
        return std::move(*decoded).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    // The key is compared in ARGB, before premultiplying changes colours.
    QImage argb = std::move(*decoded).convertToFormat(QImage::Format_ARGB32);
    ApplyColourKey(argb, colourKey);
    return std::move(argb).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace plk
