#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/io/file_error.h"
#include "core/project/project.h"

namespace plk {

// The 296-byte header shared by the project file and the game export.
struct ProjectHeader {
    char magic[256];
    std::int32_t cutCount;
    std::uint8_t reserved[36];
};
static_assert(IsPlainRecord<ProjectHeader> && sizeof(ProjectHeader) == 296);

inline constexpr std::string_view kProjectMagic2000 = "PLK-CRE2000 CopyRight 2004 Halvorn/pelloway";
inline constexpr std::string_view kProjectMagic1000 = "PLK-CRE1000 CopyRight 2003 Halvorn/pelloway";

enum class ProjectVersion { V1000 = 1000, V2000 = 2000 };

// A header with `magic` and `cutCount`, every other byte zero.
ProjectHeader MakeHeader(std::string_view magic, std::int32_t cutCount);

// The version a header announces: the 2000 magic anywhere in the zero-terminated header
// text wins over the 1000 magic. Nothing when neither is there.
std::optional<ProjectVersion> DetectVersion(const ProjectHeader& header);

struct OpenedProject {
    Project project;
    ProjectVersion version;
};

// The situation a reader shows once a project is open: its empty lines get frequency 0, as
// the message browser settles the situation it shows. Without a browser that is situation 0;
// the editor passes none and lets its browser settle the tab it shows, and only that one.
inline constexpr int kSituationShownWithoutBrowser = 0;

// Parses a whole project file as Open does: the records are imported over freshly reset
// defaults and `shownSituation` (if any) is shown. The bytes are checked completely before
// anything is built, so a refused file yields only a FileError (kind BadFormat) naming `path`.
OpenedProject ParseProject(std::span<const std::uint8_t> bytes, const std::filesystem::path& path,
                           std::optional<int> shownSituation = kSituationShownWithoutBrowser);

// Reads and parses `path`. Throws FileError.
OpenedProject ReadProjectFile(const std::filesystem::path& path,
                              std::optional<int> shownSituation = kSituationShownWithoutBrowser);

// What a project file says of itself short of its frames, for describing a file without
// loading it: only the header, the counts, the palette and the cut names are read.
struct ProjectSummary {
    struct CutShape {
        int frameCount = 0;
        int columnCount = 0;
    };
    ProjectVersion version = ProjectVersion::V2000;
    ResourceTable palette{};
    std::vector<CutShape> cuts;
    CutNameTable cutNames{};
};

// Refuses exactly the files ReadProjectFile refuses, with the same FileError.
ProjectSummary ReadProjectSummary(const std::filesystem::path& path);

// The bytes Save writes (always the current version).
std::vector<std::uint8_t> SerializeProject(const Project& project);

// The bytes Save writes as spans over the project's own records, in file order, for a
// writer that streams them without building the file in memory. The few small blocks
// made on the way (header, counts) live in this object: keep it while the spans are used.
class ProjectFileBlocks {
public:
    explicit ProjectFileBlocks(const Project& project);
    ProjectFileBlocks(const ProjectFileBlocks&) = delete;
    ProjectFileBlocks& operator=(const ProjectFileBlocks&) = delete;

    const std::vector<std::span<const std::uint8_t>>& Blocks() const { return m_blocks; }
    std::uint64_t Size() const { return m_size; }

private:
    ProjectHeader m_header;
    std::vector<std::array<std::int32_t, 2>> m_counts;
    std::vector<std::span<const std::uint8_t>> m_blocks;
    std::uint64_t m_size = 0;
};

// Writes `project` to `path` atomically. Throws FileError; the old file survives a failure.
void WriteProjectFile(const std::filesystem::path& path, const Project& project);

}  // namespace plk
