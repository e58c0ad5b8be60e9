#include "core/codec/packed_block.h"

#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

#include "core/codec/lzss_decoder.h"
#include "core/io/file_error.h"

namespace plk {

PackedBlockHeader MakePackedBlockHeader(std::uint32_t unpackedSize, std::uint32_t storedSize) {
    PackedBlockHeader header{};
    std::memcpy(header.magic, kPackedBlockMagic.data(), kPackedBlockMagic.size());
    header.unpackedSize = unpackedSize;
    header.storedSize = storedSize;
    return header;
}

std::vector<std::uint8_t> Pack(std::span<const std::uint8_t> data, LzssEncoder& encoder) {
    if (data.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("cannot pack 4 GiB or more into one block");
    }
    std::vector<std::uint8_t> block(sizeof(PackedBlockHeader));
    std::size_t stored = encoder.Encode(data, block);
    PackedBlockHeader header = MakePackedBlockHeader(static_cast<std::uint32_t>(data.size()),
                                                     static_cast<std::uint32_t>(stored));
    std::memcpy(block.data(), &header, sizeof header);
    return block;
}

PackedBlockHeader ReadPackedBlockHeader(std::span<const std::uint8_t> bytes,
                                        const std::filesystem::path& origin) {
    PackedBlockHeader header;
    if (bytes.size() < sizeof header) {
        throw FileError(FileError::Kind::BadFormat, origin,
                        "packed block of " + std::to_string(bytes.size()) +
                            " bytes is shorter than its 36-byte header");
    }
    std::memcpy(&header, bytes.data(), sizeof header);
    if (std::memcmp(header.magic, kPackedBlockMagic.data(), kPackedBlockMagic.size()) != 0) {
        throw FileError(FileError::Kind::BadFormat, origin, "no WINPRS03 packed block header");
    }
    return header;
}

PackedBlockView ReadPackedBlock(std::span<const std::uint8_t> bytes,
                                const std::filesystem::path& origin) {
    const PackedBlockHeader header = ReadPackedBlockHeader(bytes, origin);
    std::span<const std::uint8_t> rest = bytes.subspan(sizeof header);
    if (header.storedSize > rest.size()) {
        throw FileError(FileError::Kind::BadFormat, origin,
                        "stored size " + std::to_string(header.storedSize) + " exceeds the " +
                            std::to_string(rest.size()) + " bytes after the header");
    }
    return {header, rest.first(header.storedSize)};
}

std::vector<std::uint8_t> Unpack(std::span<const std::uint8_t> bytes,
                                 const std::filesystem::path& origin) {
    PackedBlockView block = ReadPackedBlock(bytes, origin);
    // Counting first keeps a lying header from making us allocate what the stream cannot
    // fill.
    std::uint64_t produced = LzssDecodedSize(block.stream);
    if (produced != block.header.unpackedSize) {
        throw FileError(FileError::Kind::BadFormat, origin,
                        "the stream holds " + std::to_string(produced) +
                            " bytes, the header says " + std::to_string(block.header.unpackedSize));
    }
    return LzssDecode(block.stream, block.header.unpackedSize);
}

}  // namespace plk
