#include "sample_sound.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace plk::tools {
namespace {

constexpr int kRate = 22050;
constexpr double kSeconds = 1.1;
constexpr double kPi = 3.14159265358979323846;

void Put(std::vector<std::uint8_t>& out, std::string_view tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}

void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// A bell-like note: a few inharmonic partials, each dying away at its own pace.
double Note(double frequency, double t) {
    if (t < 0) {
        return 0;
    }
    const double attack = std::min(1.0, t / 0.004);
    return attack * (std::sin(2 * kPi * frequency * t) * std::exp(-t * 3.2) +
                     0.35 * std::sin(2 * kPi * frequency * 2.01 * t) * std::exp(-t * 6.0) +
                     0.12 * std::sin(2 * kPi * frequency * 3.98 * t) * std::exp(-t * 11.0));
}

}  // namespace

std::vector<std::uint8_t> SynthesiseChime() {
    const int frames = static_cast<int>(kRate * kSeconds);
    std::vector<std::uint8_t> samples;
    samples.reserve(static_cast<std::size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        // E6 then a fifth below it an instant later, ending in a short fade.
        double value = 0.42 * Note(1318.5, t) + 0.36 * Note(987.8, t - 0.11);
        value *= std::min(1.0, (kSeconds - t) / 0.08);
        const auto sample =
            static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32000));
        PutLittle(samples, static_cast<std::uint16_t>(sample), 2);
    }
    std::vector<std::uint8_t> wave;
    Put(wave, "RIFF");
    PutLittle(wave, static_cast<std::uint32_t>(36 + samples.size()), 4);
    Put(wave, "WAVE");
    Put(wave, "fmt ");
    PutLittle(wave, 16, 4);
    PutLittle(wave, 1, 2);  // PCM
    PutLittle(wave, 1, 2);  // mono
    PutLittle(wave, kRate, 4);
    PutLittle(wave, kRate * 2, 4);  // bytes per second
    PutLittle(wave, 2, 2);          // bytes per frame
    PutLittle(wave, 16, 2);         // bits per sample
    Put(wave, "data");
    PutLittle(wave, static_cast<std::uint32_t>(samples.size()), 4);
    wave.insert(wave.end(), samples.begin(), samples.end());
    return wave;
}

}  // namespace plk::tools
