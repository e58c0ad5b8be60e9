#include "core/io/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace plk {
namespace {

void CloseQuietly(int fd) {
    if (fd >= 0) {
        ::close(fd);
    }
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw FileError::FromErrno(errno, path);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        int error = errno;
        CloseQuietly(fd);
        throw FileError::FromErrno(error, path);
    }
    if (!S_ISREG(info.st_mode)) {
        CloseQuietly(fd);
        throw FileError(FileError::Kind::Generic, path, "not a regular file");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    // One read normally returns everything; the loop only covers short reads.
    while (done < bytes.size()) {
        ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            int error = errno;
            CloseQuietly(fd);
            throw FileError::FromErrno(error, path);
        }
        if (got == 0) {
            break;  // the file shrank meanwhile: keep only what was read
        }
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    CloseQuietly(fd);
    return bytes;
}

void WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    AtomicFileWriter writer(path);
    writer.Write(bytes);
    writer.Commit();
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : m_target(std::move(target)) {
    std::filesystem::path folder = m_target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string pattern = (folder / ("." + m_target.filename().string() + ".XXXXXX")).string();
    m_fd = ::mkstemp(pattern.data());
    if (m_fd < 0) {
        int error = errno;
        // Name the target, not the temporary: that is the file the user asked for.
        throw FileError::FromErrno(error, m_target);
    }
    m_temp = pattern;
    // mkstemp creates 0600; a saved project should get the usual permissions.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(m_fd, 0666 & ~mask);
}

AtomicFileWriter::~AtomicFileWriter() {
    CloseQuietly(m_fd);
    if (!m_committed && !m_temp.empty()) {
        ::unlink(m_temp.c_str());
    }
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

void AtomicFileWriter::Commit() {
    if (::fsync(m_fd) != 0) {
        throw FileError::FromErrno(errno, m_target);
    }
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        throw FileError::FromErrno(errno, m_target);
    }
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        throw FileError::FromErrno(errno, m_target);
    }
    m_committed = true;
}

}  // namespace plk
