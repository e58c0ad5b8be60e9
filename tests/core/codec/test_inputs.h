#pragma once

// Inputs that exercise the LZSS match finder in different ways, shared by the differential
// tests and the benchmarks.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace plk::testing_inputs {

using Bytes = std::vector<std::uint8_t>;

inline Bytes RandomBytes(std::size_t size, unsigned seed, int alphabet = 256) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pick(0, alphabet - 1);
    Bytes bytes(size);
    for (std::uint8_t& b : bytes) {
        b = static_cast<std::uint8_t>(pick(random));
    }
    return bytes;
}

// Words from a small vocabulary with spaces and line breaks: many long matches at many
// distances, like the text and record data of a project.
inline Bytes TextLike(std::size_t size, unsigned seed) {
    static const char* const kWords[] = {
        "the",    "character", "smiles", "and",  "waits", "for",   "your",  "discard", "riichi",
        "ron",    "tsumo",     "hand",   "east", "south", "round", "point", "dealer",  "again",
        "player", "message",   "window", "cut",  "frame", "alpha", "scale", "rotation"};
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> word(0, std::size(kWords) - 1);
    std::uniform_int_distribution<int> separator(0, 11);
    std::string text;
    while (text.size() < size) {
        text += kWords[word(random)];
        int s = separator(random);
        text += s == 0 ? ".\n" : s == 1 ? ", " : " ";
    }
    text.resize(size);
    return Bytes(text.begin(), text.end());
}

// Runs of one byte with random lengths: overlapping matches and long chains of equal
// strings.
inline Bytes Runs(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(1, 60);
    std::uniform_int_distribution<int> value(0, 3);
    Bytes bytes;
    while (bytes.size() < size) {
        bytes.insert(bytes.end(), static_cast<std::size_t>(length(random)),
                     static_cast<std::uint8_t>(value(random) * 0x41));
    }
    bytes.resize(size);
    return bytes;
}

// A random block repeated at distances near and beyond the ring's size, with a few bytes
// changed in each copy.
inline Bytes RepeatedBlocks(std::size_t size, std::size_t blockSize, unsigned seed) {
    Bytes block = RandomBytes(blockSize, seed);
    std::mt19937 random(seed + 1);
    std::uniform_int_distribution<std::size_t> where(0, blockSize - 1);
    Bytes bytes;
    while (bytes.size() < size) {
        block[where(random)] ^= 0x5A;
        bytes.insert(bytes.end(), block.begin(), block.end());
    }
    bytes.resize(size);
    return bytes;
}

// Stretches drawn from different sets of byte values, some small and some large, some
// overlapping: the trees of a byte grow large in one stretch and shrink to nothing or to a
// few strings in the next, and strings that agree in their first bytes are common.
inline Bytes ShiftingAlphabets(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes;
    bytes.reserve(size);
    while (bytes.size() < size) {
        const int first = std::uniform_int_distribution<int>(0, 250)(random);
        const int count = std::uniform_int_distribution<int>(1, 255 - first)(random);
        const int span =
            std::min(count, std::uniform_int_distribution<int>(0, 1)(random) ? 6 : 200);
        std::uniform_int_distribution<int> pick(first, first + span);
        const std::size_t stretch = std::uniform_int_distribution<std::size_t>(500, 9000)(random);
        for (std::size_t i = 0; i < stretch && bytes.size() < size; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(pick(random)));
        }
    }
    return bytes;
}

// The input that turns the trees into chains: 17 zero bytes and then one byte counting
// 1..255, over and over. Every exact encoder is slow on it; use small slices only.
inline Bytes ZeroRunsWithCounter(std::size_t size) {
    Bytes bytes;
    bytes.reserve(size + 18);
    for (unsigned counter = 1; bytes.size() < size; counter = counter % 255 + 1) {
        bytes.insert(bytes.end(), 17, 0);
        bytes.push_back(static_cast<std::uint8_t>(counter));
    }
    bytes.resize(size);
    return bytes;
}

// Data shaped like a PNG file: a signature, chunk headers and deflate-like noise with some
// repeats, for when a real PNG is not at hand.
inline Bytes PngLike(std::size_t size, unsigned seed) {
    Bytes bytes = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A,
                   0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52};
    Bytes noise = RandomBytes(size, seed);
    Bytes repeats = RepeatedBlocks(size, 700, seed + 7);
    for (std::size_t i = 0; bytes.size() < size; ++i) {
        bytes.push_back((i / 512) % 4 == 0 ? repeats[i] : noise[i]);
    }
    bytes.resize(size);
    return bytes;
}

// 16-bit little-endian samples of a tone whose pitch wanders, with a little noise and
// stretches of near silence: most strings' first two bytes are met once in a ring, so the
// trees hold many buckets of a single string, emptied and refilled all the time.
inline Bytes SoundLike(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 40.0);
    Bytes bytes;
    bytes.reserve(size + 1);
    double phase = 0;
    for (std::size_t i = 0; bytes.size() < size; ++i) {
        phase += 0.02 + 0.015 * std::sin(static_cast<double>(i) * 0.0007);
        const bool quiet = (i / 3000) % 4 == 3;
        const double value = (quiet ? 30.0 : 9000.0) * std::sin(phase) + noise(random);
        const auto sample = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
        bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(sample >> 8));
    }
    bytes.resize(size);
    return bytes;
}

// Text with a rare byte (one of 128) in about every third place: strings of the text's
// common letters go down linked trees while the rare bytes' trees stay small, so the
// encoder's entries change form from step to step.
inline Bytes TextWithRareBytes(std::size_t size, unsigned seed) {
    Bytes bytes = TextLike(size, seed);
    const Bytes noise = RandomBytes(size, seed + 100);
    for (std::size_t i = 0; i < size; ++i) {
        if (noise[i] % 3 == 0) {
            bytes[i] = static_cast<std::uint8_t>(0x80 | noise[i] >> 1);
        }
    }
    return bytes;
}

}  // namespace plk::testing_inputs
