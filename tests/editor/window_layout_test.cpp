#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>
#include <cstring>

#include "editor/app/first_start_layout.h"
#include "editor/content/message_browser.h"
#include "editor/content/profile_browser.h"
#include "editor/content/resource_palette.h"
#include "editor/preview/preview.h"
#include "editor/preview/preview_ctrl.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor_test_support.h"

namespace plk {
namespace {

QRect Frame(const QWidget* w) {
    return w->frameGeometry();
}

WindowLayoutRecord SampleLayout() {
    WindowLayoutRecord record = EmptyWindowLayout();
    record.palette = {10, 20, 310, 420};
    record.timeSheet = {30, 500, 830, 800};
    record.preview = {100, 40, 740, 520};
    record.previewControl = {760, 40, 1000, 560};
    record.messageBrowser = {200, 100, 250, 150};  // sizes differ from the browsers' own
    record.profileBrowser = {220, 120, 900, 900};
    return record;
}

void Store(const QByteArray& value) {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    settings.clear();
    settings.setValue(kWindowLayoutKey, value);
    settings.sync();
}

std::optional<WindowLayoutRecord> Stored() {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    return ReadWindowLayout(settings);
}

TEST(WindowLayoutTest, StoredValueIsUsedOnlyWhenItHasTheRecordsSize) {
    const QByteArray full = SerializeWindowLayout(SampleLayout());
    ASSERT_EQ(full.size(), 120);

    QByteArray wrongSize = full;
    wrongSize[0] = 119;
    struct Case {
        const char* what;
        QByteArray value;
        bool used;
    } cases[] = {
        {"the record", full, true},
        {"one byte too long", full + QByteArray(1, '\0'), false},
        {"size field 119", wrongSize, false},
        {"empty", QByteArray(), false},
        {"cut after the preview rectangle", full.left(68), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseWindowLayout(c.value).has_value(), c.used) << c.what;
    }

    // The missing bytes of a short value count as zero.
    auto shortened = ParseWindowLayout(full.left(68));
    ASSERT_TRUE(shortened);
    EXPECT_EQ(shortened->preview.right, 740);
    EXPECT_EQ(shortened->previewControl.left, 0);
    EXPECT_EQ(shortened->profileBrowser.bottom, 0);
    EXPECT_EQ(shortened->maximized, 0);
}

TEST(WindowLayoutTest, RectanglesComeBackAndAreStoredAtClose) {
    const WindowLayoutRecord stored = SampleLayout();
    Store(SerializeWindowLayout(stored));

    auto made = test::MakeFrame();
    CMainFrame& frame = *made.frame;
    EXPECT_EQ(Frame(frame.Palette()), stored.palette.ToQRect());
    EXPECT_EQ(Frame(frame.TimeSheet()), stored.timeSheet.ToQRect());
    EXPECT_EQ(Frame(frame.PreView()), stored.preview.ToQRect());
    EXPECT_EQ(Frame(frame.PreView()->ControlPanel()), stored.previewControl.ToQRect());
    // The browsers come back to their places but keep their own sizes.
    const QSize messageSize = frame.MessageBrowser()->size();
    EXPECT_EQ(Frame(frame.MessageBrowser()).topLeft(), QPoint(200, 100));
    EXPECT_NE(messageSize, QSize(50, 50));
    EXPECT_EQ(Frame(frame.ProfileBrowser()).topLeft(), QPoint(220, 120));

    frame.Palette()->move(60, 70);
    ASSERT_TRUE(frame.close());
    auto written = Stored();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size, 120);
    EXPECT_EQ(written->palette.left, 60);
    EXPECT_EQ(written->palette.bottom, 70 + 400);
    EXPECT_EQ(written->messageBrowser.right - written->messageBrowser.left, messageSize.width());
    EXPECT_EQ(written->maximized, 0);
    EXPECT_EQ(std::memcmp(&written->timeSheet, &stored.timeSheet, sizeof(WindowRect)), 0);
}

TEST(WindowLayoutTest, MaximizedFrameIsRestoredMaximized) {
    WindowLayoutRecord stored = SampleLayout();
    stored.maximized = 1;
    Store(SerializeWindowLayout(stored));
    {
        auto made = test::MakeFrame();
        made.frame->ShowAll();
        EXPECT_TRUE(made.frame->isMaximized());
        ASSERT_TRUE(made.frame->close());
    }
    auto written = Stored();
    ASSERT_TRUE(written);
    EXPECT_NE(written->maximized, 0);
}

TEST(WindowLayoutTest, RefusedRecordLeavesTheWindowsWhereTheyStartWithout) {
    test::ClearSettings();
    QRect defaultPalette;
    {
        CMainFrame frame;
        defaultPalette = Frame(frame.Palette());
    }
    QByteArray wrongSize = SerializeWindowLayout(SampleLayout());
    wrongSize[0] = 121;
    Store(wrongSize);
    CMainFrame frame;
    EXPECT_EQ(Frame(frame.Palette()), defaultPalette);
}

TEST(WindowLayoutTest, AbsurdRectanglesAreClampedNotTrusted) {
    WindowLayoutRecord stored = SampleLayout();
    stored.palette = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    stored.timeSheet = {500, 500, 100, 100};  // right and bottom before left and top
    Store(SerializeWindowLayout(stored));
    CMainFrame frame;
    EXPECT_GE(frame.Palette()->width(), 1);
    EXPECT_GE(frame.TimeSheet()->width(), 1);
}

TEST(WindowLayoutTest, TenRestartsKeepEveryRectangleExactly) {
    test::ClearSettings();
    std::optional<WindowLayoutRecord> first;
    QRect firstFrame;
    for (int run = 0; run < 10; ++run) {
        auto made = test::MakeFrame();
        made.frame->ShowAll();
        QCoreApplication::processEvents();
        QRect moved;
        if (run == 1) {
            // The author moves and resizes a window once; the rest only start and quit.
            made.frame->Palette()->setGeometry(40, 90, 480, 500);
            made.frame->move(15, 25);
            moved = made.frame->Palette()->frameGeometry();
        }
        ASSERT_TRUE(made.frame->close());
        auto written = Stored();
        ASSERT_TRUE(written);
        const QRect frameRect =
            QSettings(kSettingsOrganization, kSettingsApplication).value("MainFrameRect").toRect();
        if (run == 1) {
            first = written;
            firstFrame = frameRect;
            EXPECT_EQ(written->palette.ToQRect(), moved);
        } else if (run > 1) {
            EXPECT_EQ(SerializeWindowLayout(*written), SerializeWindowLayout(*first)) << run;
            EXPECT_EQ(frameRect, firstFrame) << run;
        }
    }
}

TEST(FirstStartLayoutTest, TilesWithoutOverlapOnCommonScreens) {
    FirstStartSizes sizes;
    sizes.frame = QSize(300, 70);
    sizes.palette = QSize(460, 560);
    sizes.messageBrowser = QSize(560, 430);
    sizes.profileBrowser = QSize(460, 520);
    sizes.previewControl = QSize(250, 620);
    sizes.timeSheet = QSize(900, 360);
    for (const QRect& area : {QRect(0, 0, 1366, 768), QRect(0, 24, 1366, 744),
                              QRect(0, 0, 1920, 1080), QRect(0, 0, 2560, 1440)}) {
        SCOPED_TRACE(area.width());
        const FirstStartLayout layout = PlanFirstStartLayout(area, sizes);
        std::vector<QRect> shown = {layout.frame, layout.palette, layout.preview,
                                    layout.previewControl, layout.timeSheet};
        if (layout.messageBrowserShown) {
            shown.push_back(layout.messageBrowser);
        }
        if (layout.profileBrowserShown) {
            shown.push_back(layout.profileBrowser);
        }
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_TRUE(area.contains(shown[i])) << i;
            for (std::size_t j = i + 1; j < shown.size(); ++j) {
                EXPECT_FALSE(shown[i].intersects(shown[j])) << i << " and " << j;
            }
        }
        // The preview keeps the game's 4:3 and the time sheet some rows under it.
        const QSize client = layout.preview.size() - kExpectedDecoration;
        EXPECT_NEAR(client.width() * 3, client.height() * 4, 4);
        EXPECT_GE(layout.timeSheet.height(), 420);
        EXPECT_EQ(layout.frame.topLeft(), area.topLeft());
    }
    // A large screen has room for everything.
    const FirstStartLayout large = PlanFirstStartLayout(QRect(0, 0, 2560, 1440), sizes);
    EXPECT_TRUE(large.messageBrowserShown);
    EXPECT_TRUE(large.profileBrowserShown);
    EXPECT_EQ(large.preview.size(), QSize(800, 600) + kExpectedDecoration);
}

}  // namespace
}  // namespace plk
