#include "media/anim/animation_export.h"

#include <cmath>
#include <memory>
#include <stdexcept>

#include "core/project/game_export.h"
#include "media/anim/animation_assembler.h"
#include "media/render/renderer.h"

namespace plk {
namespace {

AnimationSummary Record(const Cut& cut, const ResourceTable& palette,
                        const AnimationExportOptions& options, AnimationWriter* writer,
                        const AnimationProgress& progress) {
    const QSize size = AnimationSize(options);
    const QRect region = options.region.intersected(QRect(0, 0, kCanvasWidth, kCanvasHeight));
    AnimationSummary summary;
    AnimationAssembler assembler(writer);

    VirtualPlaybackOptions playback = options.playback;
    if (!playback.view) {
        playback.view = ViewSettings{};  // the game's black screen, whatever the preview shows
    }
    playback.muted = true;
    const RunResult run =
        PlayCutOnVirtualTime(cut, palette, playback, [&](std::int64_t ms, const PresentInfo&) {
            ++summary.presents;
            QImage picture = Renderer::Instance().Canvas().copy(region);
            if (picture.size() != size) {
                picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            }
            assembler.Present(ms, std::move(picture).convertToFormat(QImage::Format_ARGB32));
            if (progress && !progress(ms)) {
                throw ExportCancelled("the animation export was cancelled");
            }
        });
    summary.end = run.end;
    summary.durationMs = run.endMs;
    if (summary.presents == 0) {
        throw std::runtime_error("the playback showed nothing before it ended");
    }
    assembler.Finish(run.endMs);
    summary.frames = assembler.Frames();
    if (summary.frames == 0) {
        throw std::runtime_error("the playback ended at once: the animation would be empty");
    }
    return summary;
}

}  // namespace

QSize AnimationSize(const AnimationExportOptions& options) {
    const QRect region = options.region.intersected(QRect(0, 0, kCanvasWidth, kCanvasHeight));
    const auto scaled = [&](int length) {
        return std::max(1, static_cast<int>(std::lround(length * options.scale)));
    };
    return QSize(scaled(region.width()), scaled(region.height()));
}

AnimationSummary ExportAnimation(const Cut& cut, const ResourceTable& palette,
                                 const AnimationExportOptions& options,
                                 const std::filesystem::path& out,
                                 const AnimationProgress& progress) {
    const QSize size = AnimationSize(options);
    std::unique_ptr<AnimationWriter> writer = options.format == AnimationFormat::Gif
                                                  ? MakeGifWriter(out, size)
                                                  : MakeWebpWriter(out, size, options.lossyQuality);
    // The assembler finishes the file once the run has ended well.
    return Record(cut, palette, options, writer.get(), progress);
}

AnimationSummary MeasureAnimation(const Cut& cut, const ResourceTable& palette,
                                  const AnimationExportOptions& options,
                                  const AnimationProgress& progress) {
    return Record(cut, palette, options, nullptr, progress);
}

}  // namespace plk
