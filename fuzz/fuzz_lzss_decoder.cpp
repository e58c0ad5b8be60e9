// The LZSS decoder, its size count and the packed-block reader on arbitrary bytes.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/codec/lzss_decoder.h"
#include "core/codec/packed_block.h"
#include "core/io/file_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);

    // As a raw stream: the count must match what decoding produces.
    const std::uint64_t counted = plk::LzssDecodedSize(bytes);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(counted));
    if (plk::LzssDecodeInto(bytes, out) != counted) {
        std::abort();
    }
    // Into a buffer too small: decoding stops at its end.
    std::vector<std::uint8_t> small(static_cast<std::size_t>(counted / 2));
    if (plk::LzssDecodeInto(bytes, small) != small.size()) {
        std::abort();
    }

    // As a packed block: refused with FileError, or exactly the announced size.
    try {
        const std::vector<std::uint8_t> unpacked = plk::Unpack(bytes, "fuzz.prs");
        if (unpacked.size() != plk::ReadPackedBlockHeader(bytes, "fuzz.prs").unpackedSize) {
            std::abort();
        }
    } catch (const plk::FileError&) {
    }
    return 0;
}
