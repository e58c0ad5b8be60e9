#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "core/content/resource_table.h"

namespace plk {

// Where the file of a palette slot is read from: the stored path, then where a moved file
// is looked for (FindMovedResource: the current folder, the project file's folder and the
// sub-folders named after the folders that held it). `projectFile` is the project's own path (empty
// for an unsaved one); every reader of resource files for the check goes through here.
std::optional<std::filesystem::path> LocateResourceFile(const ResourceSlot& slot,
                                                        const std::filesystem::path& projectFile);

// Header checks that need only the first bytes of a file and its size.
// A PNG: the signature, then an IHDR chunk of 13 bytes with both sides non-zero and a bit
// depth the colour type allows.
bool HasPngHeader(std::span<const std::uint8_t> head);
// The WAVE layout the sound store demands before it plays a file: "RIFF" and "WAVE", chunks
// that lie within the file up to the data chunk, and a format chunk before it with one to
// eight channels and a rate of 1000 to 384000. `head` is the file's start, `fileSize` its
// whole length. Nothing when the chunks reach past `head` before the data chunk: the caller
// reads more and asks again.
std::optional<bool> HasWaveHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize);

enum class ResourceFileState : std::uint8_t {
    NotRead,     // the slot is empty, or files were not read
    Missing,     // not found at its path nor by name
    Unreadable,  // found, but reading it failed
    Read,
};

struct ResourceFileReport {
    ResourceFileState state = ResourceFileState::NotRead;
    bool contentMatchesKind = true;  // meaningful when Read
};

using ResourceFileReports = std::array<ResourceFileReport, kResourceSlots>;

// Bytes read from the start of each file. A PNG is judged by its signature and header chunk
// alone; a WAVE's chunks up to its data chunk lie within the first 512 bytes in ordinary
// files (a format chunk, perhaps a fact or list chunk), and only others are read on.
inline constexpr std::size_t kPngHeadBytes = 8 + 8 + 13;
inline constexpr std::size_t kWaveHeadBytes = 512;

// Finds and reads the start of every named slot's file and checks its content against the
// slot's kind. Never throws for a file; each outcome is in the report of its slot.
ResourceFileReports ReadResourceFiles(const ResourceTable& palette,
                                      const std::filesystem::path& projectFile);

}  // namespace plk
