#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <vector>

#include "editor/app/control_id.h"
#include "editor/app/window_messages.h"
#include "editor/content/resource_palette.h"
#include "editor/preview/preview.h"
#include "editor/preview/preview_ctrl.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"
#include "media/render/renderer.h"

namespace plk {
namespace {

// A stand-in for a window the preview talks to, keeping what it receives.
class Listener : public QWidget {
public:
    explicit Listener(const QString& title) { setWindowTitle(title); }
    std::vector<WParam> received;
    int runsEnded = 0;  // drags and key runs the preview reported finished

protected:
    bool event(QEvent* event) override {
        if (event->type() == WindowMessage::EventType()) {
            auto* message = static_cast<WindowMessage*>(event);
            if (message->Message() == WM_NUDGE_RUN_ENDED) {
                ++runsEnded;
            } else {
                received.push_back(message->WParameter());
            }
            return true;
        }
        return QWidget::event(event);
    }
};

TEST(PreviewTest, ShowsTheMiddleOfTheCanvasStretchedToItsClient) {
    CPreView preview(nullptr);
    preview.show();
    Renderer::Instance().Settings().backgroundRed = 200;
    Renderer::Instance().RenderPreview();
    QCoreApplication::processEvents();
    EXPECT_EQ(Renderer::Instance().PresentedImage().size(), QSize(800, 600));
    const QImage shown = preview.grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(200, 0, 0));
}

TEST(PreviewTest, DragsAndArrowReleasesNudgeThePalettesImage) {
    Listener palette("Resource Palette");
    CPreView preview(nullptr);
    preview.show();
    QCoreApplication::sendPostedEvents();

    QTest::mousePress(&preview, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(&preview, QPoint(105, 97));
    QTest::mouseMove(&preview, QPoint(106, 97));
    QTest::mouseRelease(&preview, Qt::LeftButton, {}, QPoint(106, 97));
    QTest::mouseMove(&preview, QPoint(120, 120));  // no longer dragging
    QKeyEvent held(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(&preview, &held);  // a repeat while held: nothing
    QTest::keyRelease(&preview, Qt::Key_Left);
    QTest::keyRelease(&preview, Qt::Key_Down);
    QCoreApplication::sendPostedEvents();

    // dx in the high half, dy in the low half, each signed 16-bit.
    const std::vector<WParam> expected = {
        MakeWParam(5, static_cast<std::uint16_t>(-3)),
        MakeWParam(1, 0),
        MakeWParam(static_cast<std::uint16_t>(-1), 0),
        MakeWParam(0, 1),
    };
    EXPECT_EQ(palette.received, expected);
    // The press and the release of the drag each close a run of nudges.
    EXPECT_EQ(palette.runsEnded, 2);
}

// Plain Left and Right follow what is on show: a frame of the sheet's cut steps to the
// neighbouring frame (the release nudges nothing); the palette's image being placed is
// nudged as before. The status hint says which.
TEST(PreviewTest, PlainLeftAndRightStepFramesOnAFrameAndNudgeAPlacedImage) {
    Listener palette("Resource Palette");
    CResourcePalette sheetPalette(nullptr);
    sheetPalette.setWindowTitle(QStringLiteral("real palette"));
    CTimeSheetBase sheet(nullptr, &sheetPalette);
    CPreView preview(nullptr);
    preview.show();
    QCoreApplication::sendPostedEvents();
    palette.received.clear();
    CTimeSheet& page = *sheet.Page(0);

    page.SelectRow(4);
    QCoreApplication::processEvents();
    ASSERT_TRUE(preview.ArrowsStepFrames());
    EXPECT_TRUE(preview.statusTip().contains(QStringLiteral("フレーム表示中")));
    QTest::keyClick(&preview, Qt::Key_Right);
    EXPECT_EQ(page.ActiveRow(), 5);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(&preview, &repeat);  // held down: steps on each repeat
    QTest::keyClick(&preview, Qt::Key_Left);
    EXPECT_EQ(page.ActiveRow(), 3);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(palette.received.empty());

    Renderer::Instance().RenderPreview();  // the palette's image is placed again
    QCoreApplication::processEvents();
    ASSERT_FALSE(preview.ArrowsStepFrames());
    EXPECT_TRUE(preview.statusTip().contains(QStringLiteral("画像の配置中")));
    QTest::keyClick(&preview, Qt::Key_Right);
    QTest::keyClick(&preview, Qt::Key_Period);  // , and . step whatever is on show
    EXPECT_EQ(page.ActiveRow(), 4);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(palette.received, std::vector<WParam>{MakeWParam(1, 0)});
}

TEST(PreviewTest, ResizingTellsThePanelTheNewClientSize) {
    Listener panel("PreViewControl");
    CPreView preview(nullptr);
    // The preview's own panel carries the same title; let the listener stand in for it.
    preview.ControlPanel()->setWindowTitle(QStringLiteral("real panel"));
    preview.show();
    QCoreApplication::sendPostedEvents();
    panel.received.clear();
    preview.resize(640, 480);
    // A shown window may take its new size in a later turn of the event loop.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !panel.received.empty() && LowWord(panel.received.back()) == 640; }, 5000));
    EXPECT_EQ(HighWord(panel.received.back()), 480);
    EXPECT_EQ(LowWord(panel.received.back()), 640);
    // Smaller than the game's screen: the picture gets what the scroll bars leave.
    EXPECT_EQ(Renderer::Instance().ClientSize(), preview.CanvasRect().size());
    EXPECT_LT(preview.CanvasRect().width(), 640);
}

TEST(PreviewTest, ScrollBarsComeWithTheNextResizeAfterAZoom) {
    Listener panel("PreViewControl");
    CPreView preview(nullptr);
    preview.ControlPanel()->setWindowTitle(QStringLiteral("real panel"));
    preview.show();
    QCoreApplication::sendPostedEvents();
    QScrollBar* vertical = preview.VerticalScrollBar();
    QScrollBar* horizontal = preview.HorizontalScrollBar();
    EXPECT_FALSE(vertical->isVisible());
    EXPECT_FALSE(horizontal->isVisible());
    EXPECT_EQ(preview.maximumSize(), QSize(1024, 768));

    Renderer::Instance().Settings().zoom = 2.0f;
    QCoreApplication::processEvents();
    EXPECT_FALSE(vertical->isVisible());  // the zoom alone does not add them

    panel.received.clear();
    preview.resize(800, 601);
    preview.resize(800, 600);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !panel.received.empty() && HighWord(panel.received.back()) == 600; }, 5000));
    ASSERT_TRUE(vertical->isVisible());
    ASSERT_TRUE(horizontal->isVisible());
    EXPECT_EQ(vertical->minimum(), -300);
    EXPECT_EQ(vertical->maximum() + vertical->pageStep() - 1, 300);
    EXPECT_EQ(horizontal->minimum(), -400);
    EXPECT_EQ(horizontal->maximum() + horizontal->pageStep() - 1, 400);
    EXPECT_EQ(vertical->pageStep(), 8);
    // The panel hears the whole client; the picture and the limits leave room for the bars.
    EXPECT_EQ(LowWord(panel.received.back()), 800);
    const int extent = 800 - preview.CanvasRect().width();
    EXPECT_GT(extent, 0);
    EXPECT_EQ(preview.CanvasRect().size(), QSize(800 - extent, 600 - extent));
    EXPECT_EQ(Renderer::Instance().ClientSize(), preview.CanvasRect().size());
    EXPECT_EQ(preview.maximumSize(), QSize(1024 + extent, 768 + extent));
    EXPECT_EQ(preview.minimumSize(), QSize(1 + extent, 1 + extent));

