#include <gtest/gtest.h>

#include "media/render/image_decoder.h"
#include "media/render/test_images.h"
#include "media/render/texture_store.h"

namespace plk {
namespace {

namespace fs = std::filesystem;
using testing_support::Filled;
using testing_support::PngBytes;
using testing_support::WriteFile;

class TextureStoreTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("plkce-textures-" +
                 std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        TextureStore::Destroy();
    }
    void TearDown() override {
        TextureStore::Destroy();
        fs::remove_all(m_dir);
    }
    fs::path Png(const std::string& relative, const QImage& image) {
        WriteFile(m_dir / relative, PngBytes(image));
        return m_dir / relative;
    }

    fs::path m_dir;
};

TEST_F(TextureStoreTest, SameFileNameSharesOneEntryWithTheFirstPixels) {
    TextureStore& store = TextureStore::Instance();
    EXPECT_TRUE(store.LoadFromFile(Png("x/a.png", Filled(4, 4, Qt::red)), "", 0));
    EXPECT_TRUE(store.LoadFromFile(Png("y/a.png", Filled(8, 8, Qt::blue)), "", 0));
    const TextureEntry* entry = store.Bind("a.png");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->refCount, 2);
    EXPECT_EQ(entry->width, 4u);
    EXPECT_EQ(entry->tiles[0].texture.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(store.Bind("A.png"), nullptr);  // keys are case-sensitive
}

TEST_F(TextureStoreTest, ReferencesAndLevelsDecideLifetime) {
    TextureStore& store = TextureStore::Instance();
    fs::path file = Png("b.png", Filled(16, 16, Qt::green));
    for (int i = 0; i < 3; ++i) {
        store.LoadFromFile(file, "", 0);
    }
    const std::uint32_t withFile = store.TotalBytes();
    store.Release("b.png");
    store.Release("b.png");
    EXPECT_NE(store.Bind("b.png"), nullptr);
    store.Release("b.png");
    EXPECT_EQ(store.Bind("b.png"), nullptr);
    EXPECT_EQ(store.TotalBytes(), withFile - 16 * 16 * 4);

    store.LoadFromFile(file, "", 0);
    store.LoadFromFile(file, "", 0);
    store.LoadFromImage("guide", "PRS", Filled(8, 8, Qt::white), 0, TextureStore::kEmbeddedLevel);
    store.CreateBlank("MESSAGETEXTURE", 800, 96, TextureStore::kFileLevel, 0);
    store.ReleaseLevel(TextureStore::kFileLevel);
    EXPECT_EQ(store.Bind("b.png"), nullptr);
    EXPECT_EQ(store.Bind("MESSAGETEXTURE"), nullptr);
    EXPECT_NE(store.Bind("guide"), nullptr);
    EXPECT_EQ(store.TotalBytes(), 8u * 8u * 4u);
}

TEST_F(TextureStoreTest, FailedLoadLeavesAnEntryThatNeverBinds) {
    TextureStore& store = TextureStore::Instance();
    WriteFile(m_dir / "broken.png", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 1, 2, 3});
    EXPECT_FALSE(store.LoadFromFile(m_dir / "broken.png", "", 0));
    EXPECT_FALSE(store.LoadFromFile(m_dir / "missing.png", "", 0));
    EXPECT_EQ(store.Bind("broken.png"), nullptr);
    EXPECT_EQ(store.Bind("missing.png"), nullptr);
    // A second load of a known key only adds a reference, even after a failure.
    EXPECT_TRUE(store.LoadFromFile(Png("other/broken.png", Filled(2, 2, Qt::red)), "", 0));
    EXPECT_EQ(store.Find("broken.png")->refCount, 2);
    EXPECT_EQ(store.Bind("broken.png"), nullptr);
    EXPECT_EQ(store.Bind(""), nullptr);
}

TEST_F(TextureStoreTest, WideImagesAreSplitIntoTilesOfTheMaximumSize) {
    TextureStore& store = TextureStore::Instance();
    store.SetMaxTextureSize(32);
    QImage image = Filled(33, 20, Qt::red);
    image.setPixelColor(32, 5, Qt::blue);
    store.LoadFromFile(Png("wide.png", image), "", 0);
    const TextureEntry* entry = store.Bind("wide.png");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->tilesX, 2u);
    EXPECT_EQ(entry->tilesY, 1u);
    EXPECT_EQ(entry->tileWidth, 32u);
    // The second column holds a one-pixel strip at its left edge.
    EXPECT_EQ(entry->Tile(1, 0).texture.pixelColor(0, 5), QColor(Qt::blue));
    EXPECT_EQ(entry->Tile(1, 0).texture.pixelColor(1, 5).alpha(), 0);
}

