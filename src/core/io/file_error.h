#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace plk {

// A failed file operation. The kind picks the standard text that users see; the detail,
// when present, says what was wrong with the content.
class FileError : public std::runtime_error {
public:
    enum class Kind {
        NotFound,
        AccessDenied,
        DiskFull,
        BadFormat,   // the file was read but its content is refused
        NotRegular,  // a folder, named pipe, device or socket where a file was expected
        BadPath,     // the name cannot be used for a new file (the detail says why)
        Generic,
    };

    FileError(Kind kind, std::filesystem::path path, std::string detail = {});

    Kind kind() const { return m_kind; }
    const std::filesystem::path& path() const { return m_path; }
    const std::string& detail() const { return m_detail; }

    // Builds the error for an errno value reported while working on `path`.
    static FileError FromErrno(int error, const std::filesystem::path& path);
    // The error for something at `path` that exists but is not a regular file; `mode` is
    // its st_mode.
    static FileError NotRegularFile(unsigned mode, const std::filesystem::path& path);

private:
    Kind m_kind;
    std::filesystem::path m_path;
    std::string m_detail;
};

// The framework's standard texts; %1 stands for the file name.
std::string StandardFileErrorText(FileError::Kind kind);

}  // namespace plk
