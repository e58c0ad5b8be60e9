#include "core/io/file_error.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace plk {
namespace {

std::string Describe(FileError::Kind kind, const std::filesystem::path& path,
                     const std::string& detail) {
    // An empty name would leave a hole in the sentence.
    std::string text =
        path.empty() ? std::string("No file name was given.") : StandardFileErrorText(kind);
    std::string name = path.string();
    if (auto at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, name);
    }
    if (!detail.empty()) {
        text += " (" + detail + ")";
    }
    return text;
}

}  // namespace

FileError::FileError(Kind kind, std::filesystem::path path, std::string detail)
    : std::runtime_error(Describe(kind, path, detail)),
      m_kind(kind),
      m_path(std::move(path)),
      m_detail(std::move(detail)) {}

FileError FileError::FromErrno(int error, const std::filesystem::path& path) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return FileError(Kind::NotFound, path);
        case EACCES:
        case EPERM:
        case EROFS:
            return FileError(Kind::AccessDenied, path);
        case ENOSPC:
        case EDQUOT:
            return FileError(Kind::DiskFull, path);
        case EFBIG:
            return FileError(Kind::Generic, path, "the file would exceed the file-size limit");
        case EISDIR:
            return FileError(Kind::NotRegular, path, "it is a folder");
        default:
            return FileError(Kind::Generic, path, std::strerror(error));
    }
}

FileError FileError::NotRegularFile(unsigned mode, const std::filesystem::path& path) {
    const char* what = "it is not a plain file";
    if (S_ISDIR(mode)) {
        what = "it is a folder";
    } else if (S_ISFIFO(mode)) {
        what = "it is a named pipe";
    } else if (S_ISCHR(mode) || S_ISBLK(mode)) {
        what = "it is a device";
    } else if (S_ISSOCK(mode)) {
        what = "it is a socket";
    }
    return FileError(Kind::NotRegular, path, what);
}

std::string StandardFileErrorText(FileError::Kind kind) {
    switch (kind) {
        case FileError::Kind::NotFound:
            return "%1 was not found.";
        case FileError::Kind::AccessDenied:
            return "Access to %1 was denied.";
        case FileError::Kind::DiskFull:
            return "Disk full while accessing %1.";
        case FileError::Kind::BadFormat:
            return "%1 is not a valid file.";
        case FileError::Kind::NotRegular:
            return "%1 is not a regular file.";
        case FileError::Kind::BadPath:
            return "%1 cannot be created.";
        case FileError::Kind::Generic:
            break;
    }
    return "An unexpected error occurred while accessing %1.";
}

}  // namespace plk
