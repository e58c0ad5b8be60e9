#include "core/playback/command_playback.h"

#include "core/playback/playback_speed.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

constexpr int kMessage = 1;
constexpr int kChat = 2;
constexpr int kChatClear = 3;
constexpr int kChargeStart = 4;
constexpr int kChargeEnd = 5;
constexpr int kChargeStack = 6;
constexpr int kShowStart = 7;
constexpr int kShowEnd = 8;
constexpr int kRepeat = 9;
constexpr int kWait = 10;

// More than this many clicks within one second make a rapid-click second.
constexpr int kMashClicks = 4;

}  // namespace

CommandPlayback::CommandPlayback(const CutReader& cut, PlaybackInput& input, PlaybackSink& sink)
    : m_cut(cut), m_input(input), m_sink(sink) {}

void CommandPlayback::Start() {
    m_sink.RestartOverlay(kCountdownOverlay);
    m_sink.RestartOverlay(kHitAnyKeyOverlay);
    (void)m_input.PressedSinceLastQuery();
}

void CommandPlayback::StartState(int code, std::int64_t seconds, std::int32_t parameter,
                                 std::string text, int waitRow) {
    CommandState& state = m_states[static_cast<std::size_t>(code)];
    state.code = code;
    state.startMs = m_now;
    state.durationMs = static_cast<std::uint32_t>(seconds * 1000);
    state.parameter = parameter;
    state.text = std::move(text);
    m_waitRow = waitRow;
    if (code == kMessage || code == kWait) {
        m_wait = true;
    }
}

bool CommandPlayback::IsActive(int code) const {
    if (code == kRepeat) {
        return m_repeat.active && m_wait;
    }
    if (code == kChat) {
        return false;  // a chat line never holds the sheet
    }
    return m_states[static_cast<std::size_t>(code)].code != 0;
}

int CommandPlayback::RepeatNextRow() {
    if (m_repeat.done) {
        m_repeat = RepeatState{};
        m_wait = false;
        return m_waitRow + 1;
    }
    m_repeat.cursor += 1;
    if (m_repeat.cursor == m_repeat.loopEnd) {
        m_repeat.cursor = m_repeat.target - 1;
    }
    return m_repeat.cursor;
}

void CommandPlayback::Fetch(int row) {
    if (!m_cut.CopyRow(row, m_r)) {
        m_r = FrameRecord{};
        m_rRow = -1;
        return;
    }
    m_rRow = row;
}

void CommandPlayback::DrawRow(int row, const FrameRecord& frame, bool present) {
    // A row's sounds play when it is shown, not on every redraw of the same picture.
    const bool playSounds = row != m_lastDrawnRow;
    m_lastDrawnRow = row;
    m_sink.DrawCellFrame(row, frame, present, playSounds);
}

void CommandPlayback::DrawRowBuffer(bool present) {
    DrawRow(m_rRow, m_r, present);
}

OverlayStep CommandPlayback::StepOverlay(std::string_view name) {
    const OverlayStep step = m_sink.StepOverlay(name);
    if (!step.drawn) {
        m_sink.FinishFrame();  // every pass closes the scene it opened
    }
    return step;
}

// A MESSAGE or WAIT has ended. A running REPEAT clears the wait flag on its next tick and
// returns after the waiting row; with none running nothing would ever clear it, and a later
// REPEAT would loop for good, so it is cleared here.
void CommandPlayback::EndWait() {
    m_repeat.done = true;
    if (!m_repeat.active) {
        m_wait = false;
    }
}

