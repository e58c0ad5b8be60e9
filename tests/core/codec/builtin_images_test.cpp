#include <gtest/gtest.h>

#include <spng.h>

#include <memory>

#include "core/codec/embedded_resources.h"
#include "core/codec/lzss_encoder.h"
#include "core/codec/packed_block.h"
#include "core/codec/packed_loader.h"

namespace plk {
namespace {

struct PngInfo {
    std::uint32_t width;
    std::uint32_t height;
    int colourType;
    int bitDepth;
};

// Decodes the whole image, so a damaged stream or checksum fails here.
PngInfo DecodePng(const std::vector<std::uint8_t>& png) {
    std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> context(spng_ctx_new(0), &spng_ctx_free);
    spng_set_crc_action(context.get(), SPNG_CRC_ERROR, SPNG_CRC_ERROR);
    spng_set_png_buffer(context.get(), png.data(), png.size());
    spng_ihdr header{};
    EXPECT_EQ(spng_get_ihdr(context.get(), &header), 0);
    std::size_t size = 0;
    EXPECT_EQ(spng_decoded_image_size(context.get(), SPNG_FMT_RGBA8, &size), 0);
    std::vector<std::uint8_t> pixels(size);
    EXPECT_EQ(spng_decode_image(context.get(), pixels.data(), size, SPNG_FMT_RGBA8, 0), 0);
    return {header.width, header.height, header.color_type, header.bit_depth};
}

struct BuiltinImage {
    int id;
    std::uint32_t width;
    std::uint32_t height;
};

TEST(BuiltinImagesTest, DecodeToRgbaPngsOfTheirSizes) {
    const BuiltinImage images[] = {
        {kMessageWindowGuideId, 800, 600}, {kMenuIconGuideId, 96, 96}, {kNameFontId, 256, 96}};
    for (const BuiltinImage& image : images) {
        SCOPED_TRACE(image.id);
        std::optional<std::vector<std::uint8_t>> png = LoadPackedResource(image.id, "PRS");
        ASSERT_TRUE(png.has_value());
        PngInfo info = DecodePng(*png);
        EXPECT_EQ(info.width, image.width);
        EXPECT_EQ(info.height, image.height);
        EXPECT_EQ(info.colourType, SPNG_COLOR_TYPE_TRUECOLOR_ALPHA);
        EXPECT_EQ(info.bitDepth, 8);
    }
}

// The build packed them with our encoder, so packing the content again gives the same
// blocks byte for byte.
TEST(BuiltinImagesTest, RepackingGivesTheCompiledBlocks) {
    LzssEncoder encoder;
    ASSERT_EQ(EmbeddedResources().size(), 3u);
    for (const EmbeddedResource& resource : EmbeddedResources()) {
        SCOPED_TRACE(resource.id);
        std::vector<std::uint8_t> content = Unpack(resource.bytes, "resource");
        std::vector<std::uint8_t> compiled(resource.bytes.begin(), resource.bytes.end());
        EXPECT_EQ(Pack(content, encoder), compiled);
    }
}

}  // namespace
}  // namespace plk
