#include <gtest/gtest.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QUndoStack>
#include <atomic>
#include <memory>
#include <mutex>

#include "core/text/sjis.h"
#include "core/timesheet/cut.h"
#include "editor/app/control_id.h"
#include "editor/app/multi_row_tab_widget.h"
#include "editor/content/resource_palette.h"
#include "editor/timesheet/locked_cut_reader.h"
#include "editor/timesheet/page_playback.h"
#include "editor/timesheet/palette_snapshot.h"
#include "editor/timesheet/playback_controls.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace plk {
namespace {

using Controls = CPlaybackControls;

FrameRecord ControlFrame(ControlCommand command, int time = 0, const char* message = "") {
    ControlBlock block{};
    block.command = static_cast<std::int32_t>(command);
    block.time = time;
    SetFieldText(block.message, message);
    return NewControlFrame(block);
}

// Stands in for a time-sheet page: its cut, the mutex its edits take, the palette copy.
class PlaybackControlsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Renderer::Instance().Init(), Renderer::kOk);
        Renderer::Instance().SetSoundPlayer([](std::string_view) {});
        m_presents.store(0);
        Renderer::Instance().SetPresentListener([this] { m_presents.fetch_add(1); });
        auto table = std::make_unique<ResourceTable>();
        table->ClearAll();
        m_palette.Update(*table);
    }
    void TearDown() override {
        m_controls.reset();
        Renderer::Instance().SetPresentListener({});
        Renderer::Instance().Shutdown();
    }

    Controls& Make(Cut cut) {
        {
            std::lock_guard lock(m_mutex);
            m_cut = std::move(cut);
        }
        m_controls = std::make_unique<Controls>(m_reader, [this] { return m_palette.Get(); });
        m_controls->SetFrameCount(m_cut.CountNormalFrames(0, m_cut.FrameCount()));
        m_controls->show();
        return *m_controls;
    }
    template <typename Widget>
    Widget* Control(int id) {
        return qobject_cast<Widget*>(FindControl(m_controls.get(), id));
    }
    QString Title(int id) { return Control<QGroupBox>(id)->title(); }
    int Bitmap(int id) { return Control<QPushButton>(id)->property("bitmap").toInt(); }
    bool Enabled(int id) { return Control<QWidget>(id)->isEnabled(); }

    Cut m_cut;
    std::mutex m_mutex;
    LockedCutReader m_reader{m_cut, m_mutex};
    PaletteSnapshot m_palette;
    std::unique_ptr<Controls> m_controls;
    std::atomic<int> m_presents{0};
};

TEST_F(PlaybackControlsTest, StartAtRestAndFollowTheSliders) {
    Make(Cut::New());
    QSlider* speed = Control<QSlider>(Controls::kSpeedSliderId);
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->minimum(), 1);
    EXPECT_EQ(speed->maximum(), 12);
    EXPECT_EQ(speed->value(), 11);
    EXPECT_EQ(Title(Controls::kSpeedGroupId), QStringLiteral("再生速度 30 Frame/Sec"));
    speed->setValue(1);
    EXPECT_EQ(Title(Controls::kSpeedGroupId), QStringLiteral("再生速度  1 Frame/Sec"));

    QSlider* frame = Control<QSlider>(Controls::kFrameSliderId);
    EXPECT_EQ(frame->maximum(), 60);
    EXPECT_EQ(Title(Controls::kFrameGroupId), QStringLiteral("    1 フレーム"));
    const int before = m_presents.load();
    frame->setValue(5);  // draws the fifth normal frame
    EXPECT_EQ(Title(Controls::kFrameGroupId), QStringLiteral("    5 フレーム"));
    EXPECT_EQ(m_presents.load(), before + 1);
    QTest::mouseClick(Control<QPushButton>(Controls::kRewindId), Qt::LeftButton);
    EXPECT_EQ(frame->value(), 1);
    EXPECT_EQ(m_presents.load(), before + 2);  // rewinding draws frame 1

    EXPECT_NE(Control<QCheckBox>(Controls::kAutoRepeatId), nullptr);
    EXPECT_NE(Control<QCheckBox>(Controls::kFrameSkipId), nullptr);
    EXPECT_EQ(Bitmap(Controls::kRewindId), 155);
    EXPECT_EQ(Bitmap(Controls::kPauseId), 156);
    EXPECT_EQ(Bitmap(Controls::kSimplePlayId), 157);
    EXPECT_EQ(Bitmap(Controls::kCommandPlayId), 157);
}

