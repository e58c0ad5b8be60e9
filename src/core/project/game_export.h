#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "core/project/project.h"

namespace plk {

struct ExportOptions {
    unsigned threads = 0;  // 0: all cores
    // Called from the exporting thread after each item; return false to cancel.
    std::function<bool(std::size_t done, std::size_t total)> progress;
};

class ExportCancelled : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes `project` as the game file (.ce8) at `out`. Every palette slot with a name has the
// file at its path compressed into the file; the profile, the messages and each cut's
// frames follow as compressed blocks. Resource files are compressed on `threads` threads;
// the bytes written do not depend on the number.
//
// The items counted by `progress` are the 256 slots, the profile, the messages and the cuts.
// `project` must not change until the call returns.
//
// Throws FileError (kinds as in core/io/file_error.h) or ExportCancelled; leaves no partial
// file. A slot whose file cannot be read fails with the kind of that failure, naming the
// file and the slot number. An existing file at `out` survives any failure.
void ExportGame(const Project& project, const std::filesystem::path& out,
                const ExportOptions& options = {});

}  // namespace plk
