#include "core/playback/animation_timing.h"

namespace plk {

std::optional<AnimationFrame> PresentMerger::Push(std::int64_t ms, bool samePicture) {
    const std::size_t present = m_presents++;
    if (!m_open) {
        m_open = AnimationFrame{present, 0, 0};
        return std::nullopt;
    }
    if (samePicture) {
        return std::nullopt;
    }
    if (ms <= m_open->startMs) {
        // Replaced before it could be seen.
        m_open->present = present;
        return std::nullopt;
    }
    AnimationFrame closed = *m_open;
    closed.durationMs = ms - closed.startMs;
    m_open = AnimationFrame{present, ms, 0};
    return closed;
}

std::optional<AnimationFrame> PresentMerger::Finish(std::int64_t endMs) {
    std::optional<AnimationFrame> last = m_open;
    m_open.reset();
    if (!last || endMs <= last->startMs) {
        return std::nullopt;
    }
    last->durationMs = endMs - last->startMs;
    return last;
}

int CentisecondDelay(std::int64_t startMs, std::int64_t endMs) {
    const auto round = [](std::int64_t ms) { return (ms + 5) / 10; };
    return static_cast<int>(round(endMs) - round(startMs));
}

}  // namespace plk