TEST_F(PlaybackControlsTest, SimplePlaybackPlaysOnItsThreadAndResetsAtItsEnd) {
    Controls& controls = Make(Cut({NewNormalFrame(), NewNormalFrame(), NewNormalFrame(),
                                   NewNormalFrame(), NewNormalFrame(), NewNormalFrame()},
                                  6));
    Control<QSlider>(Controls::kSpeedSliderId)->setValue(12);
    QSignalSpy finished(&controls, &Controls::playbackFinished);
    int highest = 0;
    QObject::connect(Control<QSlider>(Controls::kFrameSliderId), &QSlider::valueChanged,
                     [&](int value) { highest = std::max(highest, value); });

    QTest::mouseClick(Control<QPushButton>(Controls::kSimplePlayId), Qt::LeftButton);
    EXPECT_TRUE(controls.IsSimplePlaying());
    EXPECT_EQ(Bitmap(Controls::kSimplePlayId), 158);
    EXPECT_FALSE(Enabled(Controls::kRewindId));
    EXPECT_FALSE(Enabled(Controls::kCommandPlayId));
    EXPECT_TRUE(Enabled(Controls::kPauseId));
    controls.RequestCommandStop();  // a tab change leaves a simple playback running

    EXPECT_TRUE(finished.wait(3000));
    EXPECT_EQ(highest, 6);
    EXPECT_GE(m_presents.load(), 6);
    EXPECT_FALSE(controls.IsSimplePlaying());
    EXPECT_EQ(Control<QSlider>(Controls::kFrameSliderId)->value(), 1);
    EXPECT_EQ(Title(Controls::kFrameGroupId), QStringLiteral("    1 フレーム"));
    EXPECT_EQ(Bitmap(Controls::kSimplePlayId), 157);
    for (int id : {Controls::kRewindId, Controls::kPauseId, Controls::kSimplePlayId,
                   Controls::kCommandPlayId}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
}

// Edits made on this thread under the page's mutex while the cut plays; the tab-change
// request then ends the command playback at once.
TEST_F(PlaybackControlsTest, CommandPlaybackReadsEditsSafelyAndStopsOnRequest) {
    Controls& controls =
        Make(Cut({NewNormalFrame(), NewNormalFrame(), ControlFrame(ControlCommand::Wait)}, 6));
    QSignalSpy finished(&controls, &Controls::playbackFinished);
    QTest::mouseClick(Control<QPushButton>(Controls::kCommandPlayId), Qt::LeftButton);
    EXPECT_TRUE(controls.IsCommandPlaying());
    for (int id : {Controls::kRewindId, Controls::kPauseId, Controls::kSimplePlayId}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    for (int i = 0; i < 40; ++i) {
        {
            std::lock_guard lock(m_mutex);
            m_cut.Insert(0, NewNormalFrame());
            m_cut.Frame(1).cells[1].rotation = i;
            if (m_cut.FrameCount() > 6) {
                m_cut.Erase(m_cut.FrameCount() - 2);
            }
        }
        QTest::qWait(5);
    }
    EXPECT_TRUE(controls.IsCommandPlaying());  // held by the WAIT of 0 seconds
    QElapsedTimer timer;
    timer.start();
    controls.RequestCommandStop();
    EXPECT_TRUE(finished.wait(1000));
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_FALSE(controls.IsCommandPlaying());
    EXPECT_EQ(Bitmap(Controls::kCommandPlayId), 157);
    EXPECT_TRUE(Enabled(Controls::kSimplePlayId));
}

TEST_F(PlaybackControlsTest, AClickEndsACompleteMessage) {
    Controls& controls = Make(Cut(
        {NewNormalFrame(), ControlFrame(ControlCommand::Message, 0, "ok"), NewNormalFrame()}, 6));
    QSignalSpy finished(&controls, &Controls::playbackFinished);
    QTest::mouseClick(Control<QPushButton>(Controls::kCommandPlayId), Qt::LeftButton);
    QTest::qWait(300);
    EXPECT_TRUE(controls.IsCommandPlaying());  // the message waits for a click
    // Clicks before the text is complete are not seen; one after it ends the message.
    bool ended = false;
    for (int i = 0; i < 50 && !ended; ++i) {
        QTest::mouseClick(Control<QGroupBox>(Controls::kSpeedGroupId), Qt::LeftButton);
        ended = finished.wait(100);
    }
    EXPECT_TRUE(ended);
}

TEST_F(PlaybackControlsTest, PauseHoldsTheFramesAndStopWakesASleepingThread) {
    Controls& controls = Make(Cut::New());
    Control<QCheckBox>(Controls::kAutoRepeatId)->setChecked(true);
    Control<QSlider>(Controls::kSpeedSliderId)->setValue(12);
    QTest::mouseClick(Control<QPushButton>(Controls::kSimplePlayId), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_presents.load() >= 3; }, 3000));
    QTest::mouseClick(Control<QPushButton>(Controls::kPauseId), Qt::LeftButton);
    EXPECT_TRUE(controls.IsPaused());
    QTest::qWait(200);  // a pass already under way may still present
    const int held = m_presents.load();
    QTest::qWait(300);
    EXPECT_EQ(m_presents.load(), held);
    QTest::mouseClick(Control<QPushButton>(Controls::kPauseId), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_presents.load() > held; }, 3000));

    // At one frame a second the thread sleeps most of the time; destroying the controls
    // wakes it at once.
    Control<QSlider>(Controls::kSpeedSliderId)->setValue(1);
    QTest::qWait(100);
    QElapsedTimer timer;
    timer.start();
    m_controls.reset();
    EXPECT_LT(timer.elapsed(), 1000);
}

