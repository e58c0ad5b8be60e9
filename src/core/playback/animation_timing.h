#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace plk {

// One picture of an exported animation: the present that shows it and how long it stays.
struct AnimationFrame {
    std::size_t present = 0;  // counted from 0 in the order of the presents
    std::int64_t startMs = 0;
    std::int64_t durationMs = 0;

    std::int64_t EndMs() const { return startMs + durationMs; }
    bool operator==(const AnimationFrame&) const = default;
};

// Turns the presents of a playback into the frames of an animation as they come, so only
// the open frame's picture has to be kept. A present that shows the same picture as the
// open frame only lengthens it; a frame replaced at the instant it appeared is never seen
// and is dropped. The first frame starts at 0, before its present if need be: the
// animation lasts exactly as long as the run.
class PresentMerger {
public:
    // A present at `ms` (never before the previous one); `samePicture` when it shows what
    // the open frame shows. Returns the frame this present closes, if any.
    std::optional<AnimationFrame> Push(std::int64_t ms, bool samePicture);
    // The run ended at `endMs`: the open frame, if it lasts at all.
    std::optional<AnimationFrame> Finish(std::int64_t endMs);

    bool HasOpenFrame() const { return m_open.has_value(); }

private:
    std::optional<AnimationFrame> m_open;  // durationMs unused until it closes
    std::size_t m_presents = 0;
};

// GIF delays count centiseconds. Each frame's delay runs from its start to its end, both
// rounded to the nearest centisecond on the animation's own clock, so rounding never
// accumulates: the delays always add up to the total rounded once (within 5 ms). A frame
// shorter than the rounding can get 0, which GIF viewers stretch; callers leave it out.
int CentisecondDelay(std::int64_t startMs, std::int64_t endMs);

}  // namespace plk
