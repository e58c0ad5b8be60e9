#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/text/sjis.h"
#include "media/render/banded_paint.h"
#include "media/render/renderer.h"
#include "media/render/renderer_fixture.h"
#include "media/render/sprite_drawer.h"
#include "media/render/texture_store.h"

namespace plk {
namespace {

// A busy picture: stripes, diagonals and translucent blocks, so that any pixel the bands
// sample or blend differently shows.
QImage Busy(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = qRgba((x * 7 + seed * 40) & 255, (y * 5) & 255, (x ^ (y + seed)) & 255,
                            (x / 6 + y / 9 + seed) % 4 == 0 ? 90 : 255);
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

struct Layer {
    std::string name;
    int width, height, worldX, worldY, rotation, scaleX, scaleY, alpha;
};

// Rotated, scaled and translucent layers around the canvas, the large ones crossing every
// band edge, plus a few that leave the canvas; some images are tiled.
std::vector<Layer> HeavyLayers(unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<Layer> layers;
    for (int i = 0; i < kPartCopySlot; ++i) {
        const bool large = i % 3 == 0;
        layers.push_back({"layer" + std::to_string(i) + ".png",
                          large ? pick(500, 800) : pick(9, 300),
                          large ? pick(300, 600) : pick(7, 300), pick(-560, 560), pick(-420, 420),
                          i % 9 == 4 ? 0 : pick(0, 359), pick(40, 190), pick(40, 190),
                          i % 5 == 0 ? 100 : pick(15, 95)});
    }
    return layers;
}

void LoadLayers(const std::vector<Layer>& layers) {
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const Layer& l = layers[i];
        TextureStore::Instance().LoadFromImage(l.name, "", Busy(l.width, l.height, int(i)), 0, 0);
    }
}

TEST(ChunksTest, CoverEveryRowOnceTopToBottom) {
    const std::function<double(const QRect&)> heavyBelow500 = [](const QRect& rect) {
        const QRect heavy = rect & QRect(0, 500, rect.width(), 1 << 20);
        return 1.0 * rect.width() * rect.height() + 20.0 * heavy.width() * heavy.height();
    };
    for (int bands : {2, 3, 8}) {
        for (int height : {1, 7, kMinChunkRows, kMinChunkRows + 1, 301, 768}) {
            for (bool weighted : {false, true}) {
                const std::vector<QRect> plan =
                    PlanChunks(611, height, bands,
                               weighted ? heavyBelow500 : std::function<double(const QRect&)>{});
                int row = 0;
                for (const QRect& chunk : plan) {
                    EXPECT_EQ(chunk.top(), row) << height;
                    EXPECT_EQ(chunk.left(), 0);
                    EXPECT_EQ(chunk.width(), 611);
                    EXPECT_GE(chunk.height(), std::min(kMinChunkRows, height - row)) << height;
                    row = chunk.bottom() + 1;
                }
                EXPECT_EQ(row, height) << height << " rows, " << bands << " bands";
            }
        }
    }
}

// Big chunks first and small ones last, sized by cost rather than rows.
TEST(ChunksTest, ShareWhatIsLeftSoTheLastChunksAreSmall) {
    const std::vector<QRect> even = PlanChunks(100, 768, 2);
    ASSERT_GE(even.size(), 4u);
    EXPECT_EQ(even.front().height(), 384) << "half of an even canvas";
    EXPECT_LT(even.back().height(), 2 * kMinChunkRows);
    for (std::size_t k = 1; k < even.size(); ++k) {
        EXPECT_LE(even[k].height(), even[k - 1].height()) << k;
    }
    // Rows below 600 cost a hundred times as much: the chunks there are far shorter.
    const std::vector<QRect> weighted = PlanChunks(100, 768, 2, [](const QRect& rect) {
        const QRect heavy = rect & QRect(0, 600, rect.width(), 1 << 20);
        return 1.0 * rect.width() * rect.height() + 99.0 * heavy.width() * heavy.height();
    });
    ASSERT_GE(weighted.size(), 3u);
    EXPECT_GE(weighted.front().bottom(), 600) << "the light rows go in one chunk";
    EXPECT_LE(weighted.front().top(), 0);
    EXPECT_LT(weighted[1].height(), 100);
}

TEST(BandPoolTest, RunsEveryPartOnceAndPassesOnAFailure) {
    BandPool pool(2);
    for (int parts : {1, 2, 3, 5}) {
        std::vector<int> runs(static_cast<std::size_t>(parts), 0);
        pool.Run(parts, [&](int part) { ++runs[static_cast<std::size_t>(part)]; });
        EXPECT_EQ(runs, std::vector<int>(static_cast<std::size_t>(parts), 1)) << parts;
    }
    EXPECT_THROW(pool.Run(3,
                          [](int part) {
                              if (part == 2) {
                                  throw std::runtime_error("band failed");
                              }
                          }),
                 std::runtime_error);
    std::vector<int> after(3, 0);
    pool.Run(3, [&](int part) { ++after[static_cast<std::size_t>(part)]; });
    EXPECT_EQ(after, std::vector<int>(3, 1)) << "the pool works on after a failure";
}

// Shared jobs: every item is taken once whichever threads join, and a failure on any thread
// reaches the caller with the pool still working afterwards.
TEST(BandPoolTest, SharedJobsTakeEveryItemOnceAndPassOnAFailure) {
    BandPool pool(3);
    for (int threads : {1, 2, 4, 9}) {
        for (int round = 0; round < 50; ++round) {
            std::vector<std::atomic<int>> taken(64);
            std::atomic<std::size_t> next{0};
            pool.Share(threads, [&](int) {
                for (std::size_t i; (i = next.fetch_add(1)) < taken.size();) {
                    ++taken[i];
                }
            });
            for (const std::atomic<int>& count : taken) {
                ASSERT_EQ(count.load(), 1) << threads << " threads";
            }
        }
    }
    std::atomic<int> calls{0};
    EXPECT_THROW(pool.Share(4,
                            [&](int thread) {
                                ++calls;
                                if (thread == 0) {
                                    throw std::runtime_error("band failed");
                                }
                            }),
                 std::runtime_error);
    EXPECT_GE(calls.load(), 1);
    std::atomic<int> after{0};
    pool.Share(2, [&](int) { after = 1; });
    EXPECT_EQ(after.load(), 1);
}

// The sprite drawer's quads painted in bands on canvases of odd heights give the picture a
// single painter gives.
TEST(BandedPaintTest, OddHeightsJoinPixelForPixel) {
    TextureStore::Instance().SetMaxTextureSize(256);  // the large images come in tiles
    const std::vector<Layer> layers = HeavyLayers(7);
    LoadLayers(layers);
    const SpriteDrawer drawer;
    auto draw = [&](QPainter& painter, const QRect&, int) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        for (const Layer& l : layers) {
            const TextureEntry* image = TextureStore::Instance().Bind(l.name);
            ASSERT_NE(image, nullptr);
            const QRect destination(300 + l.worldX / 2, 200 + l.worldY / 2, l.width, l.height);
            drawer.DrawSpriteScaled(painter, *image, QRect(0, 0, l.width, l.height), destination,
                                    l.alpha, l.rotation, l.scaleX, l.scaleY);
        }
    };
    BandPool pool(3);
    const struct {
        int height;
        int bands;
    } cases[] = {{301, 2}, {301, 3}, {767, 4}, {767, 7}, {3, 8}};
    for (const auto& c : cases) {
        QImage single(611, c.height, QImage::Format_ARGB32_Premultiplied);
        single.fill(Qt::darkCyan);
        QImage banded = single.copy();
        PaintInBands(single, 1, &pool, draw);
        PaintInBands(banded, c.bands, &pool, draw);
        EXPECT_TRUE(banded == single) << c.height << " rows in " << c.bands << " bands";
    }
    TextureStore::Destroy();
}

// Planned sprites drawn chunk by chunk and strip by strip are left out of a strip only where
// they cannot touch it: small ones rotated and scaled around every strip and chunk edge of the
// plan come out as one painter draws them.
TEST(BandedPaintTest, PlannedSpritesAtStripEdgesAreNotCutOff) {
    TextureStore::Instance().LoadFromImage("dot.png", "", Busy(5, 3, 1), 0, 0);
    const TextureEntry* dot = TextureStore::Instance().Bind("dot.png");
    ASSERT_NE(dot, nullptr);
    constexpr int kWidth = 300;
    constexpr int kHeight = 4 * kStripRows;
    std::vector<int> edges;
    for (const QRect& chunk : PlanChunks(kWidth, kHeight, 2)) {
        for (int top = chunk.top(); top <= chunk.bottom(); top += kStripRows) {
            edges.push_back(top);
        }
    }
    ASSERT_GE(edges.size(), 5u);
    const SpriteDrawer drawer;
    std::vector<SpriteDraw> draws;
    int step = 0;
    for (int edge : edges) {
        for (int dy = -4; dy <= 3; ++dy) {
            for (int rotation : {0, 37, 90, 181, 300}) {
                const QRect destination(3 + 9 * step % 290, edge + dy, 5, 3);
                drawer.PlanSpriteScaled(draws, *dot, QRect(0, 0, 5, 3), destination, 80, rotation,
                                        60 + step % 90, 60 + step % 70);
                ++step;
            }
        }
    }
    auto draw = [&](QPainter& painter, const QRect& area, int stripRows) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        SpriteDrawer::DrawPlanned(painter, draws, area, stripRows);
    };
    QImage single(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    single.fill(Qt::black);
    QImage banded = single.copy();
    BandPool pool(1);
    PaintInBands(single, 1, &pool, draw);
    PaintInBands(banded, 2, &pool, draw);
    EXPECT_TRUE(banded == single);
    TextureStore::Destroy();
}

class BandedRenderTest : public testing_support::RendererFixture {
protected:
    void TearDown() override {
        Renderer::Instance().SetBands(0);
        RendererFixture::TearDown();
    }

