#include "core/project/project_copy.h"

#include <map>
#include <system_error>

#include "core/io/file_io.h"
#include "core/project/project_file.h"
#include "core/project/resource_search.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

bool IsRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::filesystem::path Absolute(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute).lexically_normal();
}

// Where the copy takes a slot's file from; empty when it is nowhere.
std::filesystem::path SourceFile(const ResourceSlot& slot, const std::filesystem::path& project) {
    const std::filesystem::path stored = FileSystemPathOf(slot.Path());
    if (!stored.empty()) {
        if (stored.is_absolute()) {
            if (IsRegularFile(stored)) {
                return stored;
            }
        } else if (IsRegularFile(project.parent_path() / stored)) {
            return project.parent_path() / stored;
        }
    }
    // Not the current folder: the copy takes what belongs to the project, wherever it runs.
    return FindMovedResource(slot, project, {});
}

}  // namespace

std::filesystem::path CopyProjectWithResources(const std::filesystem::path& source,
                                               const std::filesystem::path& folder) {
    const std::filesystem::path project = Absolute(source);
    const std::filesystem::path target = Absolute(folder);
    std::error_code error;
    if (std::filesystem::equivalent(project.parent_path(), target, error)) {
        throw FileError(FileError::Kind::BadPath, target,
                        "the copy must go to another folder than the project's own");
    }
    OpenedProject opened = ReadProjectFile(project, std::nullopt);
    ResourceTable& palette = opened.project.palette;

    // Every file is found before anything is written.
    std::map<std::filesystem::path, std::filesystem::path> copies;  // target -> source
    for (int s = 1; s < kResourceSlots; ++s) {
        ResourceSlot& slot = palette.slot[static_cast<std::size_t>(s)];
        if (slot.IsEmpty() || slot.Name().empty()) {
            continue;
        }
        const std::filesystem::path name = FileSystemPathOf(slot.Name()).filename();
        const std::filesystem::path from = SourceFile(slot, project);
        if (name.empty() || from.empty()) {
            throw FileError(
                FileError::Kind::NotFound,
                slot.Path().empty() ? FileSystemPathOf(slot.Name()) : FileSystemPathOf(slot.Path()),
                "the file of palette slot " + std::to_string(s));
        }
        const std::filesystem::path to = target / name;
        copies.emplace(to, from);
        // A path the slot cannot hold whole stays the bare name, which is found beside the
        // project.
        const std::optional<std::string> stored = ToSjisExact(to.string());
        SetFieldText(slot.path, stored && stored->size() < sizeof slot.path
                                    ? *stored
                                    : std::string(slot.Name()));
    }

    std::filesystem::create_directories(target, error);
    if (error) {
        throw FileError::FromErrno(error.value(), target);
    }
    for (const auto& [to, from] : copies) {
        WriteWholeFile(to, ReadWholeFile(from));
    }
    const std::filesystem::path copy = target / project.filename();
    WriteProjectFile(copy, opened.project);
    return copy;
}

}  // namespace plk
