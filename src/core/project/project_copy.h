#pragma once

#include <filesystem>

namespace plk {

// Copies the project file `source` and every file its palette names into `folder`
// (created when missing), and writes the copy's palette to point at the copied files by
// their full paths, so the copy opens, exports and checks with nothing to look for. The
// project keeps its file name; each resource keeps its slot's name.
//
// A slot's file is taken from its stored path when that is a full path to a file, else
// from the folder of `source` (a relative path, the bare name, or the folders that held it;
// see FindMovedResource). Files already in `folder` under those names are replaced. A slot
// whose file is nowhere fails with FileError kind NotFound naming the file before anything
// is written; `folder` being the folder of `source` is refused (kind BadPath).
//
// Returns the path of the copied project file. Throws FileError.
std::filesystem::path CopyProjectWithResources(const std::filesystem::path& source,
                                               const std::filesystem::path& folder);

}  // namespace plk
