#include <gtest/gtest.h>

#include <set>

#include "core/text/sjis.h"
#include "media/render/message_canvas.h"
#include "media/render/overlay_animations.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace plk {
namespace {

// Ink (any non-black pixel) inside a rectangle of the canvas.
bool HasInk(const MessageCanvas& canvas, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (canvas.Pixel(x, y) != 0) {
                return true;
            }
        }
    }
    return false;
}

class MessageCanvasTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_canvas.InitCanvas());
        ASSERT_TRUE(m_canvas.HasFont()) << "no match for the message font";
    }
    MessageCanvas m_canvas;
};

TEST_F(MessageCanvasTest, TypesUprightGlyphsOnTheBaselineInGreyLevelsOnBlack) {
    const std::string text = ToSjis("あa");
    EXPECT_FALSE(m_canvas.LayoutMessage(text, 0, false));
    EXPECT_EQ(m_canvas.Layout().Progress(), 2u);
    EXPECT_TRUE(HasInk(m_canvas, QRect(0, 0, 32, 32)));
    EXPECT_FALSE(HasInk(m_canvas, QRect(32, 0, 768, 96)));
    EXPECT_TRUE(m_canvas.LayoutMessage(text, 0, false));
    EXPECT_EQ(m_canvas.Layout().PenX(), 48);  // full width 32, half width 16

    std::set<std::uint32_t> colours;
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 800; ++x) {
            colours.insert(m_canvas.Pixel(x, y));
        }
    }
    for (std::uint32_t colour : colours) {
        const std::uint32_t grey = colour & 0xFF;
        EXPECT_TRUE(colour == 0 || (grey >= 192 && colour == grey * 0x010101u)) << colour;
    }
    EXPECT_GT(colours.size(), 8u);  // anti-aliased edges

    // "a" sits on the baseline: ink down to about the ascent, none in the descender's room.
    const int ascent = m_canvas.Ascent();
    EXPECT_GE(ascent, 26);
    EXPECT_LE(ascent, 30);
    EXPECT_TRUE(HasInk(m_canvas, QRect(32, ascent - 4, 16, 4)));
    EXPECT_FALSE(HasInk(m_canvas, QRect(32, ascent + 1, 16, 32 - ascent - 1)));
    EXPECT_FALSE(HasInk(m_canvas, QRect(32, 0, 16, ascent - 20)));  // lower case: no ink up top
}

TEST_F(MessageCanvasTest, WrapsOntoIndentedLinesAndClears) {
    std::string text;
    for (int i = 0; i < 50; ++i) {
        text += "あ";
    }
    std::vector<PlacedCharacter> placed;
    EXPECT_TRUE(m_canvas.LayoutMessage(ToSjis(text), 0, true, &placed));
    ASSERT_EQ(placed.size(), 50u);
    EXPECT_EQ(placed[23].penY, 32);
    EXPECT_EQ(placed[23].penX, 32);
    EXPECT_TRUE(HasInk(m_canvas, QRect(32, 64, 32, 32)));
    EXPECT_FALSE(HasInk(m_canvas, QRect(0, 32, 32, 64)));  // the indent of lines 2 and 3

    m_canvas.ClearCanvas();
    EXPECT_FALSE(HasInk(m_canvas, QRect(0, 0, 800, 96)));
    EXPECT_EQ(m_canvas.Layout().Progress(), 0u);
    EXPECT_TRUE(m_canvas.LayoutMessage("", 0, false));  // empty: complete at once
    EXPECT_FALSE(HasInk(m_canvas, QRect(0, 0, 800, 96)));
}

// The renderer's message strip: the texture is opaque only where the canvas has ink, and
// the strip lands at (112, 336)-(912, 432).
TEST(RendererMessageTest, DrawsTheStripIntoTheOpenScene) {
    Renderer& renderer = Renderer::Instance();
    ASSERT_EQ(renderer.Init(), Renderer::kOk);
    renderer.SetSoundPlayer([](std::string_view) {});
    ResourceTable palette{};
    FrameRecord frame = NewNormalFrame();
    const std::string text = ToSjis("■");
    renderer.DrawCellFrame(palette, frame, false);
    EXPECT_TRUE(renderer.DrawMessage(text, 0, false));
    renderer.FinishFrame();

    const TextureEntry* strip = TextureStore::Instance().Bind(kMessageTextureName);
    ASSERT_NE(strip, nullptr);
    const QImage& texture = strip->tiles[0].texture;
    EXPECT_EQ(qAlpha(texture.pixel(16, 16)), 255);
    EXPECT_EQ(qAlpha(texture.pixel(400, 50)), 0);
    const QImage& canvas = renderer.Canvas();
    EXPECT_GT(qGray(canvas.pixel(112 + 16, 336 + 16)), 180);
    EXPECT_EQ(qGray(canvas.pixel(112 + 400, 336 + 50)), 0);

    EXPECT_TRUE(renderer.IsMessageComplete(text));
    renderer.ClearCanvas();
    EXPECT_FALSE(renderer.IsMessageComplete(text));
    renderer.Shutdown();
}

TEST(OverlayAnimationsTest, StepsDrawPresentAndWrapOncePerRun) {
    Renderer& renderer = Renderer::Instance();
    ASSERT_EQ(renderer.Init(), Renderer::kOk);
    int presents = 0;
    renderer.SetPresentListener([&] { ++presents; });
    ResourceTable palette{};
    OverlayAnimations& overlays = OverlayAnimations::Instance();
    overlays.Restart(kHitAnyKeyOverlay);
    int wraps = 0;
    for (int i = 0; i < 2 * OverlayAnimations::kHitAnyKeyFrames; ++i) {
        renderer.DrawCellFrame(palette, NewNormalFrame(), false);
        const OverlayStep step = overlays.Step(kHitAnyKeyOverlay);
        EXPECT_TRUE(step.drawn);
        wraps += step.wrapped ? 1 : 0;
    }
    EXPECT_EQ(wraps, 2);
    EXPECT_EQ(presents, 2 * OverlayAnimations::kHitAnyKeyFrames);
    EXPECT_FALSE(overlays.Step("none.pr3").drawn);
    renderer.SetPresentListener({});
    renderer.Shutdown();
    EXPECT_FALSE(overlays.Contains(kCountdownOverlay));  // released with the renderer
}

}  // namespace
}  // namespace plk
