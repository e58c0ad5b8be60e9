#pragma once

#include <array>
#include <cstdint>

#include "core/playback/command_state.h"
#include "core/playback/playback_io.h"

namespace plk {

// Command playback: runs a cut as the game would, executing its control frames, typing
// messages and counting clicks. Driven one pass at a time; the driver starts a pass every
// 1/60 s (PassTimeMs) and no earlier than the pass asks.
//
// Frames advance on ticks: a tick is due when now - T >= period, and then T += period, so
// ticks keep the period of the speed slider on average however the passes fall.
class CommandPlayback {
public:
    CommandPlayback(const CutReader& cut, PlaybackInput& input, PlaybackSink& sink);

    // Restarts both overlays and drops any click made before the playback started.
    void Start();
    PassResult Pass();

    // Inspection for tests and traces.
    int Row() const { return m_p; }
    int ChargeCount() const { return m_chargeCount; }
    bool MashFlag() const { return m_mash; }
    bool WaitFlag() const { return m_wait; }
    const CommandState& State(ControlCommand command) const {
        return m_states[static_cast<std::size_t>(command)];
    }
    const RepeatState& Repeat() const { return m_repeat; }

private:
    CommandState& StateOf(ControlCommand command) {
        return m_states[static_cast<std::size_t>(command)];
    }
    void StartState(ControlCommand command, std::int64_t seconds, std::int32_t parameter,
                    std::string text, int waitRow);
    bool IsActive(ControlCommand command) const;
    int RepeatNextRow();
    // Row `row` into the row buffer; a row that does not exist reads as a blank record.
    void Fetch(int row);
    void DrawRowBuffer(bool present);
    void DrawRow(int row, const FrameRecord& frame, bool present);
    // Steps an overlay over the open scene; a missing overlay still closes the scene.
    OverlayStep StepOverlay(std::string_view name);
    void EndWait();
    PassResult ActOnControlFrame(std::int64_t passStart, std::int64_t period);

    const CutReader& m_cut;
    PlaybackInput& m_input;
    PlaybackSink& m_sink;

    std::int64_t m_now = 0;
    int m_p = 0;                     // current row
    FrameRecord m_r{};               // the row last fetched
    int m_rRow = -1;                 // its row index (-1: none)
    int m_q = 0;                     // last normal row drawn
    std::int64_t m_t = 0;            // time of the last tick
    int m_clicks = 0;                // K: clicks in the current second
    std::int64_t m_secondStart = 0;  // S
    int m_chargeCount = 0;           // H
    bool m_mash = false;             // M
    bool m_wait = false;             // W
    int m_waitRow = 0;               // G
    // By command code; index 0 stays unused.
    std::array<CommandState, static_cast<std::size_t>(ControlCommand::Wait) + 1> m_states{};
    RepeatState m_repeat;
    int m_lastDrawnRow = -2;  // sounds play when a different row is drawn
};

}  // namespace plk
