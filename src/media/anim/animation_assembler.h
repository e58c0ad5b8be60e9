#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>

#include "core/playback/animation_timing.h"
#include "media/anim/animation_writer.h"

namespace plk {

// Turns presented pictures into the frames of an animation: consecutive identical
// pictures become one frame shown for their summed time, and only the picture of the
// frame still on show is kept.
class AnimationAssembler {
public:
    // Without a writer the frames are only counted.
    explicit AnimationAssembler(AnimationWriter* writer) : m_writer(writer) {}

    // A present at `ms` (never before the previous one); all pictures share one size.
    void Present(std::int64_t ms, QImage picture);
    // The run ended at `endMs`: hands over the last frame and finishes the file.
    void Finish(std::int64_t endMs);

    std::size_t Frames() const { return m_frames; }

private:
    void Closed(const std::optional<AnimationFrame>& frame);

    AnimationWriter* m_writer;
    PresentMerger m_merger;
    QImage m_open;  // the picture of the frame still on show
    std::size_t m_frames = 0;
};

}  // namespace plk
