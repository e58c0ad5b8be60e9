#pragma once

#include <cstdint>
#include <string_view>

#include "core/timesheet/cut.h"
#include "core/timesheet/frame_record.h"

namespace plk {

// What a playback reads of its cut. Every call stands alone, so an implementation may take
// a lock per call: an edit made while a cut plays shows from the next frame.
class CutReader {
public:
    virtual ~CutReader() = default;
    virtual int RowCount() const = 0;
    // Copies row `row`; false (and `out` untouched) when there is no such row.
    virtual bool CopyRow(int row, FrameRecord& out) const = 0;
    virtual int RowOfFrameNumber(int n) const = 0;
    virtual int NormalFramesBefore(int row) const = 0;
    virtual int RowAfterFrameNumber(int n) const = 0;
};

// A cut read directly, for callers that own it and do not edit it while it plays.
class CutView final : public CutReader {
public:
    explicit CutView(const Cut& cut) : m_cut(cut) {}
    int RowCount() const override { return m_cut.FrameCount(); }
    bool CopyRow(int row, FrameRecord& out) const override {
        if (row < 0 || row >= m_cut.FrameCount()) {
            return false;
        }
        out = m_cut.Frame(row);
        return true;
    }
    int RowOfFrameNumber(int n) const override { return m_cut.RowOfFrameNumber(n); }
    int NormalFramesBefore(int row) const override { return m_cut.NormalFramesBefore(row); }
    int RowAfterFrameNumber(int n) const override { return m_cut.RowAfterFrameNumber(n); }

private:
    const Cut& m_cut;
};

// Time, the left mouse button and the controls a playback reads once per pass.
class PlaybackInput {
public:
    virtual ~PlaybackInput() = default;
    // Milliseconds since the playback started (paused time excluded).
    virtual std::int64_t NowMs() = 0;
    // True when the left button went down since the previous call.
    virtual bool PressedSinceLastQuery() = 0;
    virtual bool Held() = 0;
    virtual int SpeedPosition() = 0;  // 1..12
    virtual bool AutoRepeat() = 0;    // simple playback only
};

inline constexpr std::string_view kCountdownOverlay = "plk_countdown.pr3";
inline constexpr std::string_view kHitAnyKeyOverlay = "plk_hitanykey.pr3";

struct OverlayStep {
    bool drawn = false;    // false when the overlay is missing: nothing drawn or presented
    bool wrapped = false;  // true once per run of the animation
};

// Where a playback draws and what it shows on the page's controls.
class PlaybackSink {
public:
    virtual ~PlaybackSink() = default;
    // Draws the cells of `frame` (row `row` of the cut, -1 for a blank record) in a new
    // scene; presents it when `present`, else leaves the scene open. Sound cells play only
    // when `playSounds`.
    virtual void DrawCellFrame(int row, const FrameRecord& frame, bool present,
                               bool playSounds) = 0;
    // A hint that the next DrawCellFrame will likely present `frame` (row `row`): a sink may
    // draw it now, while the current picture is on show, and present that drawing later if
    // nothing it was drawn from has changed. Presents nothing and plays no sound.
    virtual void PrepareCellFrame(int /*row*/, const FrameRecord& /*frame*/) {}
    // Lays out the next character of `text` (all of it while `held`) and draws the strip
    // into the open scene. True once the whole text is laid out.
    virtual bool DrawMessage(std::string_view text, int position, bool held) = 0;
    // Guides, end of the open scene, present.
    virtual void FinishFrame() = 0;
    virtual bool IsMessageComplete(std::string_view text) = 0;
    virtual void ClearCanvas() = 0;
    virtual void RestartOverlay(std::string_view name) = 0;
    // Draws the overlay's current frame over the open scene, finishes the frame, advances.
    virtual OverlayStep StepOverlay(std::string_view name) = 0;
    // The frame slider shows `frameNumber`; the frame label too when `label`.
    virtual void ShowFrameNumber(int frameNumber, bool label) = 0;
};

enum class PlaybackEnd { None, Rows, Stalled };

// What one pass asks of its driver.
struct PassResult {
    PlaybackEnd end = PlaybackEnd::None;
    // The next pass should not start before this time (ms since the start); 0: no wish.
    std::int64_t notBeforeMs = 0;
};

}  // namespace plk
