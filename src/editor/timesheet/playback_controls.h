#pragma once

#include <optional>
#include <utility>

#include <QWidget>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "core/playback/playback_io.h"
#include "editor/timesheet/playback_worker.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QSlider;

namespace plk {

// The playback controls in the lower half of a time-sheet page: the speed and frame
// sliders with their labels, auto repeat, frame skip and the four buttons. Plays the
// page's cut on a worker thread, one playback at a time.
class CPlaybackControls : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSpeedSliderId = 1035;
    static constexpr int kSpeedGroupId = 1036;
    static constexpr int kFrameSkipId = 1037;
    static constexpr int kFrameGroupId = 1038;
    static constexpr int kAutoRepeatId = 1042;
    static constexpr int kFrameSliderId = 1043;
    static constexpr int kRewindId = 1045;
    static constexpr int kPauseId = 1046;
    static constexpr int kSimplePlayId = 1047;
    static constexpr int kCommandPlayId = 1056;

    // `cut` is read on the worker thread and on this one; it must outlive the controls.
    // `palette` hands out the slots to draw with (a snapshot safe to read on any thread).
    CPlaybackControls(const CutReader& cut, PlaybackWorker::PaletteSource palette,
                      QWidget* parent = nullptr);
    // The same, keeping the reader with the controls.
    CPlaybackControls(std::unique_ptr<CutReader> cut, PlaybackWorker::PaletteSource palette,
                      QWidget* parent = nullptr);
    // Stops any playback and waits for its thread, which ends within one frame.
    ~CPlaybackControls() override;

    // The frame slider runs 1..normalFrames (at least 1); the page calls this whenever
    // the number of normal frames of its cut changes.
    void SetFrameCount(int normalFrames);
    // Plays rows `first`..`last` as a simple playback, looping while オートリピート is
    // ticked; a simple playback already running starts over with them. Nothing during a
    // command playback.
    void PlayRows(int first, int last);
    // The stop request of a tab change: ends a command playback; a simple one goes on.
    void RequestCommandStop();
    // Ends either playback without waiting; the controls come to rest when it has ended.
    void RequestStop();
    // Ends either playback and waits for its thread (at most one frame's drawing), leaving
    // the controls at rest. Call it before the cut goes away.
    void StopAndWait();

    // Shows frame `frameNumber` as dragging the slider to it does; the frame on show again
    // (after an edit of the cut). Neither does anything while a playback runs.
    void ShowFrameNumber(int frameNumber);
    void RedrawFrame();

    bool IsPlaying() const { return m_simplePlaying || m_commandPlaying; }
    bool IsSimplePlaying() const { return m_simplePlaying; }
    bool IsCommandPlaying() const { return m_commandPlaying; }
    bool IsPaused() const { return m_worker->IsPaused(); }
    int SpeedPosition() const;
    int FramePosition() const;

    PlaybackWorker& Worker() { return *m_worker; }

Q_SIGNALS:
    // Emitted just before a playback thread starts, and before the frame slider draws a
    // frame: the page refreshes the palette copy the drawing reads.
    void aboutToStartPlayback();
    void aboutToDrawFrame();
    // Emitted once the controls are back at rest after a playback.
    void playbackFinished();
    // The author moved the frame slider (a drag, its keys) or pressed rewind.
    void frameChosen(int frameNumber);

private:
    void BuildControls();
    void OnSimplePlayClicked();
    void StartSimple(std::optional<std::pair<int, int>> rows);
    void OnCommandPlayClicked();
    void OnPauseClicked();
    void OnRewindClicked();
    void RewindQuietly();
    void OnSpeedChanged(int position);
    void OnFrameSliderChanged(int frameNumber);
    void DrawFrame(int frameNumber);
    // What the playback thread hands over, taken on this thread by DeliverFromPlayback. The
    // mailbox is guarded by a mutex of our own, so the handover never depends on the memory
    // ordering inside Qt's event queue.
    struct PlaybackNews {
        int generation;
        int frameNumber;  // -1: the playback thread ended
        bool label;
    };
    Q_INVOKABLE void DeliverFromPlayback();
    void Post(const PlaybackNews& news);
    void ShowFrameFromPlayback(int generation, int frameNumber, bool label);
    void OnPlaybackThreadEnded(int generation);
    void SetFrameLabel(int frameNumber);
    void SetButtonImage(QPushButton* button, bool playing);
    void EndOfPlayback();

    std::unique_ptr<CutReader> m_ownedCut;  // declared first: it outlives the worker
    const CutReader& m_cut;
    PlaybackWorker::PaletteSource m_palette;
    std::unique_ptr<PlaybackWorker> m_worker;
    int m_generation = 0;  // tells a finished thread's late calls from the current one's
    std::mutex m_mailboxMutex;
    std::vector<PlaybackNews> m_mailbox;
    std::atomic<int> m_generationForThread{0};  // the same, read on the playback thread
    bool m_simplePlaying = false;
    bool m_commandPlaying = false;
    bool m_moveFromPlayback = false;

    QGroupBox* m_speedGroup = nullptr;
    QSlider* m_speedSlider = nullptr;
    QGroupBox* m_frameGroup = nullptr;
    QSlider* m_frameSlider = nullptr;
    QCheckBox* m_autoRepeat = nullptr;
    QCheckBox* m_frameSkip = nullptr;
    QPushButton* m_rewind = nullptr;
    QPushButton* m_pause = nullptr;
    QPushButton* m_simplePlay = nullptr;
    QPushButton* m_commandPlay = nullptr;
};

}  // namespace plk
