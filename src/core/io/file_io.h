#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <span>
#include <vector>

#include "core/io/byte_buffer.h"
#include "core/io/file_error.h"

namespace plk {

// A regular file opened for reading. Opening never blocks (a named pipe or a device would
// wait forever for a writer), and anything that is not a regular file is refused with
// FileError kind NotRegular. Throws FileError.
class InputFile {
public:
    explicit InputFile(std::filesystem::path path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The size when the file was opened.
    std::uint64_t Size() const { return m_size; }

    // Up to `size` bytes from `offset`; fewer when the file ends first (it may have shrunk
    // since it was opened). Never allocates more than the file held when it was opened.
    // The buffer is not zero-filled before the read.
    ByteBuffer Read(std::uint64_t offset, std::size_t size) const;
    ByteBuffer ReadAll() const;
    // Reads up to out.size() bytes from `offset` into `out`; returns how many were read.
    std::size_t ReadInto(std::uint64_t offset, std::span<std::uint8_t> out) const;
    // How many of `size` bytes from `offset` the file held when it was opened.
    std::size_t Available(std::uint64_t offset, std::size_t size) const;

private:
    std::filesystem::path m_path;
    int m_fd = -1;
    std::uint64_t m_size = 0;
};

// The whole content of a regular file. A file larger than `maxSize` is refused before
// anything is read (FileError kind BadFormat). Throws FileError.
std::vector<std::uint8_t> ReadWholeFile(
    const std::filesystem::path& path,
    std::uint64_t maxSize = std::numeric_limits<std::uint64_t>::max());

// Writes `bytes` as the whole content of `path`, atomically (see AtomicFileWriter).
void WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Writes a file so that readers see either the old content or the complete new one: the
// bytes go to a temporary file in the target's folder, which is flushed to disk and then
// renamed over the target. If anything fails, the temporary file is removed and the
// target is untouched; InstallTemporaryFileCleanup() also removes it when the process is
// interrupted or terminated.
//
// A target that is a symbolic link is written through: the file the link points to is
// replaced and the link stays. An existing target keeps its permission bits (and its
// owner, where the process may set it). A target that exists but is not a regular file is
// refused, and so is a name in a folder that does not exist (kind BadPath). Throws
// FileError naming the target as given.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter();  // discards the temporary file unless Commit() succeeded
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Write(std::span<const std::uint8_t> bytes);
    void Write(const void* data, std::size_t size);
    // Writes at an absolute offset without moving the append position (to fill in a
    // directory that was reserved earlier).
    void WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    std::uint64_t Position() const { return m_position; }
    // Asks the system to start writing what was written so far to the disk, without
    // waiting, so that work done before Commit() overlaps the disk's.
    void StartWriteback();

    // Flushes, syncs and renames over the target.
    void Commit();

private:
    std::filesystem::path m_target;    // as given; named in errors
    std::filesystem::path m_replaced;  // the file actually replaced (links followed)
    std::filesystem::path m_temp;
    int m_fd = -1;
    int m_cleanupSlot = -1;
    std::uint64_t m_position = 0;
    bool m_committed = false;
};

// For programs: a write beyond the file-size limit fails with an error instead of killing
// the process (SIGXFSZ is ignored), and SIGINT, SIGTERM and SIGHUP remove the temporary
// files of every AtomicFileWriter still open before the signal ends the process as usual.
void InstallTemporaryFileCleanup();

}  // namespace plk
