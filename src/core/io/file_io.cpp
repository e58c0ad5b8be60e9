#include "core/io/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "core/io/temp_file_registry.h"

namespace plk {
namespace {

void CloseQuietly(int fd) {
    if (fd >= 0) {
        ::close(fd);
    }
}

// The file a write to `path` really lands in: symbolic links are followed, also a link
// whose target does not exist yet (the file is then created there).
std::filesystem::path FollowLinks(std::filesystem::path path) {
    // As many hops as the kernel allows before ELOOP.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::string link(PATH_MAX, '\0');
        ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0) {
            return path;
        }
        link.resize(static_cast<std::size_t>(length));
        std::filesystem::path next(link);
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    throw FileError::FromErrno(ELOOP, path);
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

}  // namespace

InputFile::InputFile(std::filesystem::path path) : m_path(std::move(path)) {
    // Non-blocking, so that a named pipe without a writer cannot hang the open; the kind is
    // checked at once, and regular files never block anyway.
    m_fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0) {
        throw FileError::FromErrno(errno, m_path);
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        int error = errno;
        CloseQuietly(m_fd);
        throw FileError::FromErrno(error, m_path);
    }
    if (!S_ISREG(info.st_mode)) {
        CloseQuietly(m_fd);
        throw FileError::NotRegularFile(info.st_mode, m_path);
    }
    m_size = static_cast<std::uint64_t>(info.st_size);
}

InputFile::~InputFile() {
    CloseQuietly(m_fd);
}

std::size_t InputFile::ReadInto(std::uint64_t offset, std::span<std::uint8_t> out) const {
    std::size_t done = 0;
    // One read normally returns everything; the loop only covers short reads.
    while (done < out.size()) {
        ssize_t got =
            ::pread(m_fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError::FromErrno(errno, m_path);
        }
        if (got == 0) {
            break;  // the file shrank meanwhile: keep only what was read
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t InputFile::Available(std::uint64_t offset, std::size_t size) const {
    const std::uint64_t available = offset < m_size ? m_size - offset : 0;
    return static_cast<std::size_t>(std::min<std::uint64_t>(size, available));
}

ByteBuffer InputFile::Read(std::uint64_t offset, std::size_t size) const {
    ByteBuffer bytes(Available(offset, size));
    bytes.resize(ReadInto(offset, bytes));
    return bytes;
}

ByteBuffer InputFile::ReadAll() const {
    if (m_size > std::numeric_limits<std::size_t>::max()) {
        throw FileError(FileError::Kind::Generic, m_path, "too large to read into memory");
    }
    return Read(0, static_cast<std::size_t>(m_size));
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxSize) {
    InputFile file(path);
    if (file.Size() > maxSize) {
        throw FileError(FileError::Kind::BadFormat, path,
                        std::to_string(file.Size()) + " bytes, more than the " +
                            std::to_string(maxSize) + " allowed");
    }
    if (file.Size() > std::numeric_limits<std::size_t>::max()) {
        throw FileError(FileError::Kind::Generic, path, "too large to read into memory");
    }
    // Kept a plain vector for its many callers; the readers of large files use InputFile.
    std::vector<std::uint8_t> bytes(file.Available(0, static_cast<std::size_t>(file.Size())));
    bytes.resize(file.ReadInto(0, bytes));
    return bytes;
}

void WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    AtomicFileWriter writer(path);
    writer.Write(bytes);
    writer.Commit();
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : m_target(std::move(target)) {
    if (m_target.empty()) {
        throw FileError(FileError::Kind::BadPath, m_target);
    }
    m_replaced = FollowLinks(m_target);
    struct stat old {};
    const bool replacing = ::stat(m_replaced.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode)) {
        throw FileError::NotRegularFile(old.st_mode, m_target);
    }
    if (!m_replaced.has_filename()) {
        throw FileError(FileError::Kind::BadPath, m_target, "the name ends in a folder");
    }
    const std::filesystem::path folder = FolderOf(m_replaced);
    if (!replacing) {
        struct stat where {};
        if (::stat(folder.c_str(), &where) != 0) {
            if (errno == ENOENT) {
                throw FileError(FileError::Kind::BadPath, m_target,
                                "the folder " + folder.string() + " does not exist");
            }
        } else if (!S_ISDIR(where.st_mode)) {
            throw FileError(FileError::Kind::BadPath, m_target,
                            folder.string() + " is not a folder");
        }
    }

    std::string pattern = (folder / ("." + m_replaced.filename().string() + ".XXXXXX")).string();
    m_fd = ::mkstemp(pattern.data());
    if (m_fd < 0) {
        int error = errno;
        // Name the target, not the temporary: that is the file the user asked for.
        throw FileError::FromErrno(error, m_target);
    }
    m_temp = pattern;
    m_cleanupSlot = RegisterTemporaryFile(m_temp.c_str());
    if (replacing) {
        // Keep what the old file had, as careful editors do. The owner can only be kept
        // where the process may set it; failing that, the new file is ours.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            [[maybe_unused]] int ignored = ::fchown(m_fd, old.st_uid, old.st_gid);
        }
        ::fchmod(m_fd, old.st_mode & 07777);
    } else {
        // mkstemp creates 0600; a new file gets the usual permissions.
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, 0666 & ~mask);
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    CloseQuietly(m_fd);
    if (!m_committed && !m_temp.empty()) {
        ::unlink(m_temp.c_str());
    }
    UnregisterTemporaryFile(m_cleanupSlot);
}

void AtomicFileWriter::Write(std::span<const std::uint8_t> bytes) {
    WriteAt(m_position, bytes);
    m_position += bytes.size();
}

void AtomicFileWriter::Write(const void* data, std::size_t size) {
    Write(std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(data), size));
}

void AtomicFileWriter::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = ::pwrite(m_fd, bytes.data() + done, bytes.size() - done,
                               static_cast<off_t>(offset + done));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError::FromErrno(errno, m_target);
        }
        if (put == 0) {
            throw FileError(FileError::Kind::DiskFull, m_target);
        }
        done += static_cast<std::size_t>(put);
    }
}

void AtomicFileWriter::StartWriteback() {
    // Only a hint: Commit() still flushes everything, so a failure here changes nothing.
    ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

void AtomicFileWriter::Commit() {
    if (::fsync(m_fd) != 0) {
        throw FileError::FromErrno(errno, m_target);
    }
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        throw FileError::FromErrno(errno, m_target);
    }
    if (::rename(m_temp.c_str(), m_replaced.c_str()) != 0) {
        throw FileError::FromErrno(errno, m_target);
    }
    m_committed = true;
    UnregisterTemporaryFile(m_cleanupSlot);
    m_cleanupSlot = -1;
}

}  // namespace plk
