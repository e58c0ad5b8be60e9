#pragma once

// Pictures like a character's for the benchmarks that load a whole palette.

#include <algorithm>
#include <cmath>
#include <random>

#include "bench_data.h"

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

}  // namespace plk::bench