    // Slots 1..27 hold the layers, slot 30 a sound; cell k shows layer k, and one cell
    // in the middle plays the sound.
    FrameRecord HeavyFrame(unsigned seed) {
        const std::vector<Layer> layers = HeavyLayers(seed);
        LoadLayers(layers);
        FrameRecord frame = NewNormalFrame();
        for (int k = 0; k < kPartCopySlot; ++k) {
            const Layer& l = layers[static_cast<std::size_t>(k)];
            ResourceSlot& slot = m_palette->slot[static_cast<std::size_t>(k + 1)];
            SetFieldText(slot.name, l.name);
            slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
            slot.worldX = l.worldX;
            slot.worldY = l.worldY;
            CellRecord& cell = frame.cells[k];
            cell.resource = k + 1;
            cell.rotation = l.rotation;
            cell.scaleX = l.scaleX;
            cell.scaleY = l.scaleY;
            cell.alpha = l.alpha;
            cell.x = static_cast<float>(k) * 0.75f;
        }
        ResourceSlot& sound = m_palette->slot[30];
        SetFieldText(sound.name, "voice.wav");
        sound.kind = static_cast<std::uint8_t>(ResourceKind::Sound);
        frame.cells[13].resource = 30;
        return frame;
    }

    // The canvas is wiped first, so no pixel of an earlier picture can pass for a band's.
    QImage Draw(const FrameRecord& frame, int bands) {
        Renderer::Instance().SetBands(1);
        Renderer::Instance().DrawCellFrame(*m_palette, NewNormalFrame(), true, false);
        Renderer::Instance().SetBands(bands);
        Renderer::Instance().DrawCellFrame(*m_palette, frame, true);
        return Renderer::Instance().Canvas().copy();
    }
};

TEST_F(BandedRenderTest, HeavyFramesAreTheSameInAnyNumberOfBands) {
    Renderer::Instance().Settings().backgroundRed = 40;
    for (unsigned seed : {1u, 2u, 3u}) {
        const FrameRecord frame = HeavyFrame(seed);
        const QImage single = Draw(frame, 1);
        for (int bands : {2, 3, 5, 8}) {
            m_played.clear();
            EXPECT_TRUE(Draw(frame, bands) == single) << "seed " << seed << ", " << bands;
            EXPECT_EQ(m_played, std::vector<std::string>{"voice.wav"}) << "played once";
        }
    }
}

// A frame drawn in bands without present leaves its scene open for the message strip and
// the guides, as a single band does.
TEST_F(BandedRenderTest, AnOpenSceneFinishesAsWithOneBand) {
    const FrameRecord frame = HeavyFrame(4);
    Renderer& renderer = Renderer::Instance();
    renderer.Settings().SetGuide(Guide::CentreCrossbar, true);
    QImage pictures[2];
    for (int bands : {1, 2}) {
        Draw(NewNormalFrame(), 1);
        renderer.SetBands(bands);
        renderer.DrawCellFrame(*m_palette, frame, false);
        renderer.FinishFrame();
        pictures[bands - 1] = renderer.Canvas().copy();
    }
    EXPECT_TRUE(pictures[0] == pictures[1]);
    EXPECT_EQ(pictures[1].pixelColor(512, 5), QColor(Qt::white));
}

// The front is a buffer kept from frame to frame and filled by the band threads: after every
// kind of present it must hold exactly the presented part of the canvas, whatever was shown
// before, and a picture handed out earlier must not change with it.
TEST_F(BandedRenderTest, ThePresentedPictureIsTheCanvasAfterEveryKindOfPresent) {
    Renderer& renderer = Renderer::Instance();
    const FrameRecord frames[2] = {HeavyFrame(8), HeavyFrame(9)};
    auto expectFront = [&](const std::string& what) {
        const QRect source = renderer.PresentsWhole()
                                 ? renderer.Canvas().rect()
                                 : Renderer::PresentSource(renderer.ClientSize());
        EXPECT_TRUE(renderer.PresentedImage() == renderer.Canvas().copy(source)) << what;
    };
    for (bool whole : {true, false}) {
        renderer.SetPresentWhole(whole);
        for (int bands : {1, 2}) {
            const std::string how = (whole ? "whole, " : "middle, ") + std::to_string(bands);
            renderer.SetBands(bands);
            renderer.DrawCellFrame(*m_palette, frames[0], true);
            expectFront(how + " first frame");
            const QImage held = renderer.PresentedImage();
            const QImage heldCanvas = renderer.Canvas().copy();
            renderer.DrawCellFrame(*m_palette, frames[1], true);
            expectFront(how + " next frame");
            EXPECT_FALSE(held == renderer.PresentedImage()) << how;
            EXPECT_TRUE(held ==
                        (whole ? heldCanvas : heldCanvas.copy(Renderer::PresentSource({800, 600}))))
                << how << ": an earlier picture kept";
            renderer.DrawCellFrame(*m_palette, frames[0], false);
            renderer.FinishFrame();
            expectFront(how + " finished scene");
            renderer.PrepareCellFrame(*m_palette, frames[1]);
            ASSERT_TRUE(renderer.PresentPrepared(*m_palette, frames[1], false));
            expectFront(how + " prepared frame");
            renderer.PrepareCellFrame(*m_palette, frames[0]);
            renderer.SetPresentWhole(!whole);
            expectFront(how + " switched");
            ASSERT_TRUE(renderer.PresentPrepared(*m_palette, frames[0], false));
            expectFront(how + " prepared before the switch");
            renderer.SetPresentWhole(whole);
            expectFront(how + " switched back");
            renderer.SetClientSize({640, 300});
            renderer.DrawCellFrame(*m_palette, frames[0], true);
            expectFront(how + " small client");
            renderer.SetClientSize({800, 600});
        }
    }
    renderer.RenderPreview();
    expectFront("preview");
}

class RenderAheadTest : public BandedRenderTest {};

TEST_F(RenderAheadTest, APreparedFramePresentsTheSamePictureOnceWithItsSounds) {
    Renderer& renderer = Renderer::Instance();
    const FrameRecord frame = HeavyFrame(5);
    FrameRecord shown = frame;
    shown.cells[0].resource = 0;
    renderer.DrawCellFrame(*m_palette, shown, true);
    const QImage expected = Draw(frame, 0);
    renderer.DrawCellFrame(*m_palette, shown, true);
    const QImage before = renderer.PresentedImage();

    m_played.clear();
    renderer.PrepareCellFrame(*m_palette, frame);
    EXPECT_TRUE(renderer.PresentedImage() == before) << "preparing presents nothing";
    EXPECT_TRUE(m_played.empty());
    EXPECT_TRUE(renderer.PresentPrepared(*m_palette, frame, true));
    EXPECT_TRUE(renderer.Canvas() == expected);
    EXPECT_TRUE(renderer.PresentedImage() == expected.copy(Renderer::PresentSource({800, 600})));
    EXPECT_EQ(m_played, std::vector<std::string>{"voice.wav"});
    EXPECT_FALSE(renderer.PresentPrepared(*m_palette, frame, true)) << "presented once only";
}

// Anything the picture was drawn from that changes after the preparing makes it stale.
TEST_F(RenderAheadTest, AnyChangeSinceThePreparingDrawsAnew) {
    Renderer& renderer = Renderer::Instance();
    const FrameRecord frame = HeavyFrame(6);
    const struct {
        const char* what;
        std::function<void(FrameRecord&, ResourceTable&)> change;
    } cases[] = {
        {"cell", [](FrameRecord& f, ResourceTable&) { f.cells[26].alpha -= 1; }},
        {"slot", [](FrameRecord&, ResourceTable& t) { t.slot[4].worldY += 1; }},
        {"background",
         [&](FrameRecord&, ResourceTable&) { renderer.Settings().backgroundBlue += 1; }},
        {"texture",
         [](FrameRecord&, ResourceTable&) {
             TextureStore::Instance().LoadFromImage("other.png", "", Busy(4, 4, 0), 0, 0);
         }},
    };
    for (const auto& c : cases) {
        renderer.PrepareCellFrame(*m_palette, frame);
        FrameRecord changed = frame;
        ResourceTable& table = *m_palette;
        c.change(changed, table);
        EXPECT_FALSE(renderer.PresentPrepared(table, changed, true)) << c.what;
    }
    renderer.PrepareCellFrame(*m_palette, frame);
    renderer.Shutdown();
    ASSERT_EQ(renderer.Init(), Renderer::kOk);
    EXPECT_FALSE(renderer.PresentPrepared(*m_palette, frame, true)) << "dropped by a restart";
}

}  // namespace
}  // namespace plk
