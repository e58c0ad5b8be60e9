#include <gtest/gtest.h>

#include <memory>

#include "core/text/sjis.h"
#include "media/render/renderer.h"
#include "media/render/renderer_fixture.h"
#include "media/render/test_images.h"
#include "media/render/texture_store.h"

namespace plk {
namespace {

using testing_support::Filled;
using testing_support::TwoTone;

// A renderer on a black canvas with a palette whose slot 1 holds the image "sprite".
class RendererTest : public testing_support::RendererFixture {
protected:
    void AddImage(int slot, const char* name, const QImage& image, int worldX = 0, int worldY = 0) {
        TextureStore::Instance().LoadFromImage(
            name, "", image.convertToFormat(QImage::Format_ARGB32_Premultiplied), 0, 0);
        ResourceSlot& s = m_palette->slot[static_cast<std::size_t>(slot)];
        SetFieldText(s.name, name);
        s.kind = static_cast<std::uint8_t>(ResourceKind::Image);
        s.worldX = worldX;
        s.worldY = worldY;
    }

    // Draws one frame whose part A shows slot 1 with `edit` applied to the cell.
    template <typename Edit>
    QImage DrawCell(Edit edit) {
        FrameRecord frame = NewNormalFrame();
        frame.cells[1].resource = 1;
        edit(frame.cells[1]);
        Renderer::Instance().DrawCellFrame(*m_palette, frame, true);
        return Renderer::Instance().Canvas().copy();
    }