// The next frame is drawn while the current one is shown; an edit made meanwhile (here while
// paused, so that no pass is under way) shows in the very next frame presented.
TEST_F(PlaybackControlsTest, AnEditShowsInTheNextFrameThoughItWasDrawnAhead) {
    QImage red(64, 64, QImage::Format_ARGB32_Premultiplied);
    red.fill(Qt::red);
    TextureStore::Instance().LoadFromImage("red.png", "", red, 0, 0);
    auto table = std::make_unique<ResourceTable>();
    table->ClearAll();
    SetFieldText(table->slot[1].name, "red.png");
    table->slot[1].kind = static_cast<std::uint8_t>(ResourceKind::Image);
    m_palette.Update(*table);
    FrameRecord frame = NewNormalFrame();
    frame.cells[0].resource = 1;
    Controls& controls = Make(Cut({frame, frame, frame}, 6));
    std::mutex seenMutex;
    std::vector<bool> redSeen;
    Renderer::Instance().SetPresentListener([&] {
        std::lock_guard lock(seenMutex);
        redSeen.push_back(Renderer::Instance().Canvas().pixelColor(512, 384) == Qt::red);
        m_presents.fetch_add(1);
    });
    Control<QCheckBox>(Controls::kAutoRepeatId)->setChecked(true);
    Control<QSlider>(Controls::kSpeedSliderId)->setValue(10);  // 50 ms
    QTest::mouseClick(Control<QPushButton>(Controls::kSimplePlayId), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_presents.load() >= 3; }, 3000));
    QTest::mouseClick(Control<QPushButton>(Controls::kPauseId), Qt::LeftButton);
    QTest::qWait(200);
    std::size_t paused = 0;
    {
        std::lock_guard lock(m_mutex);
        for (int row = 0; row < m_cut.FrameCount(); ++row) {
            m_cut.Frame(row).cells[0].alpha = 0;
        }
    }
    {
        std::lock_guard lock(seenMutex);
        paused = redSeen.size();
        EXPECT_TRUE(redSeen.back());
    }
    QTest::mouseClick(Control<QPushButton>(Controls::kPauseId), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_presents.load() >= int(paused) + 2; }, 3000));
    QSignalSpy finished(&controls, &Controls::playbackFinished);
    controls.RequestStop();
    ASSERT_TRUE(finished.wait(3000));
    Renderer::Instance().SetPresentListener({});
    std::lock_guard lock(seenMutex);
    EXPECT_FALSE(redSeen[paused]) << "the frame drawn ahead before the edit was shown";
    EXPECT_FALSE(redSeen[paused + 1]);
}

// The controls embedded in real pages: a tab change ends the hidden page's command
// playback but not a simple one, edits go on while playing, and removing the cuts waits
// for the playback threads.
TEST_F(PlaybackControlsTest, EmbeddedInPagesFollowTabsEditsAndRemoval) {
    m_controls.reset();
    CResourcePalette palette(nullptr);
    CTimeSheetBase sheet(nullptr, &palette);
    QUndoStack undo;
    sheet.SetUndoStack(&undo);
    sheet.show();
    ASSERT_GE(sheet.CutCount(), 2);
    CPlaybackControls* first = sheet.Page(0)->Playback();
    CPlaybackControls* second = sheet.Page(1)->Playback();
    EXPECT_EQ(qobject_cast<QSlider*>(FindControl(first, Controls::kFrameSliderId))->maximum(), 60);

    sheet.Tabs()->SetCurrentIndex(0);
    QTest::mouseClick(qobject_cast<QPushButton*>(FindControl(first, Controls::kCommandPlayId)),
                      Qt::LeftButton);
    QTest::mouseClick(qobject_cast<QPushButton*>(FindControl(second, Controls::kSimplePlayId)),
                      Qt::LeftButton);
    qobject_cast<QCheckBox*>(FindControl(second, Controls::kAutoRepeatId))->setChecked(true);
    for (int i = 0; i < 10; ++i) {
        sheet.Page(0)->AppendRow(NewNormalFrame(), QStringLiteral("append"));
        QTest::qWait(5);
    }
    EXPECT_EQ(qobject_cast<QSlider*>(FindControl(first, Controls::kFrameSliderId))->maximum(), 70);

    QSignalSpy firstEnded(first, &Controls::playbackFinished);
    sheet.Tabs()->SetCurrentIndex(1);
    EXPECT_TRUE(firstEnded.wait(1000));
    EXPECT_FALSE(first->IsCommandPlaying());
    EXPECT_TRUE(second->IsSimplePlaying());
    sheet.Tabs()->SetCurrentIndex(0);
    EXPECT_TRUE(second->IsSimplePlaying());  // a simple playback goes on in a hidden page

    QElapsedTimer timer;
    timer.start();
    sheet.RemoveAllCuts();
    EXPECT_LT(timer.elapsed(), 1000);
}

}  // namespace
}  // namespace plk
