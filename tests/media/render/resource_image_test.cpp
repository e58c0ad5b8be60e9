#include <gtest/gtest.h>

#include "media/render/resource_image.h"
#include "media/render/test_images.h"

namespace plk {
namespace {

using testing_support::PngBytes;
using testing_support::TwoTone;

TEST(ResourceImageTest, ThumbnailsSqueezeTheWholeImageOntoWhite) {
    // 2:1, left half red, right half blue, with the top quarter transparent.
    QImage wide = TwoTone(200, 100);
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < wide.width(); ++x) {
            wide.setPixelColor(x, y, Qt::transparent);
        }
    }
    std::optional<ResourceImage> decoded = DecodeResourceImage(PngBytes(wide));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->image.size(), QSize(200, 100));
    EXPECT_EQ(decoded->image.format(), QImage::Format_ARGB32_Premultiplied);
    for (std::size_t i = 0; i < kThumbnailSides.size(); ++i) {
        const QImage& thumb = decoded->thumbnails[i];
        const int side = kThumbnailSides[i];
        SCOPED_TRACE(side);
        ASSERT_EQ(thumb.size(), QSize(side, side));
        // The picture reaches every edge: red on the left, blue on the right, top to bottom.
        for (int y : {side / 3, side / 2, side - 1}) {
            EXPECT_EQ(thumb.pixelColor(0, y), QColor(Qt::red)) << y;
            EXPECT_EQ(thumb.pixelColor(side - 1, y), QColor(Qt::blue)) << y;
        }
        // Transparent pixels show the white ground.
        EXPECT_EQ(thumb.pixelColor(side / 4, 0), QColor(Qt::white));
    }
}

TEST(ResourceImageTest, BytesThatAreNoImageGiveNothing) {
    std::vector<std::uint8_t> png = PngBytes(TwoTone(32, 32));
    EXPECT_FALSE(DecodeResourceImage(std::vector<std::uint8_t>(png.begin(), png.begin() + 60)));
    EXPECT_FALSE(DecodeResourceImage(std::vector<std::uint8_t>{'R', 'I', 'F', 'F'}));
    EXPECT_FALSE(DecodeResourceImage({}));
}

}  // namespace
}  // namespace plk