    static QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
};

bool IsRed(QColor c) {
    return c.red() > 200 && c.blue() < 50 && c.green() < 50;
}
bool IsBlue(QColor c) {
    return c.blue() > 200 && c.red() < 50 && c.green() < 50;
}
bool IsBlack(QColor c) {
    return c.red() < 30 && c.green() < 30 && c.blue() < 30;
}

TEST_F(RendererTest, CellsArePlacedAroundTheViewCentreWithTheHalfPixelShift) {
    AddImage(1, "sprite", Filled(64, 64, Qt::red), 100, -20);
    QImage canvas = DrawCell([](CellRecord& cell) {
        cell.x = 10.9f;  // truncated toward zero: 10
        cell.y = -5.9f;  // -5
    });
    // Destination: x 512 - 32 + 100 + 10 = 590 .. 654, y 384 - 32 - 20 - 5 = 327 .. 391.
    // The half-pixel shift moves the covered pixels one right and one down: 591..654 and
    // 328..391, with every texel landing on a whole pixel.
    EXPECT_TRUE(IsBlack(At(canvas, 590, 340)));
    EXPECT_TRUE(IsRed(At(canvas, 591, 340)));
    EXPECT_TRUE(IsRed(At(canvas, 654, 340)));
    EXPECT_TRUE(IsBlack(At(canvas, 655, 340)));
    EXPECT_TRUE(IsBlack(At(canvas, 600, 327)));
    EXPECT_TRUE(IsRed(At(canvas, 600, 328)));
    EXPECT_TRUE(IsRed(At(canvas, 600, 391)));
    EXPECT_TRUE(IsBlack(At(canvas, 600, 392)));
}

TEST_F(RendererTest, RotationTurnsClockwiseAndScalesStretchAboutTheCentre) {
    AddImage(1, "sprite", TwoTone(40, 20));
    // Unrotated: red on the left of the centre (512, 384), blue on the right.
    QImage plain = DrawCell([](CellRecord&) {});
    EXPECT_TRUE(IsRed(At(plain, 500, 384)));
    EXPECT_TRUE(IsBlue(At(plain, 524, 384)));

    // A quarter turn clockwise on screen: the left (red) half goes to the top.
    QImage turned = DrawCell([](CellRecord& cell) { cell.rotation = 90; });
    EXPECT_TRUE(IsRed(At(turned, 512, 372)));
    EXPECT_TRUE(IsBlue(At(turned, 512, 396)));
    EXPECT_TRUE(IsBlack(At(turned, 500, 384 - 15)) || IsRed(At(turned, 500, 384 - 15)));
    EXPECT_TRUE(IsBlack(At(turned, 526, 384)));

    // A negative rotation counts as its positive equivalent: -270 is the same quarter turn.
    QImage negative = DrawCell([](CellRecord& cell) { cell.rotation = -270; });
    EXPECT_EQ(negative, turned);

    // Scale 200 x 50: 80 x 10 about the same centre.
    QImage scaled = DrawCell([](CellRecord& cell) {
        cell.scaleX = 200;
        cell.scaleY = 50;
    });
    EXPECT_TRUE(IsRed(At(scaled, 475, 384)));
    EXPECT_TRUE(IsBlue(At(scaled, 549, 384)));
    EXPECT_TRUE(IsBlack(At(scaled, 470, 384)));
    EXPECT_TRUE(IsBlack(At(scaled, 512, 392)));
}

TEST_F(RendererTest, OpacityMirroringAndEmptySlots) {
    AddImage(1, "sprite", Filled(20, 20, Qt::white));
    EXPECT_TRUE(IsBlack(At(DrawCell([](CellRecord& c) { c.alpha = 0; }), 512, 384)));
    const QColor half = At(DrawCell([](CellRecord& c) { c.alpha = 50; }), 512, 384);
    EXPECT_NEAR(half.red(), 128, 2);
    EXPECT_EQ(At(DrawCell([](CellRecord& c) { c.alpha = 150; }), 512, 384), QColor(Qt::white));
    // One negative scale mirrors the quad, which is culled; two make a half turn.
    EXPECT_TRUE(IsBlack(At(DrawCell([](CellRecord& c) { c.scaleX = -100; }), 512, 384)));
    EXPECT_EQ(At(DrawCell([](CellRecord& c) {
                     c.scaleX = -100;
                     c.scaleY = -100;
                 }),
                 512, 384),
              QColor(Qt::white));
    // A cell naming an empty slot, or an image that never loaded, draws nothing.
    EXPECT_TRUE(IsBlack(At(DrawCell([](CellRecord& c) { c.resource = 9; }), 512, 384)));
    EXPECT_TRUE(IsBlack(At(DrawCell([](CellRecord& c) { c.resource = 300; }), 512, 384)));
}

TEST_F(RendererTest, SoundCellsPlayEachTimeTheFrameIsDrawn) {
    ResourceSlot& sound = m_palette->slot[4];
    SetFieldText(sound.name, "hit.wav");
    sound.kind = static_cast<std::uint8_t>(ResourceKind::Sound);
    DrawCell([](CellRecord& c) { c.resource = 4; });
    DrawCell([](CellRecord& c) { c.resource = 4; });
    EXPECT_EQ(m_played, (std::vector<std::string>{"hit.wav", "hit.wav"}));
}

TEST_F(RendererTest, TiledImagesJoinWithoutGaps) {
    TextureStore::Instance().SetMaxTextureSize(16);
    AddImage(1, "sprite", Filled(50, 40, Qt::red));
    for (int rotation : {0, 30}) {
        QImage canvas = DrawCell([&](CellRecord& c) {
            c.rotation = rotation;
            c.scaleX = 150;
        });
        for (int x = 495; x <= 529; ++x) {
            EXPECT_TRUE(IsRed(At(canvas, x, 384))) << "x " << x << " rotation " << rotation;
        }
        for (int y = 372; y <= 396; ++y) {
            EXPECT_TRUE(IsRed(At(canvas, 512, y))) << "y " << y << " rotation " << rotation;
        }
    }
    TextureStore::Instance().SetMaxTextureSize(TextureStore::kDefaultMaxTextureSize);
}

TEST_F(RendererTest, PresentShowsTheClientSizedMiddleOfTheCanvas) {
    EXPECT_EQ(Renderer::PresentSource(QSize(800, 600)), QRect(112, 84, 800, 600));
    EXPECT_EQ(Renderer::PresentSource(QSize(801, 601)), QRect(112, 84, 800, 600));
    EXPECT_EQ(Renderer::PresentSource(QSize(1024, 768)), QRect(0, 0, 1024, 768));

    Renderer& renderer = Renderer::Instance();
    renderer.Settings().backgroundGreen = 255;
    renderer.SetClientSize(QSize(801, 601));
    renderer.RenderPreview();
    EXPECT_EQ(renderer.PresentedImage().size(), QSize(800, 600));
    EXPECT_EQ(renderer.PresentedImageScaled(QSize(801, 601)).pixelColor(800, 600),
              QColor(Qt::green));
    renderer.SetClientSize(QSize(800, 600));
}

TEST_F(RendererTest, LostDeviceSkipsFramesAndComesBackWithItsTextures) {
    Renderer& renderer = Renderer::Instance();
    AddImage(1, "sprite", Filled(20, 20, Qt::red));
    renderer.SimulateDeviceLost();
    QImage skipped = DrawCell([](CellRecord&) {});
    EXPECT_TRUE(IsBlack(At(skipped, 512, 384)));
    renderer.SimulateDeviceRestorable();
    QImage back = DrawCell([](CellRecord&) {});
    EXPECT_EQ(renderer.ResetCount(), 1);
    EXPECT_TRUE(IsRed(At(back, 512, 384)));
}

TEST_F(RendererTest, GuidesFollowTheZoomRules) {
    Renderer& renderer = Renderer::Instance();
    ViewSettings& s = renderer.Settings();
    s.SetGuide(Guide::CentreCrossbar, true);
    s.SetGuide(Guide::ScreenFrame, true);
    renderer.RenderPreview();
    const QImage& canvas = renderer.Canvas();
    EXPECT_EQ(canvas.pixelColor(512, 10), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(10, 384), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(300, 84), QColor(Qt::white));   // frame top at zoom 1
    EXPECT_EQ(canvas.pixelColor(112, 300), QColor(Qt::white));  // frame left

    s.zoom = 2.0f;  // the frame spans (-288, -216)-(1312, 984): off the canvas
    renderer.RenderPreview();
    EXPECT_TRUE(IsBlack(renderer.Canvas().pixelColor(300, 84)));

    s = ViewSettings{};
    s.gridSpacing = 16;
    s.zoom = 0.5f;  // lines every 8 pixels
    renderer.RenderPreview();
    EXPECT_EQ(renderer.Canvas().pixelColor(8, 3), QColor(Qt::white));
    EXPECT_EQ(renderer.Canvas().pixelColor(16, 3), QColor(Qt::white));
    EXPECT_TRUE(IsBlack(renderer.Canvas().pixelColor(12, 3)));
    s.gridSpacing = 1;  // 1 or less: no grid
    renderer.RenderPreview();
    EXPECT_TRUE(IsBlack(renderer.Canvas().pixelColor(8, 3)));
}

TEST_F(RendererTest, PreviewZoomScalesTheImageInPlace) {
    Renderer& renderer = Renderer::Instance();
    TextureStore::Instance().LoadFromImage(
        "face", "", Filled(64, 64, Qt::red).convertToFormat(QImage::Format_ARGB32_Premultiplied), 0,
        0);
    renderer.SetCurrentImage("face", 100, 0);
    renderer.Settings().zoom = 2.0f;
    renderer.RenderPreview();
    // 64 x 64 at offset (100, 0), doubled about its centre (612, 384): (548, 320)-(676, 448).
    const QImage& canvas = renderer.Canvas();
    EXPECT_TRUE(IsRed(canvas.pixelColor(550, 322)));
    EXPECT_TRUE(IsRed(canvas.pixelColor(675, 447)));
    EXPECT_TRUE(IsBlack(canvas.pixelColor(546, 384)));
    EXPECT_TRUE(IsBlack(canvas.pixelColor(678, 384)));
}

TEST_F(RendererTest, BuiltInGuideImagesAreLoadedAtInit) {
    for (const char* name : {kMenuIconGuideName, kMessageWindowGuideName, kNameFontName}) {
        const TextureEntry* entry = TextureStore::Instance().Bind(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry->level, TextureStore::kEmbeddedLevel);
    }
    EXPECT_EQ(TextureStore::Instance().Bind(kMenuIconGuideName)->width, 96u);
    EXPECT_EQ(TextureStore::Instance().Bind(kMessageWindowGuideName)->width, 800u);
    EXPECT_EQ(TextureStore::Instance().Bind(kNameFontName)->width, 256u);
    EXPECT_NE(TextureStore::Instance().Bind(kMessageTextureName), nullptr);
}

TEST_F(RendererTest, StillFrameShowsItsOnionSkinOnRequestAndFollowsChangedImages) {
    AddImage(1, "sprite", Filled(20, 20, Qt::white));
    ResourceSlot& sound = m_palette->slot[2];
    SetFieldText(sound.name, "beep.wav");
    sound.kind = static_cast<std::uint8_t>(ResourceKind::Sound);
    // Frames 1..3 show the sprite 100 pixels apart; frame 2 also names the sound.
    Cut cut({NewNormalFrame(), NewNormalFrame(), NewNormalFrame()}, 6);
    for (int row = 0; row < 3; ++row) {
        cut.Frame(row).cells[1].resource = 1;
        cut.Frame(row).cells[1].x = static_cast<float>(100 * row - 100);
    }
    cut.Frame(1).cells[2].resource = 2;
    const CutView view(cut);
    auto palette = std::shared_ptr<const ResourceTable>(m_palette.get(), [](auto*) {});
    Renderer& renderer = Renderer::Instance();
    const auto canvasAt = [&](int x) { return renderer.Canvas().pixelColor(x, 384); };

    renderer.DrawStillFrame(palette, view, 2);
    EXPECT_EQ(m_played, std::vector<std::string>{"beep.wav"});
    EXPECT_TRUE(IsBlack(canvasAt(412)));
    EXPECT_EQ(canvasAt(512), QColor(Qt::white));

    renderer.Settings().onionSkin = true;
    renderer.Settings().onionDepth = 1;
    ASSERT_TRUE(renderer.RedrawStill());
    EXPECT_EQ(m_played.size(), 1u);  // a redraw plays nothing
    const QColor before = canvasAt(412);
    const QColor after = canvasAt(612);
    EXPECT_GT(before.red(), 2 * before.blue());
    EXPECT_GT(after.blue(), 2 * after.red());
    EXPECT_EQ(canvasAt(512), QColor(Qt::white));

    // The neighbours' layers are kept between draws, but not past a change of the image.
    TextureStore::Instance().Release("sprite");
    AddImage(1, "sprite", Filled(20, 20, Qt::transparent));
    ASSERT_TRUE(renderer.RedrawStill());
    EXPECT_TRUE(IsBlack(canvasAt(412)));
    EXPECT_TRUE(IsBlack(canvasAt(612)));

    renderer.RenderPreview();
    EXPECT_FALSE(renderer.RedrawStill());  // the canvas shows something else now
}

// The onion skin keeps every frame in reach as a layer of its own, so stepping draws only
// the frame that comes into reach: each step must show what a first draw of that frame
// shows, and the frame on show must match the frame drawn alone wherever no neighbour
// reaches, translucent cells over a coloured background included. (Laid from its layer,
// overlapping translucent cells may round differently: by at most 2 of 255.)
TEST_F(RendererTest, OnionSkinStepsShowWhatAFirstDrawShows) {
    const auto addImages = [&] {
        AddImage(1, "red", Filled(60, 60, QColor(255, 0, 0)));
        AddImage(2, "blue", Filled(60, 60, QColor(0, 0, 255)));
    };
    addImages();
    // Frame n shows the two half-transparent squares overlapping, 150 pixels further on.
    Cut cut(
        {NewNormalFrame(), NewNormalFrame(), NewNormalFrame(), NewNormalFrame(), NewNormalFrame()},
        6);
    for (int row = 0; row < 5; ++row) {
        for (int part = 1; part <= 2; ++part) {
            CellRecord& cell = cut.Frame(row).cells[part];
            cell.resource = part;
            cell.alpha = 50 + 10 * part;
            cell.x = static_cast<float>(150 * row - 300 + 25 * part);
            cell.y = static_cast<float>(10 * part);
        }
    }
    const CutView view(cut);
    auto palette = std::shared_ptr<const ResourceTable>(m_palette.get(), [](auto*) {});
    Renderer& renderer = Renderer::Instance();
    const auto useOnion = [&] {
        renderer.Settings().backgroundRed = 90;
        renderer.Settings().backgroundGreen = 60;
        renderer.Settings().backgroundBlue = 30;
        renderer.Settings().onionSkin = true;
        renderer.Settings().onionDepth = 2;
    };
    useOnion();

    const int steps[] = {1, 2, 3, 4, 5, 4, 3, 3};
    std::vector<QImage> stepped;
    for (int frame : steps) {
        renderer.DrawStillFrame(palette, view, frame);
        stepped.push_back(renderer.Canvas().copy());
    }
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        // Nothing kept: the device and the stored images start again.
        renderer.Shutdown();
        ASSERT_EQ(renderer.Init(), Renderer::kOk);
        addImages();
        useOnion();
        renderer.DrawStillFrame(palette, view, steps[i]);
        EXPECT_EQ(renderer.Canvas(), stepped[i]) << "step " << i << " to frame " << steps[i];
    }

    // Frame 3's squares lie 150 pixels from any neighbour's.
    renderer.Settings().onionSkin = false;
    renderer.DrawStillFrame(palette, view, 3);
    const QImage alone = renderer.Canvas().copy();
    const QImage& onion = stepped[2];
    int worst = 0;
    for (int y = 334; y < 454; ++y) {
        for (int x = 470; x < 610; ++x) {
            const QRgb a = alone.pixel(x, y);
            const QRgb b = onion.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    EXPECT_LE(worst, 2);
    renderer.Settings() = ViewSettings{};
}

}  // namespace
}  // namespace plk
