#pragma once

#include <QRect>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "core/content/resource_table.h"
#include "core/timesheet/cut.h"
#include "media/anim/virtual_playback.h"
#include "media/render/scene.h"

namespace plk {

enum class AnimationFormat { Gif, Webp };

struct AnimationExportOptions {
    VirtualPlaybackOptions playback;
    QRect region{0, 0, kCanvasWidth, kCanvasHeight};  // of the canvas
    double scale = 1.0;                               // applied to the region, smoothly
    AnimationFormat format = AnimationFormat::Gif;
    std::optional<int> lossyQuality;  // WebP only: lossy at this quality 0..100
};

// The size of the animation's pictures: the region scaled, at least 1 x 1.
QSize AnimationSize(const AnimationExportOptions& options);

struct AnimationSummary {
    std::size_t presents = 0;
    std::size_t frames = 0;  // after identical presents were merged
    std::int64_t durationMs = 0;
    RunEnd end = RunEnd::Rows;
};

// Told the virtual time reached after every present; false stops the run, which then
// throws ExportCancelled and leaves no file.
using AnimationProgress = std::function<bool(std::int64_t ms)>;

// Plays `cut` on virtual time through the shared renderer, as `plkce-cli playback` does,
// and writes what it presents as an animated GIF or WebP at `out`. Consecutive identical
// pictures become one frame shown for their summed time; the animation lasts as long as
// the run. The renderer must be initialised and the palette's images loaded. Throws
// FileError, ExportCancelled, and std::runtime_error when nothing was presented.
AnimationSummary ExportAnimation(const Cut& cut, const ResourceTable& palette,
                                 const AnimationExportOptions& options,
                                 const std::filesystem::path& out,
                                 const AnimationProgress& progress = {});

// The same run without writing anything: the length and the number of frames.
AnimationSummary MeasureAnimation(const Cut& cut, const ResourceTable& palette,
                                  const AnimationExportOptions& options,
                                  const AnimationProgress& progress = {});

}  // namespace plk
