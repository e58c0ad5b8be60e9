#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/io/file_error.h"

namespace plk {

// The whole content of a file, read with one call. Throws FileError.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);

// Writes `bytes` as the whole content of `path`, atomically (see AtomicFileWriter).
void WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Writes a file so that readers see either the old content or the complete new one: the
// bytes go to a temporary file in the target's folder, which is flushed to disk and then
// renamed over the target. If anything fails, the temporary file is removed and the
// target is untouched. Throws FileError.
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

    // Flushes, syncs and renames over the target.
    void Commit();

private:
    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    int m_fd = -1;
    std::uint64_t m_position = 0;
    bool m_committed = false;
};

}  // namespace plk
