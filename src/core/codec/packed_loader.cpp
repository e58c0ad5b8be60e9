#include "core/codec/packed_loader.h"

#include "core/codec/embedded_resources.h"
#include "core/codec/lzss_decoder.h"
#include "core/codec/packed_block.h"
#include "core/io/file_io.h"

namespace plk {

std::optional<std::vector<std::uint8_t>> LoadPackedFile(const std::filesystem::path& path,
                                                        std::string_view /*secondName*/) {
    try {
        return ReadWholeFile(path);
    } catch (const FileError&) {
        return std::nullopt;
    }
}

std::optional<std::vector<std::uint8_t>> LoadPackedResource(int id, std::string_view type) {
    for (const EmbeddedResource& resource : EmbeddedResources()) {
        if (resource.id != id || resource.type != type) {
            continue;
        }
        try {
            PackedBlockView block = ReadPackedBlock(resource.bytes, "built-in resource");
            return LzssDecode(block.stream, block.header.unpackedSize);
        } catch (const FileError&) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace plk
