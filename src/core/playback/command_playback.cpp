#include "core/playback/command_playback.h"

#include "core/playback/playback_speed.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

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

void CommandPlayback::StartState(ControlCommand command, std::int64_t seconds,
                                 std::int32_t parameter, std::string text, int waitRow) {
    CommandState& state = StateOf(command);
    state.code = static_cast<std::int32_t>(command);
    state.startMs = m_now;
    state.durationMs = static_cast<std::uint32_t>(seconds * 1000);
    state.parameter = parameter;
    state.text = std::move(text);
    m_waitRow = waitRow;
    if (command == ControlCommand::Message || command == ControlCommand::Wait) {
        m_wait = true;
    }
}

bool CommandPlayback::IsActive(ControlCommand command) const {
    if (command == ControlCommand::Repeat) {
        return m_repeat.active && m_wait;
    }
    if (command == ControlCommand::Chat) {
        return false;  // a chat line never holds the sheet
    }
    return State(command).code != 0;
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
    if (IsActive(ControlCommand::Message)) {
        blocking = 1;
        CommandState& message = StateOf(ControlCommand::Message);
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
    if (IsActive(ControlCommand::Wait)) {
        blocking += 1;
        if (StateOf(ControlCommand::Wait).Expired(m_now)) {
            StateOf(ControlCommand::Wait).Stop();
            EndWait();
            m_p += 1;
        }
    }
    if (IsActive(ControlCommand::Repeat)) {
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
    if (IsActive(ControlCommand::ChargeStart) &&
        StateOf(ControlCommand::ChargeStart).Expired(m_now)) {
        StateOf(ControlCommand::ChargeStart).Stop();
        blocking += 1;
        // On to the next CHARGEEND; without one the playback ends at the last row.
        do {
            m_p += 1;
            Fetch(m_p);
        } while (m_p < rows &&
                 m_r.control.command != static_cast<std::int32_t>(ControlCommand::ChargeEnd));
    }
    if (IsActive(ControlCommand::ChargeStack)) {
        blocking += 1;
        DrawRowBuffer(false);
        StepOverlay(kHitAnyKeyOverlay);
        if (m_chargeCount >= StateOf(ControlCommand::ChargeStack).parameter) {
            m_p += 1;
        }
    }
    if (IsActive(ControlCommand::ShowStart)) {
        blocking += 1;
        const CommandState& show = StateOf(ControlCommand::ShowStart);
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
    switch (static_cast<ControlCommand>(block.command)) {
        case ControlCommand::Message:
            StartState(ControlCommand::Message, block.time, block.position,
                       std::string(FieldText(block.message)), m_p);
            StateOf(ControlCommand::Chat).Stop();
            m_sink.ClearCanvas();
            break;
        case ControlCommand::Chat:
            StartState(ControlCommand::Chat, block.time, block.position,
                       std::string(FieldText(block.message)), 0);
            StateOf(ControlCommand::Message).Stop();
            m_sink.ClearCanvas();
            m_p += 1;
            break;
        case ControlCommand::ChatClear:
            StateOf(ControlCommand::Chat).Stop();
            m_p += 1;
            break;
        case ControlCommand::ChargeStart: {
            FrameRecord last{};
            const int lastRow = m_cut.CopyRow(m_q, last) ? m_q : -1;
            DrawRow(lastRow, last, false);
            const OverlayStep step = StepOverlay(kCountdownOverlay);
            if (step.wrapped) {
                m_p += 1;
                m_chargeCount = 0;
                StartState(ControlCommand::ChargeStart, block.time, 0, {}, 0);
            }
            // A missing countdown never ends: the sheet waits here until it is stopped.
            return {step.drawn ? PlaybackEnd::None : PlaybackEnd::Stalled, passStart + period};
        }
        case ControlCommand::ChargeEnd:
            StateOf(ControlCommand::ChargeStart).Stop();
            m_p += 1;
            break;
        case ControlCommand::ChargeStack:
            m_chargeCount = 0;
            StartState(ControlCommand::ChargeStack, 0, block.time, {}, 0);
            m_sink.RestartOverlay(kHitAnyKeyOverlay);
            break;
        case ControlCommand::ShowStart:
            m_chargeCount = 0;
            StartState(ControlCommand::ShowStart, block.position, m_p, {}, 0);
            break;
        case ControlCommand::ShowEnd:
            StateOf(ControlCommand::ShowStart).Stop();
            m_p += 1;
            break;
        case ControlCommand::Repeat: {
            const int target = m_cut.RowAfterFrameNumber(block.position);
            m_repeat = RepeatState{true, block.time, m_p, target, target - 1, false};
            m_p += 1;
            break;
        }
        case ControlCommand::Wait:
            StartState(ControlCommand::Wait, block.time, 0, {}, m_p);
            break;
        default:
            // An unknown command holds its row until the playback is stopped.
            return {PlaybackEnd::Stalled, 0};
    }
    return {};
}

}  // namespace plk