TEST_F(TextureStoreTest, ColourKeyMakesMatchingPixelsTransparent) {
    TextureStore& store = TextureStore::Instance();
    QImage image = Filled(2, 1, Qt::black);
    image.setPixelColor(1, 0, QColor(1, 0, 0));
    store.LoadFromFile(Png("keyed.png", image), "", 0xFF000000u);
    const QImage& texture = store.Bind("keyed.png")->tiles[0].texture;
    EXPECT_EQ(texture.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(texture.pixelColor(1, 0), QColor(1, 0, 0));
}

TEST(ImageHeaderTest, SizeComesFromTheHeaderRule) {
    std::vector<std::uint8_t> bmp(26, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[18] = 0x20;  // 800 = 0x320
    bmp[19] = 0x03;
    bmp[22] = 0x58;  // 600 = 0x258
    bmp[23] = 0x02;
    EXPECT_EQ(ImageSizeFromHeader(bmp).width, 800u);
    EXPECT_EQ(ImageSizeFromHeader(bmp).height, 600u);

    std::vector<std::uint8_t> png = testing_support::PngBytes(Filled(300, 7, Qt::red));
    EXPECT_EQ(ImageSizeFromHeader(png).width, 300u);
    EXPECT_EQ(ImageSizeFromHeader(png).height, 7u);

    // "ihdr" in any case counts; a buffer with no match reads from position 64, and
    // bytes past the end count as zero.
    std::vector<std::uint8_t> lower = {'x', 'i', 'H', 'd', 'R', 0, 0, 0, 9, 0, 0, 0, 4};
    EXPECT_EQ(ImageSizeFromHeader(lower).width, 9u);
    EXPECT_EQ(ImageSizeFromHeader(lower).height, 4u);
    EXPECT_EQ(ImageSizeFromHeader(std::vector<std::uint8_t>{1, 2, 3}).width, 0u);
}

}  // namespace
}  // namespace plk

namespace plk {
namespace {

// A 24-bit BMP of `width` x `height` as its header states it, with `pixelBytes` of pixels;
// `infoSize` 12 gives the OS/2 header with 16-bit sides.
std::vector<std::uint8_t> BmpBytes(std::int32_t width, std::int32_t height, std::size_t pixelBytes,
                                   std::uint32_t infoSize = 40) {
    std::vector<std::uint8_t> bmp;
    auto put = [&bmp](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            bmp.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    };
    const std::uint32_t dataAt = 14 + infoSize;
    bmp = {'B', 'M'};
    put(dataAt + static_cast<std::uint32_t>(pixelBytes), 4);
    put(0, 4);
    put(dataAt, 4);
    put(infoSize, 4);
    if (infoSize == 12) {
        put(static_cast<std::uint32_t>(width), 2);
        put(static_cast<std::uint32_t>(height), 2);
        put(1, 2);
        put(24, 2);
    } else {
        put(static_cast<std::uint32_t>(width), 4);
        put(static_cast<std::uint32_t>(height), 4);
        put(1, 2);
        put(24, 2);
        put(0, 4);
        put(static_cast<std::uint32_t>(pixelBytes), 4);
        put(2835, 4);
        put(2835, 4);
        put(0, 4);
        put(0, 4);
    }
    bmp.resize(bmp.size() + pixelBytes, 0x80);
    return bmp;
}

// The tiles follow the decoded image, not the header probe, which reads a top-down or
// OS/2 BMP as billions of rows; absurd stated sizes are refused before decoding.
TEST_F(TextureStoreTest, BmpTilesFollowTheDecodedImageAndAbsurdSizesAreRefused) {
    TextureStore& store = TextureStore::Instance();
    store.SetMaxTextureSize(4);
    const struct {
        std::string name;
        std::vector<std::uint8_t> bytes;
        bool loads;
        std::uint32_t width, height;
    } cases[] = {
        {"top_down.bmp", BmpBytes(6, -5, 5 * 20), true, 6, 5},
        {"os2.bmp", BmpBytes(2, 3, 3 * 8, 12), true, 2, 3},
        {"huge_top_down.bmp", BmpBytes(2, -20000, 4), false, 0, 0},
        {"huge_width.bmp", BmpBytes(0x7FFFFFFF, 1, 4), false, 0, 0},
        {"huge_os2.bmp", BmpBytes(20000, 2, 4, 12), false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(m_dir / c.name, c.bytes);
        EXPECT_EQ(store.LoadFromFile(m_dir / c.name, "", 0), c.loads);
        const TextureEntry* entry = store.Bind(c.name);
        ASSERT_EQ(entry != nullptr, c.loads);
        if (entry != nullptr) {
            EXPECT_EQ(entry->width, c.width);
            EXPECT_EQ(entry->height, c.height);
            EXPECT_EQ(entry->tilesX, (c.width + 3) / 4);
            EXPECT_EQ(entry->tilesY, (c.height + 3) / 4);
        }
    }
}

}  // namespace
}  // namespace plk
