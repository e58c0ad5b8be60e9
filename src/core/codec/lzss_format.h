#pragma once

#include <cstddef>

namespace plk::lzss {

// The LZSS stream shared by the packed blocks and the game export: a 4096-byte ring that
// starts zero-filled, matches of 3 to 18 bytes, groups of eight items behind a flag byte
// whose bits are read from the least significant one up (1: literal, 0: match).
inline constexpr std::size_t kRingSize = 4096;
inline constexpr std::size_t kRingMask = kRingSize - 1;
inline constexpr std::size_t kMaxMatch = 18;
inline constexpr std::size_t kThreshold = 2;  // a match must be longer than this to be coded
inline constexpr std::size_t kMinMatch = kThreshold + 1;
// The first byte produced lands here, so the look-ahead ends exactly at the ring's end.
inline constexpr std::size_t kFirstWrite = kRingSize - kMaxMatch;  // 4078
inline constexpr std::size_t kGroupItems = 8;
// A group is a flag byte and at most eight two-byte matches.
inline constexpr std::size_t kMaxGroupBytes = 1 + 2 * kGroupItems;

// The longest stream the encoder makes from `unpackedSize` bytes: every item a literal,
// plus one flag byte per eight of them.
constexpr std::size_t MaxStreamSize(std::size_t unpackedSize) {
    return unpackedSize + (unpackedSize + kGroupItems - 1) / kGroupItems;
}

}  // namespace plk::lzss
