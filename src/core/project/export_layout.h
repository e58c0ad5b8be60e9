#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/records.h"

namespace plk {

// Records of the game file (.ce8). After the 296-byte project header come the export
// directory (one entry per palette slot), the stored bytes of the resources, the profile
// and message blocks, and one cut entry per cut. Every stored part is a bare LZSS stream.

inline constexpr std::string_view kExportMagic = "PLK-CE82000 CopyRight 2003 Halvorn/pelloway";

struct ExportDirectoryEntry {
    std::uint32_t kind;          // the slot's kind byte, widened
    char name[260];              // the slot's name; empty for a slot with no resource
    std::uint32_t offset;        // file offset of the stored bytes
    std::uint32_t unpackedSize;  // length of the source file
    std::uint32_t storedSize;
    std::int32_t worldX;
    std::int32_t worldY;
};
static_assert(IsPlainRecord<ExportDirectoryEntry> && sizeof(ExportDirectoryEntry) == 284);
static_assert(offsetof(ExportDirectoryEntry, offset) == 264 &&
              offsetof(ExportDirectoryEntry, worldX) == 276);

// Precedes the stored bytes of the profile and of the messages.
struct ExportBlockSizes {
    std::uint32_t unpackedSize;
    std::uint32_t storedSize;
};
static_assert(IsPlainRecord<ExportBlockSizes> && sizeof(ExportBlockSizes) == 8);

// Precedes the stored frame records of each cut. The game reads the frame count twice:
// where the project file keeps the grid's column count, the export repeats the count.
struct ExportCutHeader {
    std::int32_t frameCount;
    std::int32_t frameCountAgain;
    std::uint32_t unpackedSize;  // frameCount x 1176
    std::uint32_t storedSize;
};
static_assert(IsPlainRecord<ExportCutHeader> && sizeof(ExportCutHeader) == 16);

inline constexpr std::size_t kExportHeaderSize = 296;
inline constexpr std::size_t kExportDirectorySize = 256 * sizeof(ExportDirectoryEntry);  // 72704
inline constexpr std::size_t kExportResourceDataOffset = kExportHeaderSize + kExportDirectorySize;

}  // namespace plk
