#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <memory>

#include "core/text/sjis.h"
#include "editor/preview/preview.h"
#include "editor/preview/preview_ctrl.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace plk {
namespace {

TEST(PreviewAnimationToolsTest, FittedViewShowsTheWholeCanvasAtItsAspect) {
    CPreView preview(nullptr);
    preview.show();
    preview.resize(400, 400);
    QCoreApplication::processEvents();
    auto* fit = preview.ControlPanel()->findChild<QCheckBox*>(QStringLiteral("fitToWindow"));
    ASSERT_NE(fit, nullptr);

    // A white mark at the canvas's top-left corner, far outside the 1:1 middle.
    Renderer& renderer = Renderer::Instance();
    renderer.Settings().backgroundRed = 90;
    renderer.RenderPreview();
    fit->click();
    EXPECT_TRUE(preview.FitToWindow());
    EXPECT_EQ(renderer.PresentedImage().size(), QSize(1024, 768));
    EXPECT_FALSE(preview.VerticalScrollBar()->isVisible());
    const QRect fitted = preview.FittedRect();
    EXPECT_EQ(fitted.width(), 400);
    EXPECT_EQ(fitted.height(), 300);  // 4:3, centred with bands above and below
    EXPECT_EQ(fitted.top(), 50);
    const QImage shown = preview.grab().toImage();
    EXPECT_EQ(shown.pixelColor(200, 200), QColor(90, 0, 0));
    EXPECT_NE(shown.pixelColor(200, 10), QColor(90, 0, 0));

    // Fitted, the window may grow past the canvas; back at 1:1 it may not.
    preview.resize(1400, 1050);
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.width(), 1400);
    fit->click();
    QCoreApplication::processEvents();
    EXPECT_LE(preview.width(), 1024 + preview.VerticalScrollBar()->sizeHint().width());
    EXPECT_EQ(renderer.PresentedImage().size(),
              Renderer::PresentSource(preview.CanvasRect().size()).size());
    renderer.Settings() = ViewSettings{};
}

TEST(PreviewAnimationToolsTest, OnionSkinToggleRedrawsTheStillFrame) {
    CPreView preview(nullptr);
    preview.show();
    QCoreApplication::processEvents();
    Renderer& renderer = Renderer::Instance();
    QImage white(20, 20, QImage::Format_ARGB32_Premultiplied);
    white.fill(Qt::white);
    TextureStore::Instance().LoadFromImage("mark", "", white, 0, 0);
    auto palette = std::make_shared<ResourceTable>();
    palette->ClearAll();
    SetFieldText(palette->slot[1].name, "mark");
    palette->slot[1].kind = static_cast<std::uint8_t>(ResourceKind::Image);
    Cut cut({NewNormalFrame(), NewNormalFrame()}, 6);
    for (int row = 0; row < 2; ++row) {
        cut.Frame(row).cells[1].resource = 1;
        cut.Frame(row).cells[1].x = static_cast<float>(100 * row);
    }
    const CutView view(cut);
    renderer.DrawStillFrame(palette, view, 2);
    const auto previous = [&] { return renderer.Canvas().pixelColor(512, 384); };
    EXPECT_EQ(previous(), QColor(Qt::black));

    auto* onion = preview.ControlPanel()->findChild<QCheckBox*>(QStringLiteral("onionSkin"));
    ASSERT_NE(onion, nullptr);
    onion->click();
    EXPECT_TRUE(renderer.Settings().onionSkin);
    EXPECT_GT(previous().red(), previous().blue());  // frame 1 shows through, reddened
    onion->click();
    EXPECT_EQ(previous(), QColor(Qt::black));
}

}  // namespace
}  // namespace plk
