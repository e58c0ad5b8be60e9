#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "core/codec/lzss_encoder.h"
#include "core/records.h"

namespace plk {

// A packed block: this 36-byte header, then `storedSize` bytes of LZSS stream.
struct PackedBlockHeader {
    char magic[16];  // "WINPRS03", zero-padded
    std::uint32_t unpackedSize;
    std::uint32_t storedSize;
    std::uint8_t reserved[12];
};
static_assert(IsPlainRecord<PackedBlockHeader> && sizeof(PackedBlockHeader) == 36);
static_assert(offsetof(PackedBlockHeader, unpackedSize) == 16 &&
              offsetof(PackedBlockHeader, storedSize) == 20);

inline constexpr std::string_view kPackedBlockMagic = "WINPRS03";

// A header with the magic and both sizes, every other byte zero.
PackedBlockHeader MakePackedBlockHeader(std::uint32_t unpackedSize, std::uint32_t storedSize);

// `data` compressed behind its header. Throws std::length_error for 4 GiB or more.
std::vector<std::uint8_t> Pack(std::span<const std::uint8_t> data, LzssEncoder& encoder);

// Checks only the header at the start of `bytes` (its length and magic) and returns it.
// Throws FileError (BadFormat) naming `origin`.
PackedBlockHeader ReadPackedBlockHeader(std::span<const std::uint8_t> bytes,
                                        const std::filesystem::path& origin);

// The parts of a block, pointing into the bytes it was read from.
struct PackedBlockView {
    PackedBlockHeader header;
    std::span<const std::uint8_t> stream;  // exactly storedSize bytes
};

// Checks the header of `bytes` (the magic's eight letters; padding and reserved bytes are
// not looked at) and that the stored bytes are all there; bytes after them are ignored.
// Throws FileError (BadFormat) naming `origin` with what is wrong.
PackedBlockView ReadPackedBlock(std::span<const std::uint8_t> bytes,
                                const std::filesystem::path& origin);

// The unpacked content of a block. Stricter than the decoder itself: the stream must
// produce exactly the unpacked size. Throws FileError (BadFormat) naming `origin`.
std::vector<std::uint8_t> Unpack(std::span<const std::uint8_t> bytes,
                                 const std::filesystem::path& origin);

}  // namespace plk
