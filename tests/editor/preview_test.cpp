#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <vector>

#include "editor/app/window_messages.h"
#include "editor/preview/preview.h"
#include "editor/preview/preview_ctrl.h"
#include "media/render/renderer.h"

namespace plk {
namespace {

// A stand-in for a window the preview talks to, keeping what it receives.
class Listener : public QWidget {
public:
    explicit Listener(const QString& title) { setWindowTitle(title); }
    std::vector<WParam> received;

protected:
    bool event(QEvent* event) override {
        if (event->type() == WindowMessage::EventType()) {
            received.push_back(static_cast<WindowMessage*>(event)->WParameter());
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
    EXPECT_EQ(Renderer::Instance().ClientSize(), QSize(640, 480));
}

}  // namespace
}  // namespace plk
