#include "core/playback/simple_playback.h"

#include "core/playback/playback_speed.h"

namespace plk {

PassResult SimplePlayback::Pass() {
    const std::int64_t period = SpeedPeriodMs(m_input.SpeedPosition());
    const std::int64_t now = m_input.NowMs();
    const int rows = m_cut.RowCount();
    PassResult result;
    if (m_n < rows) {
        // A pass more than a period late starts the schedule again from now, rather than
        // hurrying through the frames it missed.
        if (now - m_due > period) {
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

}  // namespace plk
