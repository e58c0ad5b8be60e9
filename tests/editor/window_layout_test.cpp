#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>
#include <cstring>

#include <QHeaderView>
#include <QTest>
#include <QToolButton>

#include "editor/app/first_start_layout.h"
#include "editor/app/hidden_windows_strip.h"
#include "editor/content/message_browser.h"
#include "editor/content/profile_browser.h"
#include "editor/content/resource_palette.h"
#include "editor/preview/preview.h"
#include "editor/preview/preview_ctrl.h"
#include "editor/timesheet/cut_grid.h"
#include "editor/timesheet/time_sheet.h"
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

FirstStartSizes TypicalSizes(const QMargins& decoration) {
    FirstStartSizes sizes;
    sizes.frame = QSize(280, 110);
    sizes.palette = QSize(356, 300);
    sizes.messageBrowser = QSize(620, 690);
    sizes.profileBrowser = QSize(392, 576);
    sizes.previewControl = QSize(282, 703);
    sizes.timeSheet = TimeSheetMetrics{100, 210, 1040, 18};
    sizes.decoration = decoration;
    return sizes;
}

std::vector<QRect> ShownRects(const FirstStartLayout& layout) {
    std::vector<QRect> shown = {layout.frame, layout.palette, layout.preview, layout.timeSheet};
    if (layout.previewControlShown) {
        shown.push_back(layout.previewControl);
    }
    if (layout.messageBrowserShown) {
        shown.push_back(layout.messageBrowser);
    }
    if (layout.profileBrowserShown) {
        shown.push_back(layout.profileBrowser);
    }
    return shown;
}

QSize PreviewClient(const FirstStartLayout& layout, const QMargins& decoration) {
    return layout.preview.marginsRemoved(decoration).size();
}

TEST(FirstStartLayoutTest, CommonScreensGetRoomToWork) {
    struct Case {
        QRect area;
        int rows;       // at least
        QSize preview;  // client at least
        bool control, messages, profile, folded;
    } cases[] = {
        {QRect(0, 0, 1366, 768), 10, QSize(560, 420), true, false, false, true},
        {QRect(0, 24, 1366, 744), 10, QSize(520, 390), true, false, false, true},
        {QRect(0, 0, 1920, 1080), 20, QSize(620, 465), true, true, false, true},
        {QRect(0, 0, 2560, 1440), 20, QSize(900, 675), true, true, true, false},
    };
    for (const QMargins& decoration : {kExpectedDecoration, QMargins(1, 20, 1, 5)}) {
        const FirstStartSizes sizes = TypicalSizes(decoration);
        for (const Case& c : cases) {
            SCOPED_TRACE(QStringLiteral("%1x%2 at %3, decoration top %4")
                             .arg(c.area.width())
                             .arg(c.area.height())
                             .arg(c.area.top())
                             .arg(decoration.top())
                             .toStdString());
            const FirstStartLayout layout = PlanFirstStartLayout(c.area, sizes);
            const std::vector<QRect> shown = ShownRects(layout);
            for (std::size_t i = 0; i < shown.size(); ++i) {
                EXPECT_TRUE(c.area.contains(shown[i])) << i;
                for (std::size_t j = i + 1; j < shown.size(); ++j) {
                    EXPECT_FALSE(shown[i].intersects(shown[j])) << i << " and " << j;
                }
            }
            EXPECT_EQ(layout.previewControlShown, c.control);
            EXPECT_EQ(layout.messageBrowserShown, c.messages);
            EXPECT_EQ(layout.profileBrowserShown, c.profile);
            EXPECT_EQ(layout.timeSheetFolded, c.folded);
            EXPECT_GE(layout.gridRows, c.rows);
            // The rows the plan counts are there in the time sheet's client.
            const int around = sizes.timeSheet.chrome + (c.folded ? 0 : sizes.timeSheet.fields);
            EXPECT_GE(layout.timeSheet.marginsRemoved(decoration).height() - around,
                      layout.gridRows * sizes.timeSheet.row);
            const QSize client = PreviewClient(layout, decoration);
            EXPECT_GE(client.width(), c.preview.width());
            EXPECT_GE(client.height(), c.preview.height());
            // The main window sits above the palette; a hidden window keeps a place on
            // the screen for when it is shown.
            EXPECT_EQ(layout.frame.topLeft(), c.area.topLeft());
            EXPECT_EQ(layout.palette.top(), layout.frame.bottom() + 1);
            for (const QRect& rect :
                 {layout.previewControl, layout.messageBrowser, layout.profileBrowser}) {
                EXPECT_TRUE(c.area.contains(rect));
            }
        }
    }
}

TEST(FirstStartLayoutTest, WantedRowsGrowWithTheScreen) {
    EXPECT_EQ(WantedGridRows(600), 10);
    EXPECT_EQ(WantedGridRows(768), 10);
    EXPECT_EQ(WantedGridRows(1080), 20);
    EXPECT_EQ(WantedGridRows(2160), 20);
}

TEST(FirstStartLayoutTest, TinyScreenStillGetsTheMainWindowsInside) {
    const QRect area(0, 0, 800, 600);
    const FirstStartLayout layout = PlanFirstStartLayout(area, TypicalSizes(kExpectedDecoration));
    EXPECT_FALSE(layout.messageBrowserShown || layout.profileBrowserShown ||
                 layout.previewControlShown);
    const std::vector<QRect> shown = ShownRects(layout);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_TRUE(area.contains(shown[i])) << i;
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            EXPECT_FALSE(shown[i].intersects(shown[j])) << i << " and " << j;
        }
    }
}

