#include "core/io/file_error.h"

#include <cerrno>
#include <cstring>

namespace plk {
namespace {

std::string Describe(FileError::Kind kind, const std::filesystem::path& path,
                     const std::string& detail) {
    std::string text = StandardFileErrorText(kind);
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
        default:
            return FileError(Kind::Generic, path, std::strerror(error));
    }
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
        case FileError::Kind::Generic:
            break;
    }
    return "An unexpected error occurred while accessing %1.";
}

}  // namespace plk
