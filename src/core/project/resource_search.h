#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "core/content/resource_table.h"

namespace plk {

// A stored Shift-JIS name or path as a file-system path (the file system speaks UTF-8).
std::filesystem::path FileSystemPathOf(std::string_view storedSjis);

// Where a palette slot's file is looked for once it is no longer at its stored path, in
// this order: the file of the slot's name in `currentFolder`; in the folder of the project
// file; in the sub-folders of the project's folder named after the folders that held the
// file, nearest first (a file stored as ".../chara/images/face.png" is looked for as
// "images/face.png", then "chara/images/face.png" beside the project). A project copied to
// another place with its resources around it finds them again.
//
// The first candidate that is a regular file; empty when none is. Stored paths may be
// Windows paths: both '\' and '/' separate folders (a '\' inside a double-byte character is
// not a separator).
std::filesystem::path FindMovedResource(const ResourceSlot& slot,
                                        const std::filesystem::path& projectFile,
                                        const std::filesystem::path& currentFolder);

// Every filled slot (from 1) whose file is not at its stored path but is found by
// FindMovedResource gets the found file as its path. The slots changed, in order. A file
// whose path the slot cannot hold exactly (not Shift-JIS, longer than 259 bytes) is left
// unlinked.
std::vector<int> RelinkMovedResources(ResourceTable& table,
                                      const std::filesystem::path& projectFile,
                                      const std::filesystem::path& currentFolder);
std::vector<int> RelinkMovedResources(ResourceTable& table,
                                      const std::filesystem::path& projectFile);

}  // namespace plk
