#include "core/playback/simple_playback.h"

#include <algorithm>

#include "core/playback/playback_speed.h"

namespace plk {

PassResult SimplePlayback::Pass() {
    const std::int64_t period = SpeedPeriodMs(m_input.SpeedPosition());
    const std::int64_t now = m_input.NowMs();
    const int rows = m_cut.RowCount();
    PassResult result;
    if (m_n < rows) {
        // Late passes are made up by the ones after them, so the frames keep the period on
        // average; after a stall of more than a second the schedule starts again from now
        // rather than hurrying through everything it missed.
        if (now - m_due > std::max<std::int64_t>(period, kResyncAfterMs)) {
            m_due = now;
        }
        ++m_n;
        m_sink.ShowFrameNumber(m_n, true);
        const int row = m_cut.RowOfFrameNumber(m_n);
        FrameRecord frame;
        if (row < rows && m_cut.CopyRow(row, frame)) {
            m_sink.DrawCellFrame(row, frame, true, true);
        }
        m_due += period;
        result.notBeforeMs = m_due;
    }
    if (m_n >= rows) {
        if (m_input.AutoRepeat() && rows > 0) {
            m_n = 0;
        } else {
            result.end = PlaybackEnd::Rows;
        }
    }
    return result;
}

void SimplePlayback::PrepareNext() {
    const int rows = m_cut.RowCount();
    if (m_n >= rows) {
        return;
    }
    const int row = m_cut.RowOfFrameNumber(m_n + 1);
    FrameRecord frame;
    if (row < rows && m_cut.CopyRow(row, frame)) {
        m_sink.PrepareCellFrame(row, frame);
    }
}

}  // namespace plk
