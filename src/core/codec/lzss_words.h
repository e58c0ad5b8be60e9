#pragma once

// Reading the strings of the LZSS match finder's ring as numbers.

#include <cstdint>
#include <cstring>

namespace plk::lzss_words {

inline std::uint64_t Load64(const std::uint8_t* bytes) {
    std::uint64_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Eight bytes as a big-endian number: such numbers compare as the strings do, and the
// leading zeros of two of them xor-ed count the bytes the strings share.
inline std::uint64_t LoadBigEndian64(const std::uint8_t* bytes) {
    return __builtin_bswap64(Load64(bytes));
}

// The two bytes after a string's first, which order the strings of one tree, with the top
// bit flipped: signed 16-bit comparisons then give their order.
inline std::int16_t HeadOf(const std::uint8_t* string) {
    return static_cast<std::int16_t>((string[1] << 8 | string[2]) ^ 0x8000);
}

}  // namespace plk::lzss_words
