#include "core/check/playback_probe.h"

#include <algorithm>

#include "core/playback/command_playback.h"
#include "core/playback/playback_speed.h"

namespace plk {
namespace {

constexpr std::int32_t kLongestProbedSeconds = 2;

// Clicks at every multiple of a period, without a list that grows with the run.
class RapidClicker final : public PlaybackInput {
public:
    explicit RapidClicker(int everyMs) : m_every(everyMs) {}
    std::int64_t now = 0;
    std::int64_t NowMs() override { return now; }
    bool PressedSinceLastQuery() override {
        if (m_every <= 0) {
            return false;
        }
        const bool pressed = m_last < 0 || now / m_every > m_last / m_every;
        m_last = now;
        return pressed && now > 0;
    }
    bool Held() override { return false; }
    int SpeedPosition() override { return kDefaultSpeedPosition; }
    bool AutoRepeat() override { return false; }

private:
    int m_every;
    std::int64_t m_last = -1;
};

// Records which rows reach the screen. Messages complete at once; overlays wrap each step.
class PresentRecorder final : public PlaybackSink {
public:
    std::vector<int> presented;
    void DrawCellFrame(int row, const FrameRecord&, bool present, bool) override {
        if (present) {
            presented.push_back(row);
            m_open = false;
        } else {
            m_open = true;
            m_openRow = row;
        }
    }
    bool DrawMessage(std::string_view, int, bool) override { return true; }
    void FinishFrame() override { Close(); }
    bool IsMessageComplete(std::string_view) override { return true; }
    void ClearCanvas() override {}
    void RestartOverlay(std::string_view) override {}
    OverlayStep StepOverlay(std::string_view) override {
        Close();
        return {true, true};
    }
    void ShowFrameNumber(int, bool) override {}

private:
    void Close() {
        if (m_open) {
            presented.push_back(m_openRow);
            m_open = false;
        }
    }
    bool m_open = false;
    int m_openRow = -1;
};

}  // namespace

ProbeResult ProbeCommandPlayback(const Cut& cut, const ProbeOptions& options) {
    CutView view(cut);
    RapidClicker input(options.clickEveryMs);
    PresentRecorder sink;
    CommandPlayback playback(view, input, sink);
    ProbeResult result;
    result.visited.assign(static_cast<std::size_t>(cut.FrameCount()) + 1, false);
    std::size_t watchStart = SIZE_MAX;

    std::int64_t pass = 0;
    playback.Start();
    while (input.now < options.untilMs) {
        const PassResult step = playback.Pass();
        const int row = playback.Row();
        if (row >= 0 && row < static_cast<int>(result.visited.size())) {
            result.visited[static_cast<std::size_t>(row)] = true;
        }
        if (row == options.watchRow && watchStart == SIZE_MAX) {
            watchStart = sink.presented.size();
        }
        if (step.end == PlaybackEnd::Rows || step.end == PlaybackEnd::Stalled) {
            result.end = step.end == PlaybackEnd::Rows ? RunEnd::Rows : RunEnd::Stalled;
            break;
        }
        pass = NextPassIndex(pass, step.notBeforeMs);
        input.now = PassTimeMs(pass);
    }
    result.presented = std::move(sink.presented);
    if (watchStart != SIZE_MAX) {
        result.presentedAfterWatch.assign(
            result.presented.begin() + static_cast<std::ptrdiff_t>(watchStart),
            result.presented.end());
    }
    result.waitPendingAtEnd = playback.WaitFlag();
    result.showStartActiveAtEnd =
        playback.State(ControlCommand::ShowStart).code != 0;
    return result;
}

Cut CutSegment(const Cut& cut, int first, int end) {
    first = std::clamp(first, 0, cut.FrameCount());
    end = std::clamp(end, first, cut.FrameCount());
    const int framesBefore = cut.NormalFramesBefore(first);
    std::vector<FrameRecord> rows(cut.Frames().begin() + first, cut.Frames().begin() + end);
    for (FrameRecord& row : rows) {
        if (row.IsNormal()) {
            continue;
        }
        ControlBlock& block = row.control;
        switch (static_cast<ControlCommand>(block.command)) {
            case ControlCommand::Repeat:
                block.position = std::max(block.position - framesBefore, 0);
                break;
            case ControlCommand::Wait:
            case ControlCommand::ChargeStart:
            case ControlCommand::ChargeStack:
                block.time = std::clamp(block.time, 0, kLongestProbedSeconds);
                break;
            default:
                break;
        }
    }
    return Cut(std::move(rows), cut.ColumnCount());
}

}  // namespace plk
