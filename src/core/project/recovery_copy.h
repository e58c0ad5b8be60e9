#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/io/file_error.h"
#include "core/project/project.h"

namespace plk {

// A recovery copy holds the bytes a save of the project would write, behind a small record
// that says where the project belongs and which editor wrote it. Layout (little-endian):
//   16  magic "PLKCE-RECOVERY\x1a\n"
//    4  format version (1)
//    4  process id of the writer
//    8  start time of the writer (clock ticks since boot, as /proc/PID/stat tells it)
//    8  time of the copy (milliseconds since 1970, UTC)
//    4  length of the original path in bytes (0 for a project never saved)
//    4  CRC-32C of the project bytes
//    8  length of the project bytes
//    .  the original path (file-system bytes), then the project bytes
// The lengths must add up to the file's size and the CRC must match, so a truncated or
// damaged copy is refused before anything is opened.
struct RecoveryRecord {
    std::string originalPath;  // file-system bytes; empty for an untitled project
    std::int64_t savedAtMs = 0;
    std::int32_t pid = 0;
    std::uint64_t processStart = 0;
};

struct RecoveryCopy {
    RecoveryRecord record;
    std::vector<std::uint8_t> projectBytes;
};

inline constexpr const char* kRecoveryExtension = ".plkrec";
inline constexpr std::size_t kMaxRecoveryPath = 4096;

// The folder of recovery copies: $XDG_STATE_HOME/plkce/recovery, or
// ~/.local/state/plkce/recovery when that variable is unset or not absolute.
std::filesystem::path RecoveryFolder();
// Where refused copies are moved: a folder inside the recovery folder.
std::filesystem::path DamagedRecoveryFolder(const std::filesystem::path& folder);

// This process as a copy records it; the start time tells a live writer from a later
// process that was given the same id.
RecoveryRecord CurrentProcessRecord();
// 0 when there is no such process, or it has ended and only waits to be reaped.
std::uint64_t ProcessStartTime(std::int32_t pid);
// Whether the editor that wrote a copy is still running.
bool IsWriterAlive(const RecoveryRecord& record);

// The file name of this process's copy: "<pid>-<start>.plkrec".
std::filesystem::path RecoveryCopyPath(const std::filesystem::path& folder,
                                       const RecoveryRecord& writer);

std::vector<std::uint8_t> EncodeRecoveryCopy(const RecoveryRecord& record,
                                             std::span<const std::uint8_t> projectBytes);
// Checks everything, the project bytes included (they must parse as a project). Throws
// FileError kind BadFormat naming `path`, with a detail that says what is wrong.
RecoveryCopy DecodeRecoveryCopy(std::span<const std::uint8_t> bytes,
                                const std::filesystem::path& path);
RecoveryCopy ReadRecoveryCopy(const std::filesystem::path& path);
// Writes the copy atomically; a copy interrupted half-way leaves the previous one whole.
void WriteRecoveryCopy(const std::filesystem::path& path, const RecoveryRecord& record,
                       std::span<const std::uint8_t> projectBytes);
// The same with the bytes a save of `project` writes, streamed from its records.
void WriteRecoveryCopy(const std::filesystem::path& path, const RecoveryRecord& record,
                       const Project& project);

// One copy found in the folder: its record when it reads, otherwise why it does not.
struct RecoveryEntry {
    std::filesystem::path file;
    std::optional<RecoveryRecord> record;
    std::string error;  // why the copy is refused; empty when it is sound
    bool writerAlive = false;
};

// Every copy of the folder, newest first; copies that do not read come last. Temporary
// files of writes in progress are not copies. A missing folder has none.
std::vector<RecoveryEntry> ListRecoveryCopies(const std::filesystem::path& folder);

// Removes the temporary files of writes that a killed editor left half-done (the copies
// they were to replace stay whole). Returns how many were removed.
int RemoveAbandonedWrites(const std::filesystem::path& folder);

// Moves a refused copy into the damaged folder (keeping it for a closer look) and returns
// its new place. Throws FileError.
std::filesystem::path SetRecoveryCopyAside(const std::filesystem::path& file);

// Removes a copy; a copy that is already gone is no error.
void RemoveRecoveryCopy(const std::filesystem::path& file);

// CRC-32C (Castagnoli, as iSCSI and ext4 use it). `previous` continues a checksum over
// more bytes.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t previous = 0);

}  // namespace plk
