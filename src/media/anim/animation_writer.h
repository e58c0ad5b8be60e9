#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace plk {

// Writes the frames of an animated picture file as they come. Nothing appears at the
// target until Finish(): the file is written atomically, and a writer dropped before that
// leaves no file behind.
class AnimationWriter {
public:
    virtual ~AnimationWriter() = default;
    // `picture` has the animation's size in Format_ARGB32 and stays on show from `startMs`
    // for `durationMs` (frames come in order and follow each other without gaps).
    virtual void AddFrame(const QImage& picture, std::int64_t startMs, std::int64_t durationMs) = 0;
    // The animation ends at `endMs`; writes the file. Throws FileError.
    virtual void Finish(std::int64_t endMs) = 0;
};

// GIF: one palette per frame chosen by libimagequant with dithering; each frame after the
// first covers only the rectangle that changed, with unchanged pixels transparent. Delays
// are centiseconds carried on the animation's clock; a frame shorter than two is left out
// (viewers would stretch it to ten) and the one before stays on show. Loops forever.
std::unique_ptr<AnimationWriter> MakeGifWriter(const std::filesystem::path& out, QSize size);

// WebP with libwebp's animation encoder: lossless, or lossy at `lossyQuality` 0..100.
// Loops forever.
std::unique_ptr<AnimationWriter> MakeWebpWriter(const std::filesystem::path& out, QSize size,
                                                std::optional<int> lossyQuality);

}  // namespace plk
