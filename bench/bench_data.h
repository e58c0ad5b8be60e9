#pragma once

// Inputs for the codec benchmarks: real English text and a real PNG file.

#include <spng.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/codec/test_inputs.h"

namespace plk::bench {

using Bytes = std::vector<std::uint8_t>;

// The licence texts every Debian system carries (about 260 KB of English); generated
// text when they are missing.
inline Bytes EnglishText() {
    Bytes text;
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator("/usr/share/common-licenses", error)) {
        if (entry.is_regular_file() && !entry.is_symlink()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        text.insert(text.end(), std::istreambuf_iterator<char>(in), {});
    }
    if (text.size() < 100000) {
        text = testing_inputs::TextLike(260000, 1);
    }
    return text;
}

// About `size` bytes of English: the licence texts and then the copyright files of the
// installed packages, in name order; generated text where they run out.
inline Bytes EnglishText(std::size_t size) {
    Bytes text = EnglishText();
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/share/doc", error)) {
        const std::filesystem::path copyright = entry.path() / "copyright";
        if (std::filesystem::is_regular_file(copyright, error)) {
            files.push_back(copyright);
        }
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        if (text.size() >= size) {
            break;
        }
        std::ifstream in(file, std::ios::binary);
        text.insert(text.end(), std::istreambuf_iterator<char>(in), {});
    }
    if (text.size() < size) {
        const Bytes more = testing_inputs::TextLike(size - text.size(), 2);
        text.insert(text.end(), more.begin(), more.end());
    }
    text.resize(size);
    return text;
}

// A 16-bit mono PCM WAVE file of `seconds` at 22050 Hz. Speech-like: a voiced buzz through
// three formants that drift, in syllables with pauses, and a little noise. Otherwise a
// sine sweep from 100 Hz to 8 kHz.
inline Bytes PcmWave(double seconds, bool speechLike) {
    constexpr std::uint32_t kRate = 22050;
    const auto samples = static_cast<std::uint32_t>(seconds * kRate);
    Bytes wave;
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            wave.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto put16 = [&](std::uint16_t v) {
        wave.push_back(static_cast<std::uint8_t>(v));
        wave.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    wave.insert(wave.end(), {'R', 'I', 'F', 'F'});
    put32(36 + samples * 2);
    wave.insert(wave.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(16);
    put16(1);
    put16(1);
    put32(kRate);
    put32(kRate * 2);
    put16(2);
    put16(16);
    wave.insert(wave.end(), {'d', 'a', 't', 'a'});
    put32(samples * 2);
    std::mt19937 random(11);
    std::normal_distribution<double> noise(0.0, 0.004);
    constexpr double kTau = 6.283185307179586;
    double phase = 0;
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double value;
        if (speechLike) {
            const double syllable = std::fmod(t, 0.31) / 0.31;
            const double envelope = syllable < 0.75 ? std::sin(syllable / 0.75 * kTau / 2) : 0;
            const double pitch = 120 + 30 * std::sin(kTau * 0.7 * t);
            phase += kTau * pitch / kRate;
            const double drift = std::sin(kTau * 1.3 * t);
            value = envelope *
                        (0.5 * std::sin(phase) * std::sin(phase * (5 + drift)) +
                         0.25 * std::sin(phase * (11 + 2 * drift)) + 0.1 * std::sin(phase * 21)) +
                    noise(random);
        } else {
            const double span = seconds;
            phase += kTau * (100 + (8000 - 100) * t / span) / kRate;
            value = 0.7 * std::sin(phase);
        }
        const auto sample = static_cast<std::int16_t>(std::clamp(value, -1.0, 1.0) * 32000);
        put16(static_cast<std::uint16_t>(sample));
    }
    return wave;
}

// RGBA pixels encoded by libspng.
inline Bytes EncodeRgbaPng(const std::vector<std::uint8_t>& pixels, std::uint32_t width,
                           std::uint32_t height) {
    std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> context(spng_ctx_new(SPNG_CTX_ENCODER),
                                                                &spng_ctx_free);
    spng_set_option(context.get(), SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr header{};
    header.width = width;
    header.height = height;
    header.bit_depth = 8;
    header.color_type = SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
    spng_set_ihdr(context.get(), &header);
    spng_encode_image(context.get(), pixels.data(), pixels.size(), SPNG_FMT_PNG,
                      SPNG_ENCODE_FINALIZE);
    std::size_t length = 0;
    int error = 0;
    auto* png = static_cast<std::uint8_t*>(spng_get_png_buffer(context.get(), &length, &error));
    Bytes bytes(png, png + length);
    std::free(png);
    return bytes;
}

// A 640 x 480 RGBA picture (gradients, soft noise and a few shapes) encoded by libspng:
// deflate output behind PNG chunk headers, as in a character's image files.
inline Bytes PngFile() {
    constexpr std::uint32_t kWidth = 640;
    constexpr std::uint32_t kHeight = 480;
    std::vector<std::uint8_t> pixels(kWidth * kHeight * 4);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(-6, 6);
    for (std::uint32_t y = 0; y < kHeight; ++y) {
        for (std::uint32_t x = 0; x < kWidth; ++x) {
            std::uint8_t* p = &pixels[(y * kWidth + x) * 4];
            int dx = static_cast<int>(x) - 320;
            int dy = static_cast<int>(y) - 240;
            bool inside = dx * dx + dy * dy < 150 * 150;
            p[0] = static_cast<std::uint8_t>(
                std::clamp(int(x * 255 / kWidth) + noise(random), 0, 255));
            p[1] = static_cast<std::uint8_t>(
                std::clamp(int(y * 255 / kHeight) + noise(random), 0, 255));
            p[2] = static_cast<std::uint8_t>(inside ? 200 + noise(random) : 60);
            p[3] = static_cast<std::uint8_t>(inside || (x / 40 + y / 40) % 2 == 0 ? 255 : 0);
        }
    }
    return EncodeRgbaPng(pixels, kWidth, kHeight);
}

// Wall time of one call, in seconds.
template <typename F>
double Seconds(F&& f) {
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace plk::bench