PassResult CommandPlayback::Pass() {
    const std::int64_t period = SpeedPeriodMs(m_input.SpeedPosition());
    m_now = m_input.NowMs();
    const std::int64_t passStart = m_now;

    const bool click = m_input.PressedSinceLastQuery();
    if (click) {
        ++m_clicks;
    }
    if (m_now - m_secondStart > 1000) {
        if (m_clicks > kMashClicks) {
            ++m_chargeCount;
            m_mash = true;
        }
        m_clicks = 0;
        m_secondStart = m_now;
    }

    const int rows = m_cut.RowCount();
    if (m_p >= rows) {
        return {PlaybackEnd::Rows, 0};
    }

    const bool tick = m_now - m_t >= period;
    if (tick) {
        m_t += period;
    }
    m_sink.ShowFrameNumber(m_cut.NormalFramesBefore(m_p) + 1, tick);

    int blocking = 0;
    if (IsActive(kMessage)) {
        blocking = 1;
        CommandState& message = m_states[kMessage];
        if (m_sink.IsMessageComplete(message.text) && click) {
            message.Stop();
            EndWait();
            m_p += 1;
            m_sink.ClearCanvas();
        } else {
            DrawRowBuffer(false);
            m_sink.DrawMessage(message.text, message.parameter, m_input.Held());
            m_sink.FinishFrame();
        }
    }
    if (IsActive(kWait)) {
        blocking += 1;
        if (m_states[kWait].Expired(m_now)) {
            m_states[kWait].Stop();
            EndWait();
            m_p += 1;
        }
    }
    if (IsActive(kRepeat)) {
        blocking += 1;
        if (tick) {
            // A loop without a single normal frame gives up after one round.
            for (int guard = 0; guard <= rows + 1; ++guard) {
                m_p = RepeatNextRow();
                Fetch(m_p);
                if (!m_wait || m_r.IsNormal()) {
                    break;
                }
            }
        }
    }
    if (IsActive(kChargeStart) && m_states[kChargeStart].Expired(m_now)) {
        m_states[kChargeStart].Stop();
        blocking += 1;
        // On to the next CHARGEEND; without one the playback ends at the last row.
        do {
            m_p += 1;
            Fetch(m_p);
        } while (m_p < rows && m_r.control.command != kChargeEnd);
    }
    if (IsActive(kChargeStack)) {
        blocking += 1;
        DrawRowBuffer(false);
        StepOverlay(kHitAnyKeyOverlay);
        if (m_chargeCount >= m_states[kChargeStack].parameter) {
            m_p += 1;
        }
    }
    if (IsActive(kShowStart)) {
        blocking += 1;
        const CommandState& show = m_states[kShowStart];
        if (m_mash) {
            m_p += 1;
            m_mash = false;
        } else if (show.durationMs != 0) {
            m_p -= 1;
            if (m_p <= show.parameter) {
                m_p = show.parameter + 1;
            }
        }
        Fetch(m_p);
        DrawRowBuffer(false);
        m_sink.FinishFrame();
    }
    if (blocking != 0) {
        return {};
    }

    Fetch(m_p);
    if (m_r.IsNormal()) {
        DrawRowBuffer(true);
        m_q = m_p;
        if (tick) {
            m_p += 1;
        }
        return {};
    }
    return ActOnControlFrame(passStart, period);
}

PassResult CommandPlayback::ActOnControlFrame(std::int64_t passStart, std::int64_t period) {
    const ControlBlock& block = m_r.control;
    switch (block.command) {
        case kMessage:
            StartState(kMessage, block.time, block.position, std::string(FieldText(block.message)),
                       m_p);
            m_states[kChat].Stop();
            m_sink.ClearCanvas();
            break;
        case kChat:
            StartState(kChat, block.time, block.position, std::string(FieldText(block.message)), 0);
            m_states[kMessage].Stop();
            m_sink.ClearCanvas();
            m_p += 1;
            break;
        case kChatClear:
            m_states[kChat].Stop();
            m_p += 1;
            break;
        case kChargeStart: {
            FrameRecord last{};
            const int lastRow = m_cut.CopyRow(m_q, last) ? m_q : -1;
            DrawRow(lastRow, last, false);
            const OverlayStep step = StepOverlay(kCountdownOverlay);
            if (step.wrapped) {
                m_p += 1;
                m_chargeCount = 0;
                StartState(kChargeStart, block.time, 0, {}, 0);
            }
            // A missing countdown never ends: the sheet waits here until it is stopped.
            return {step.drawn ? PlaybackEnd::None : PlaybackEnd::Stalled, passStart + period};
        }
        case kChargeEnd:
            m_states[kChargeStart].Stop();
            m_p += 1;
            break;
        case kChargeStack:
            m_chargeCount = 0;
            StartState(kChargeStack, 0, block.time, {}, 0);
            m_sink.RestartOverlay(kHitAnyKeyOverlay);
            break;
        case kShowStart:
            m_chargeCount = 0;
            StartState(kShowStart, block.position, m_p, {}, 0);
            break;
        case kShowEnd:
            m_states[kShowStart].Stop();
            m_p += 1;
            break;
        case kRepeat: {
            const int target = m_cut.RowAfterFrameNumber(block.position);
            m_repeat = RepeatState{true, block.time, m_p, target, target - 1, false};
            m_p += 1;
            break;
        }
        case kWait:
            StartState(kWait, block.time, 0, {}, m_p);
            break;
        default:
            // An unknown command holds its row until the playback is stopped.
            return {PlaybackEnd::Stalled, 0};
    }
    return {};
}

}  // namespace plk
