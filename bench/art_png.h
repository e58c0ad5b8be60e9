#pragma once

// Pictures like a character's for the benchmarks that load a whole palette.

#include <benchmark/benchmark.h>
#include <spng.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench_data.h"
#include "core/codec/packed_loader.h"
#include "support/temp_folder.h"

namespace plk::bench {

struct Size {
    std::uint32_t width;
    std::uint32_t height;
};

// Sizes a character uses: a few full-screen pictures, many parts and small pieces.
inline Size SlotSize(int slot) {
    static constexpr Size kCycle[8] = {{1024, 768}, {320, 240}, {400, 300}, {256, 256},
                                       {512, 384},  {160, 120}, {128, 128}, {200, 150}};
    Size size = kCycle[slot % 8];
    if (slot % 16 == 8) {
        size = {640, 480};
    }
    return size;
}

// Painted-looking RGBA: soft gradients, low noise, filled shapes with hard edges and a
// transparent surround, so deflate sees the kind of data character art gives it.
inline Bytes ArtPng(Size size, std::uint32_t seed) {
    std::vector<std::uint8_t> pixels(std::size_t{size.width} * size.height * 4);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-5, 5);
    const double cx = size.width * (0.3 + 0.4 * (seed % 7) / 7.0);
    const double cy = size.height * 0.5;
    const double radius = std::min(size.width, size.height) * 0.4;
    for (std::uint32_t y = 0; y < size.height; ++y) {
        for (std::uint32_t x = 0; x < size.width; ++x) {
            std::uint8_t* p = &pixels[(std::size_t{y} * size.width + x) * 4];
            const double d = std::hypot(x - cx, (y - cy) * 1.4);
            const bool body = d < radius;
            const bool stripe = body && ((x + y + seed) / 23) % 5 == 0;
            const int shade = static_cast<int>(255 - d * 120 / radius);
            p[0] = static_cast<std::uint8_t>(
                std::clamp((stripe ? 40 : shade) + noise(random), 0, 255));
            p[1] = static_cast<std::uint8_t>(
                std::clamp(int(y * 200 / size.height) + noise(random), 0, 255));
            p[2] = static_cast<std::uint8_t>(
                std::clamp(int((seed * 37) % 200) + (body ? 40 : 0) + noise(random), 0, 255));
            p[3] = body ? 255 : (d < radius * 1.05 ? 128 : 0);
        }
    }
    return EncodeRgbaPng(pixels, size.width, size.height);
}

// Every image slot of a full palette.
inline constexpr int kPaletteSlots = 255;

struct SlotFile {
    std::string name;  // "slot7.png"
    std::filesystem::path path;
    Size size;
    std::size_t fileBytes;
};

// A full palette's pictures written into `folder`: slot s as "slots.png", SlotSize(s) large.
inline std::vector<SlotFile> WriteSlotFiles(const std::filesystem::path& folder) {
    std::vector<SlotFile> files;
    for (int s = 1; s <= kPaletteSlots; ++s) {
        SlotFile file{"slot" + std::to_string(s) + ".png", {}, SlotSize(s), 0};
        file.path = folder / file.name;
        const Bytes png = ArtPng(file.size, static_cast<std::uint32_t>(s));
        testing_support::WriteBytes(file.path, png);
        file.fileBytes = png.size();
        files.push_back(std::move(file));
    }
    return files;
}

// Reads and decodes one PNG file with libspng alone, as the baselines do; the pixels are
// dropped at once.
inline void DecodeWithSpngAlone(const std::filesystem::path& path) {
    std::optional<Bytes> bytes = LoadPackedFile(path);
    std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> ctx(spng_ctx_new(0), &spng_ctx_free);
    spng_set_png_buffer(ctx.get(), bytes->data(), bytes->size());
    std::size_t size = 0;
    spng_decoded_image_size(ctx.get(), SPNG_FMT_RGBA8, &size);
    std::vector<std::uint8_t> out(size);
    spng_decode_image(ctx.get(), out.data(), out.size(), SPNG_FMT_RGBA8, 0);
    benchmark::DoNotOptimize(out.data());
}

}  // namespace plk::bench
