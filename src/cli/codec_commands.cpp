#include <limits>
#include <stdexcept>
#include <string>

#include "cli/command.h"
#include "core/codec/lzss_decoder.h"
#include "core/codec/lzss_encoder.h"
#include "core/codec/packed_block.h"
#include "core/io/file_io.h"
#include "core/project/game_export.h"
#include "core/project/project_file.h"
#include "core/project/resource_search.h"

namespace plk::cli {
namespace {

// The most a raw stream may decompress to here: the largest size that a packed block or
// the game file can record.
constexpr std::uint64_t kMaxDecompressedSize = std::numeric_limits<std::uint32_t>::max();
// The longest stream that can decode to that: literals only, one flag byte per eight.
constexpr std::uint64_t kMaxStreamSize = kMaxDecompressedSize / 8 * 9 + 9;

// The whole of `path`, refused before it is read when larger than the formats can hold.
ByteBuffer ReadInput(const std::string& path, std::uint64_t limit) {
    InputFile file(path);
    if (file.Size() > limit) {
        throw InputError(path + ": 4 GiB or larger, more than the formats can hold");
    }
    return file.ReadAll();
}

void CompressRaw(const std::string& in, const std::string& out) {
    const ByteBuffer content = ReadInput(in, kMaxDecompressedSize);
    LzssEncoder encoder(LzssEncoder::LanesForThisMachine());
    WriteWholeFile(out, encoder.Encode(content));
}

// A raw stream carries no size: it is decoded to its end, and a last item cut short
// produces nothing.
void DecompressRaw(const std::string& in, const std::string& out) {
    const ByteBuffer stream = ReadInput(in, kMaxStreamSize);
    std::uint64_t size = LzssDecodedSize(stream);
    if (size > kMaxDecompressedSize) {
        throw InputError(in + ": the stream would decompress to " + std::to_string(size) +
                         " bytes, more than the 4 GiB limit");
    }
    WriteWholeFile(out, LzssDecode(stream, static_cast<std::size_t>(size)));
}

}  // namespace

int RunExport(CommandArgs args, std::ostream&) {
    RequireArgs(args, 2);
    OpenedProject opened = ReadProjectFile(args[0]);
    // Resources that moved with the project are found as the editor finds them.
    RelinkMovedResources(opened.project.palette, args[0]);
    ExportGame(opened.project, args[1]);
    return kExitOk;
}

int RunLzss(CommandArgs args, std::ostream&) {
    RequireArgs(args, 3);
    if (args[0] == "compress") {
        CompressRaw(args[1], args[2]);
    } else if (args[0] == "decompress") {
        DecompressRaw(args[1], args[2]);
    } else {
        throw UsageError("unknown mode '" + args[0] + "', expected compress or decompress");
    }
    return kExitOk;
}

int RunPack(CommandArgs args, std::ostream&) {
    RequireArgs(args, 2);
    InputFile file(args[0]);
    if (file.Size() > kMaxDecompressedSize) {
        throw InputError(args[0] + ": 4 GiB or larger, too large for a packed block");
    }
    const ByteBuffer content = file.ReadAll();
    LzssEncoder encoder(LzssEncoder::LanesForThisMachine());
    WriteWholeFile(args[1], Pack(content, encoder));
    return kExitOk;
}

int RunUnpack(CommandArgs args, std::ostream&) {
    RequireArgs(args, 2);
    // Only the header and the stored bytes it announces are read; anything after them is
    // ignored, as it is in memory.
    InputFile file(args[0]);
    ByteBuffer block = file.Read(0, sizeof(PackedBlockHeader));
    if (block.size() == sizeof(PackedBlockHeader)) {
        const std::uint32_t stored = ReadPackedBlockHeader(block, args[0]).storedSize;
        block = file.Read(0, sizeof(PackedBlockHeader) + std::size_t{stored});
    }
    WriteWholeFile(args[1], Unpack(block, args[0]));
    return kExitOk;
}

}  // namespace plk::cli