    // Scrolling moves the bars, never the picture.
    QCoreApplication::processEvents();
    const QImage before = preview.grab(preview.CanvasRect()).toImage();
    vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
    horizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(vertical->value(), 8);
    EXPECT_EQ(horizontal->value(), -1);
    EXPECT_EQ(preview.grab(preview.CanvasRect()).toImage(), before);

    // Back at zoom 1 the whole screen fits again.
    Renderer::Instance().Settings().zoom = 1.0f;
    preview.resize(810, 600);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !vertical->isVisible(); }, 5000));
    EXPECT_FALSE(horizontal->isVisible());
    EXPECT_EQ(preview.maximumSize(), QSize(1024, 768));
}

TEST(PreviewTest, StaysOnTopWhenThePanelSaysSo) {
    CPreView preview(nullptr);
    preview.show();
    preview.move(50, 40);
    QCoreApplication::processEvents();
    const QRect placed = preview.geometry();
    auto* box = qobject_cast<QCheckBox*>(FindControl(preview.ControlPanel(), 1010));
    ASSERT_NE(box, nullptr);

    box->click();
    EXPECT_TRUE(preview.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(preview.isVisible());
    EXPECT_TRUE(preview.ControlPanel()->isVisible());
    EXPECT_EQ(preview.geometry(), placed);
    // The panel still belongs to the preview's new native window.
    ASSERT_NE(preview.ControlPanel()->windowHandle(), nullptr);
    EXPECT_EQ(preview.ControlPanel()->windowHandle()->transientParent(), preview.windowHandle());
    box->click();
    EXPECT_FALSE(preview.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.geometry(), placed);
    EXPECT_EQ(preview.ControlPanel()->windowHandle()->transientParent(), preview.windowHandle());
}

}  // namespace
}  // namespace plk
