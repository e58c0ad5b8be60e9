#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace plk {

// Decodes an LZSS stream into `out`, whose size is the unpacked size: decoding stops when
// `out` is full or the stream ends, whichever comes first, and never writes beyond `out`.
// Bytes that the stream does not produce are zeroed. A trailing flag byte without items, or
// a match cut after its first byte, ends decoding without further output.
// Returns the number of bytes produced.
std::size_t LzssDecodeInto(std::span<const std::uint8_t> stream, std::span<std::uint8_t> out);

// The same into a new buffer of exactly `unpackedSize` bytes.
std::vector<std::uint8_t> LzssDecode(std::span<const std::uint8_t> stream,
                                     std::size_t unpackedSize);

// The number of bytes the whole stream produces, counted without decoding. At most about
// 8.5 times the stream's length (a group of 17 bytes yields at most 144), so a stream of
// unknown unpacked size can be sized before it is decoded.
std::uint64_t LzssDecodedSize(std::span<const std::uint8_t> stream);

}  // namespace plk
