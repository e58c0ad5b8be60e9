#pragma once

#include <cstdint>

#include "core/playback/playback_io.h"

namespace plk {

// Simple playback: the normal frames in order, one per period of the speed slider, again
// from the start with auto repeat. Frame numbers run up to the number of rows, so a cut
// with control frames spends one period per control frame at its end drawing nothing.
//
// Driven pass by pass: each Pass shows the next frame and asks for the next pass one
// period after this one was due. The due times add up period by period, so a late pass
// does not push the later ones back (up to a stall of a second).
class SimplePlayback {
public:
    SimplePlayback(const CutReader& cut, PlaybackInput& input, PlaybackSink& sink)
        : m_cut(cut), m_input(input), m_sink(sink) {}

    static constexpr std::int64_t kResyncAfterMs = 1000;

    PassResult Pass();
    // Hands the sink the frame the next pass will draw, so it can be drawn ahead while this
    // one is on show. Nothing when the next pass draws nothing or the playback has ended.
    void PrepareNext();

    int FrameCounter() const { return m_n; }

private:
    const CutReader& m_cut;
    PlaybackInput& m_input;
    PlaybackSink& m_sink;
    int m_n = 0;
    std::int64_t m_due = 0;  // when the current pass was due
};

}  // namespace plk
