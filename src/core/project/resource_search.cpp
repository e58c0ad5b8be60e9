#include "core/project/resource_search.h"

#include <optional>
#include <string>
#include <string_view>

#include "core/text/sjis.h"

namespace plk {
namespace {

// How many of the folders above a file are tried as sub-folders of the project's folder.
constexpr std::size_t kFolderDepth = 8;

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// The folders of a stored path, outermost first, without the file name, drive or empty
// parts. Separators are looked for character by character, so that the trail byte 0x5C of
// a double-byte character ("表" is 0x95 0x5C) does not split a name.
std::vector<std::string_view> StoredFolders(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    std::size_t at = 0;
    while (at < path.size()) {
        const auto byte = static_cast<unsigned char>(path[at]);
        if (IsSjisLeadByte(byte)) {
            at += 2;
            continue;
        }
        if (byte == '\\' || byte == '/') {
            parts.push_back(path.substr(start, at - start));
            start = at + 1;
        }
        ++at;
    }
    // The last part is the file name.
    std::vector<std::string_view> folders;
    for (std::string_view part : parts) {
        const bool drive = part.size() == 2 && part[1] == ':';
        if (!part.empty() && part != "." && part != ".." && !drive) {
            folders.push_back(part);
        }
    }
    return folders;
}

}  // namespace

std::filesystem::path FileSystemPathOf(std::string_view storedSjis) {
    // Most stored paths are plain ASCII, which reads the same in Shift-JIS and needs no
    // conversion; the check reads every slot's path, so this is worth skipping.
    for (char c : storedSjis) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return std::filesystem::path(SjisToUtf8(storedSjis));
        }
    }
    return std::filesystem::path(storedSjis);
}

std::filesystem::path FindMovedResource(const ResourceSlot& slot,
                                        const std::filesystem::path& projectFile,
                                        const std::filesystem::path& currentFolder) {
    const std::filesystem::path name = FileSystemPathOf(slot.Name()).filename();
    if (name.empty()) {
        return {};
    }
    std::vector<std::filesystem::path> candidates;
    if (!currentFolder.empty()) {
        candidates.push_back(currentFolder / name);
    }
    if (!projectFile.empty()) {
        std::error_code error;
        std::filesystem::path projectFolder = std::filesystem::absolute(projectFile, error);
        projectFolder = error ? projectFile.parent_path() : projectFolder.parent_path();
        candidates.push_back(projectFolder / name);
        const std::vector<std::string_view> folders = StoredFolders(slot.Path());
        std::filesystem::path below;
        for (std::size_t depth = 1; depth <= std::min(folders.size(), kFolderDepth); ++depth) {
            below = FileSystemPathOf(folders[folders.size() - depth]) / below;
            candidates.push_back(projectFolder / below / name);
        }
    }
    for (const std::filesystem::path& candidate : candidates) {
        if (IsFile(candidate)) {
            return candidate.lexically_normal();
        }
    }
    return {};
}

std::vector<int> RelinkMovedResources(ResourceTable& table,
                                      const std::filesystem::path& projectFile,
                                      const std::filesystem::path& currentFolder) {
    std::vector<int> relinked;
    for (int s = 1; s < kResourceSlots; ++s) {
        ResourceSlot& slot = table.slot[static_cast<std::size_t>(s)];
        if (slot.IsEmpty() || IsFile(FileSystemPathOf(slot.Path()))) {
            continue;
        }
        const std::filesystem::path found = FindMovedResource(slot, projectFile, currentFolder);
        if (found.empty()) {
            continue;
        }
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(found, error);
        const std::optional<std::string> stored =
            ToSjisExact((error ? found : absolute).lexically_normal().string());
        if (!stored || stored->size() >= sizeof slot.path) {
            continue;
        }
        SetFieldText(slot.path, *stored);
        relinked.push_back(s);
    }
    return relinked;
}

std::vector<int> RelinkMovedResources(ResourceTable& table,
                                      const std::filesystem::path& projectFile) {
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    return RelinkMovedResources(table, projectFile, error ? std::filesystem::path() : here);
}

}  // namespace plk
