#include "editor/timesheet/playback_worker.h"

#include "core/playback/row_range_reader.h"

#include <algorithm>
#include <optional>

#include "core/playback/command_playback.h"
#include "core/playback/playback_speed.h"
#include "core/playback/simple_playback.h"
#include "media/render/renderer_playback_sink.h"

namespace plk {

class PlaybackWorker::Input final : public PlaybackInput {
public:
    explicit Input(PlaybackWorker& worker)
        : m_worker(worker), m_lastPresses(worker.m_presses ? worker.m_presses() : 0) {}

    std::int64_t NowMs() override { return m_worker.PlaybackMs(); }
    bool PressedSinceLastQuery() override {
        const std::uint64_t presses = m_worker.m_presses ? m_worker.m_presses() : 0;
        const bool pressed = presses != m_lastPresses;
        m_lastPresses = presses;
        return pressed;
    }
    bool Held() override { return m_worker.m_held && m_worker.m_held(); }
    int SpeedPosition() override { return m_worker.m_speed.load(std::memory_order_acquire); }
    bool AutoRepeat() override { return m_worker.m_repeat.load(std::memory_order_acquire); }

private:
    PlaybackWorker& m_worker;
    std::uint64_t m_lastPresses;
};

PlaybackWorker::PlaybackWorker(const CutReader& cut, PaletteSource palette, Callbacks callbacks)
    : m_cut(cut), m_palette(std::move(palette)), m_callbacks(std::move(callbacks)) {}

PlaybackWorker::~PlaybackWorker() {
    RequestStop();
    Join();
}

void PlaybackWorker::SetButtonSource(std::function<std::uint64_t()> presses,
                                     std::function<bool()> held) {
    Join();
    m_presses = std::move(presses);
    m_held = std::move(held);
}

void PlaybackWorker::Start(Mode mode, std::optional<std::pair<int, int>> rows) {
    Join();
    m_rows = rows;
    m_stop.store(false, std::memory_order_release);
    m_paused.store(false, std::memory_order_release);
    m_running.store(true, std::memory_order_release);
    m_thread = std::thread([this, mode] { Run(mode); });
}

void PlaybackWorker::RequestStop() {
    {
        std::lock_guard lock(m_wakeMutex);
        m_stop.store(true, std::memory_order_release);
    }
    m_wake.notify_all();
}

void PlaybackWorker::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void PlaybackWorker::SetPaused(bool paused) {
    {
        std::lock_guard lock(m_wakeMutex);
        m_paused.store(paused, std::memory_order_release);
    }
    m_wake.notify_all();
}

std::int64_t PlaybackWorker::PlaybackMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_start -
                                                                 m_pausedTotal)
        .count();
}

bool PlaybackWorker::WaitWhilePaused() {
    std::unique_lock lock(m_wakeMutex);
    if (m_paused.load(std::memory_order_acquire)) {
        const Clock::time_point since = Clock::now();
        m_wake.wait(lock, [this] { return m_stop.load() || !m_paused.load(); });
        // The playback clock stands still while paused.
        m_pausedTotal += Clock::now() - since;
    }
    return !m_stop.load(std::memory_order_acquire);
}

bool PlaybackWorker::SleepUntil(std::int64_t atMs) {
    const Clock::time_point deadline = m_start + m_pausedTotal + std::chrono::milliseconds(atMs);
    std::unique_lock lock(m_wakeMutex);
    m_wake.wait_until(lock, deadline, [this] { return m_stop.load() || m_paused.load(); });
    return !m_stop.load(std::memory_order_acquire);
}

void PlaybackWorker::Run(Mode mode) {
    m_start = Clock::now();
    m_pausedTotal = {};
    Input input(*this);
    // A selection plays as a cut of its own; the slider keeps the whole cut's numbers.
    std::optional<RowRangeReader> range;
    if (m_rows) {
        range.emplace(m_cut, m_rows->first, m_rows->second);
    }
    const CutReader& cut = range ? static_cast<const CutReader&>(*range) : m_cut;
    const int frameOffset = range ? range->FrameNumberOffset() : 0;
    RendererPlaybackSink sink(m_palette, [this, frameOffset](int frameNumber, bool label) {
        if (m_callbacks.frameShown) {
            m_callbacks.frameShown(frameNumber + frameOffset, label);
        }
    });

    // A pause that falls in a sleep ends it; after the pause the rest of the sleep is
    // still slept, as the playback clock stood still meanwhile.
    auto runPasses = [this](auto&& pass) {
        std::int64_t due = 0;
        while (WaitWhilePaused()) {
            if (PlaybackMs() < due) {
                if (!SleepUntil(due)) {
                    break;
                }
                continue;
            }
            const std::optional<std::int64_t> next = pass();
            if (!next) {
                break;
            }
            due = *next;
        }
    };
    if (mode == Mode::Simple) {
        SimplePlayback playback(cut, input, sink);
        runPasses([&]() -> std::optional<std::int64_t> {
            const PassResult result = playback.Pass();
            if (result.end == PlaybackEnd::Rows) {
                SleepUntil(result.notBeforeMs);  // the last frame keeps its period
                return std::nullopt;
            }
            // The next frame is drawn while this one is on show; its pass only presents it.
            playback.PrepareNext();
            return result.notBeforeMs;
        });
    } else {
        CommandPlayback playback(cut, input, sink);
        playback.Start();
        std::int64_t index = 0;
        runPasses([&]() -> std::optional<std::int64_t> {
            const PassResult result = playback.Pass();
            if (result.end == PlaybackEnd::Rows) {
                return std::nullopt;  // a stalled playback goes on until it is stopped
            }
            // One pass per 1/60 s; a pass that came late does not make the next ones hurry.
            index = NextPassIndex(index, result.notBeforeMs);
            index = std::max(index, PlaybackMs() * kPassesPerSecond / 1000);
            return PassTimeMs(index);
        });
    }
    m_running.store(false, std::memory_order_release);
    if (m_callbacks.finished) {
        m_callbacks.finished();
    }
}

}  // namespace plk