// The first start of the real frame on a screen area, settled.
test::FrameWithDialogs StartFirstTime(const QRect& area) {
    test::ClearSettings();
    CMainFrame::SetFirstStartArea(area);
    auto made = test::MakeFrame();
    CMainFrame::SetFirstStartArea(std::nullopt);
    made.frame->ShowAll();
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
    return made;
}

TEST(FirstStartLayoutTest, RealFrameTilesEachScreenWithRoomToWork) {
    struct Case {
        QRect area;
        int rows;
        QStringList hidden;
    } cases[] = {
        {QRect(0, 0, 1366, 768), 10, {"メッセージ ブラウザ", "プロフィール ブラウザ"}},
        {QRect(0, 0, 1920, 1080), 20, {"プロフィール ブラウザ"}},
        {QRect(0, 0, 2560, 1440), 20, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.area.width());
        auto made = StartFirstTime(c.area);
        CMainFrame& frame = *made.frame;
        std::vector<QWidget*> windows = {&frame};
        for (QWidget* window :
             {static_cast<QWidget*>(frame.Palette()), static_cast<QWidget*>(frame.MessageBrowser()),
              static_cast<QWidget*>(frame.ProfileBrowser()), static_cast<QWidget*>(frame.PreView()),
              static_cast<QWidget*>(frame.PreView()->ControlPanel()),
              static_cast<QWidget*>(frame.TimeSheet())}) {
            if (window->isVisible()) {
                windows.push_back(window);
            }
        }
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const QRect a = windows[i]->frameGeometry();
            EXPECT_TRUE(c.area.contains(a))
                << windows[i]->windowTitle().toStdString() << " " << a.x() << "," << a.y() << " "
                << a.width() << "x" << a.height();
            for (std::size_t j = i + 1; j < windows.size(); ++j) {
                EXPECT_FALSE(a.intersects(windows[j]->frameGeometry()))
                    << windows[i]->windowTitle().toStdString() << " and "
                    << windows[j]->windowTitle().toStdString();
            }
        }
        // Every window is shown or named in the strip; nothing else is named.
        EXPECT_EQ(frame.HiddenStrip()->Offered(), c.hidden);
        EXPECT_EQ(frame.HiddenStrip()->isVisible(), !c.hidden.isEmpty());

        const CutGrid* grid = frame.TimeSheet()->CurrentPage()->Grid();
        const int rows = grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize();
        EXPECT_GE(rows, c.rows);

        // The whole canvas, fitted and at 4:3, in a preview large enough to work in.
        CPreView* preview = frame.PreView();
        EXPECT_TRUE(preview->FitToWindow());
        const QRect fitted = preview->FittedRect();
        EXPECT_TRUE(preview->rect().contains(fitted));
        EXPECT_NEAR(fitted.width() * 3, fitted.height() * 4, 4);
        EXPECT_GE(fitted.width(), 480);
        EXPECT_TRUE(made.frame->close());
    }
}

TEST(FirstStartLayoutTest, FoldedFieldsAndHiddenWindowsComeBackInOneClick) {
    auto made = StartFirstTime(QRect(0, 0, 1366, 768));
    CMainFrame& frame = *made.frame;
    CTimeSheetBase& sheet = *frame.TimeSheet();
    ASSERT_TRUE(sheet.FieldsFolded());
    EXPECT_FALSE(sheet.CurrentPage()->FieldsArea()->isVisible());

    // The fold toggle of any page unfolds every page.
    const int rowsFolded = sheet.CurrentPage()->Grid()->viewport()->height();
    sheet.SelectCut(1);
    QTest::mouseClick(sheet.Page(1)->FoldButton(), Qt::LeftButton);
    EXPECT_FALSE(sheet.FieldsFolded());
    EXPECT_TRUE(sheet.Page(1)->FieldsArea()->isVisible());
    sheet.SelectCut(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(sheet.Page(0)->FieldsArea()->isVisible());
    EXPECT_LT(sheet.Page(0)->Grid()->viewport()->height(), rowsFolded);

    // A link of the strip shows its window, as the 表示 item does.
    HiddenWindowsStrip* strip = frame.HiddenStrip();
    Q_EMIT strip->linkActivated(QStringLiteral("2"));  // the profile browser
    EXPECT_TRUE(frame.ProfileBrowser()->isVisible());
    EXPECT_EQ(strip->Offered(), QStringList{QStringLiteral("メッセージ ブラウザ")});
    frame.MessageBrowser()->show();
    EXPECT_FALSE(strip->isVisible());
    frame.MessageBrowser()->hide();
    ASSERT_TRUE(frame.close());

    // The next start keeps the layout as it was left, the fold included.
    auto again = test::MakeFrame();
    again.frame->ShowAll();
    EXPECT_FALSE(again.frame->TimeSheet()->FieldsFolded());
    EXPECT_TRUE(again.frame->ProfileBrowser()->isVisible());
    EXPECT_FALSE(again.frame->MessageBrowser()->isVisible());
    EXPECT_TRUE(again.frame->PreView()->FitToWindow());
    EXPECT_EQ(again.frame->HiddenStrip()->Offered(),
              QStringList{QStringLiteral("メッセージ ブラウザ")});

    // The preview's fit is the author's choice and comes back as it was left.
    again.frame->PreView()->ControlPanel()->SetFitToWindow(false);
    ASSERT_TRUE(again.frame->close());
    auto third = test::MakeFrame();
    third.frame->ShowAll();
    EXPECT_FALSE(third.frame->PreView()->FitToWindow());
}

}  // namespace
}  // namespace plk
