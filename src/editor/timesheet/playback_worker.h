#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "core/content/resource_table.h"
#include "core/playback/playback_io.h"

namespace plk {

// Runs one playback of a page on a thread of its own: the simple or the command loop of
// the core, paced on the steady clock, drawn through the Renderer.
//
// The user-interface thread only raises requests (stop, pause, speed, repeat); the thread
// reads them once per pass and wakes at once from its sleep for a stop or a pause. The
// callbacks are called on the playback thread.
class PlaybackWorker {
public:
    enum class Mode { Simple, Command };

    struct Callbacks {
        std::function<void(int frameNumber, bool label)> frameShown;
        std::function<void()> finished;  // last call of the thread
    };
    using PaletteSource = std::function<std::shared_ptr<const ResourceTable>()>;

    // `cut` and `palette` must stay valid while a playback runs; both are read from the
    // playback thread.
    PlaybackWorker(const CutReader& cut, PaletteSource palette, Callbacks callbacks);
    ~PlaybackWorker();  // stops and waits for the thread (at most one frame's drawing)
    PlaybackWorker(const PlaybackWorker&) = delete;
    PlaybackWorker& operator=(const PlaybackWorker&) = delete;

    // Waits for a previous thread that is ending, then starts one. Not paused. With `rows`
    // (first, last) only those rows of the cut play; frame numbers stay the whole cut's.
    void Start(Mode mode, std::optional<std::pair<int, int>> rows = std::nullopt);
    void RequestStop();
    // Waits for the thread to end after a stop request (or its own end).
    void Join();
    bool IsRunning() const { return m_running.load(std::memory_order_acquire); }

    void SetPaused(bool paused);
    bool IsPaused() const { return m_paused.load(std::memory_order_acquire); }
    void SetSpeedPosition(int position) { m_speed.store(position, std::memory_order_release); }
    void SetAutoRepeat(bool on) { m_repeat.store(on, std::memory_order_release); }

    // Where the left button's presses come from (the press count grows by one per press);
    // without a source no click is ever seen.
    void SetButtonSource(std::function<std::uint64_t()> presses, std::function<bool()> held);

private:
    class Input;
    using Clock = std::chrono::steady_clock;

    void Run(Mode mode);
    // False when a stop was requested.
    bool WaitWhilePaused();
    // Sleeps until `atMs` of playback time; false when a stop was requested. Returns early
    // (true) when a pause begins.
    bool SleepUntil(std::int64_t atMs);
    std::int64_t PlaybackMs() const;  // since the start, paused time excluded

    const CutReader& m_cut;
    std::optional<std::pair<int, int>> m_rows;  // set before the thread starts
    PaletteSource m_palette;
    Callbacks m_callbacks;
    std::function<std::uint64_t()> m_presses;
    std::function<bool()> m_held;

    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_paused{false};
    std::atomic<int> m_speed{11};
    std::atomic<bool> m_repeat{false};
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;

    // Playback thread only.
    Clock::time_point m_start;
    Clock::duration m_pausedTotal{};
};

}  // namespace plk
