#include "core/project/project_file.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include "core/io/file_io.h"

namespace plk {
namespace {

constexpr std::size_t kLegacyMessageBlock = kLegacySituationCount * sizeof(SituationMessages);
constexpr int kMinColumns = kMinParts + 1;
constexpr int kMaxColumns = kMaxParts + 1;

struct CutExtent {
    std::int32_t frameCount;
    std::int32_t columnCount;
    std::size_t framesAt;  // offset of the first frame record
};

// The sizes that differ between the two versions.
struct VersionLayout {
    std::size_t profileBlock;
    std::size_t messageBlock;
    std::size_t frameRecord;
};

VersionLayout LayoutOf(ProjectVersion version) {
    if (version == ProjectVersion::V2000) {
        return {sizeof(ProfileBlock), sizeof(MessageTable), sizeof(FrameRecord)};
    }
    return {sizeof(LegacyProfileRecord), kLegacyMessageBlock, kLegacyFrameSize};
}

// Bounds-checked walk over a project's bytes; every failure names what was missing. The
// bytes come through `peek`, so a file can be measured by reading only its header and
// counts.
class Reader {
public:
    using Peek = std::function<void(std::size_t offset, void* out, std::size_t size)>;

    Reader(std::size_t total, Peek peek, const std::filesystem::path& path)
        : m_total(total), m_peek(std::move(peek)), m_path(path) {}

    std::size_t Offset() const { return m_offset; }
    std::size_t Remaining() const { return m_total - m_offset; }

    std::size_t Take(std::size_t size, const char* what) {
        if (Remaining() < size) {
            Fail("the file is truncated: " + std::string(what) + " needs " + std::to_string(size) +
                 " bytes at offset " + std::to_string(m_offset) + ", but only " +
                 std::to_string(Remaining()) + " remain");
        }
        std::size_t at = m_offset;
        m_offset += size;
        return at;
    }

    template <typename T>
    T TakeValue(const char* what) {
        T value;
        std::size_t at = Take(sizeof(T), what);
        m_peek(at, &value, sizeof(T));
        return value;
    }

    [[noreturn]] void Fail(const std::string& detail) const {
        throw FileError(FileError::Kind::BadFormat, m_path, detail);
    }

private:
    std::size_t m_total;
    Peek m_peek;
    const std::filesystem::path& m_path;
    std::size_t m_offset = 0;
};

// Where each block of a checked project lies.
struct ProjectLayout {
    ProjectVersion version = ProjectVersion::V2000;
    std::size_t paletteAt = 0;
    std::size_t profileAt = 0;
    std::size_t messagesAt = 0;
    std::vector<CutExtent> extents;
    std::size_t namesAt = 0;
    std::size_t end = 0;  // bytes after this are ignored
};

// Pass 1: checks the whole layout; nothing is built until it holds.
ProjectLayout MeasureProject(Reader& reader) {
    ProjectLayout found;
    auto header = reader.TakeValue<ProjectHeader>("the header");
    std::optional<ProjectVersion> version = DetectVersion(header);
    if (!version) {
        reader.Fail("unknown file format: the header holds no project magic");
    }
    if (header.cutCount < 0 || header.cutCount > kMaxCuts) {
        reader.Fail("cut count " + std::to_string(header.cutCount) + " is outside 0.." +
                    std::to_string(kMaxCuts));
    }
    found.version = *version;
    const VersionLayout layout = LayoutOf(*version);
    found.paletteAt = reader.Take(sizeof(ResourceTable), "the palette block");
    found.profileAt = reader.Take(layout.profileBlock, "the profile block");
    found.messagesAt = reader.Take(layout.messageBlock, "the message block");

    for (int i = 0; i < header.cutCount; ++i) {
        auto frameCount = reader.TakeValue<std::int32_t>("a cut's frame count");
        auto columnCount = reader.TakeValue<std::int32_t>("a cut's column count");
        std::string cut = "cut " + std::to_string(i + 1);
        if (frameCount < 0) {
            reader.Fail(cut + " has a negative frame count (" + std::to_string(frameCount) + ")");
        }
        if (columnCount < kMinColumns || columnCount > kMaxColumns) {
            reader.Fail(cut + " has column count " + std::to_string(columnCount) + ", outside " +
                        std::to_string(kMinColumns) + ".." + std::to_string(kMaxColumns));
        }
        std::size_t framesAt = reader.Offset();
        std::size_t remaining = reader.Remaining();
        if (static_cast<std::size_t>(frameCount) > remaining / layout.frameRecord) {
            reader.Fail("the file is truncated: " + cut + " has " + std::to_string(frameCount) +
                        " frames, but only " + std::to_string(remaining) + " bytes remain");
        }
        reader.Take(static_cast<std::size_t>(frameCount) * layout.frameRecord, "frames");
        found.extents.push_back({frameCount, columnCount, framesAt});
    }
    found.namesAt = reader.Take(sizeof(CutNameTable), "the cut-name block");
    found.end = reader.Offset();
    return found;
}

template <typename T>
T RecordAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// Writes the current version through `put(data, size, made)`, one call per block; `made`
// tells a block made here for the call (header, counts) from one of the project's records.
template <typename Put>
void EmitProject(const Project& project, Put&& put) {
    ProjectHeader header =
        MakeHeader(kProjectMagic2000, static_cast<std::int32_t>(project.cuts.size()));
    put(&header, sizeof header, true);
    put(&project.palette, sizeof project.palette, false);
    put(&project.profile, sizeof project.profile, false);
    put(&project.messages, sizeof project.messages, false);
    for (const Cut& cut : project.cuts) {
        const std::int32_t counts[2] = {cut.FrameCount(), cut.ColumnCount()};
        put(counts, sizeof counts, true);
        auto frames = cut.Frames();
        put(frames.data(), frames.size_bytes(), false);
    }
    put(&project.cutNames, sizeof project.cutNames, false);
}

}  // namespace

ProjectHeader MakeHeader(std::string_view magic, std::int32_t cutCount) {
    ProjectHeader header{};
    std::memcpy(header.magic, magic.data(), std::min(magic.size(), sizeof header.magic - 1));
    header.cutCount = cutCount;
    return header;
}

std::optional<ProjectVersion> DetectVersion(const ProjectHeader& header) {
    // The magic is looked for inside the zero-terminated text at the start of the header;
    // the text may run on into the count and reserved bytes when it has no terminator.
    const char* begin = reinterpret_cast<const char*>(&header);
    std::string_view text(begin, sizeof header);
    text = text.substr(0, text.find('\0'));
    if (text.find(kProjectMagic2000) != std::string_view::npos) {
        return ProjectVersion::V2000;
    }
    if (text.find(kProjectMagic1000) != std::string_view::npos) {
        return ProjectVersion::V1000;
    }
    return std::nullopt;
}

OpenedProject ParseProject(std::span<const std::uint8_t> bytes, const std::filesystem::path& path,
                           std::optional<int> shownSituation) {
    Reader reader(
        bytes.size(),
        [bytes](std::size_t offset, void* out, std::size_t size) {
            std::memcpy(out, bytes.data() + offset, size);
        },
        path);
    const ProjectLayout found = MeasureProject(reader);

    // Pass 2: build the project over reset defaults, as Open does.
    OpenedProject opened{{}, found.version};
    Project& project = opened.project;
    project.palette = RecordAt<ResourceTable>(bytes, found.paletteAt);
    ResetMessages(project.messages, MessageDefaults::NewProject);
    if (found.version == ProjectVersion::V2000) {
        project.profile = LoadProfile(RecordAt<ProfileBlock>(bytes, found.profileAt));
        auto messages = RecordAt<MessageTable>(bytes, found.messagesAt);
        ImportMessages(project.messages, messages.situations);
    } else {
        project.profile =
            ImportLegacyProfile(RecordAt<LegacyProfileRecord>(bytes, found.profileAt));
        std::vector<SituationMessages> legacy(kLegacySituationCount);
        std::memcpy(legacy.data(), bytes.data() + found.messagesAt, kLegacyMessageBlock);
        ImportMessages(project.messages, legacy);
    }
    if (shownSituation && *shownSituation >= 0 && *shownSituation < kSituationCount) {
        ShowSituation(project.messages, *shownSituation);
    }

    project.cuts.reserve(found.extents.size());
    for (const CutExtent& extent : found.extents) {
        // Each record is copied straight into its place; the storage is not filled first.
        const auto count = static_cast<std::size_t>(extent.frameCount);
        std::vector<FrameRecord> frames;
        frames.reserve(count);
        const auto* source = reinterpret_cast<const std::byte*>(bytes.data() + extent.framesAt);
        if (found.version == ProjectVersion::V2000) {
            for (std::size_t f = 0; f < count; ++f) {
                frames.push_back(
                    RecordAt<FrameRecord>(bytes, extent.framesAt + f * sizeof(FrameRecord)));
            }
        } else {
            for (std::size_t f = 0; f < count; ++f) {
                frames.push_back(ConvertLegacyFrame(source + f * kLegacyFrameSize));
            }
        }
        for (FrameRecord& frame : frames) {
            TerminateControlMessage(frame);
        }
        project.cuts.emplace_back(std::move(frames), extent.columnCount);
    }
    project.cutNames = RecordAt<CutNameTable>(bytes, found.namesAt);
    return opened;
}

namespace {

// Checks the layout of an open file through small reads, so that only what the header and
// the counts describe is ever loaded, however large the file is.
ProjectLayout MeasureFile(InputFile& file) {
    const std::size_t total = static_cast<std::size_t>(
        std::min<std::uint64_t>(file.Size(), std::numeric_limits<std::size_t>::max()));
    Reader reader(
        total,
        [&file](std::size_t offset, void* out, std::size_t size) {
            if (file.ReadInto(offset, {static_cast<std::uint8_t*>(out), size}) != size) {
                throw FileError(FileError::Kind::BadFormat, file.Path(),
                                "the file shrank while it was read");
            }
        },
        file.Path());
    return MeasureProject(reader);
}

template <typename T>
T ReadRecord(InputFile& file, std::size_t offset) {
    T value;
    if (file.ReadInto(offset, {reinterpret_cast<std::uint8_t*>(&value), sizeof value}) !=
        sizeof value) {
        throw FileError(FileError::Kind::BadFormat, file.Path(),
                        "the file shrank while it was read");
    }
    return value;
}

}  // namespace

OpenedProject ReadProjectFile(const std::filesystem::path& path,
                              std::optional<int> shownSituation) {
    InputFile file(path);
    const std::size_t end = MeasureFile(file).end;
    const ByteBuffer bytes = file.Read(0, end);
    return ParseProject(bytes, path, shownSituation);
}

ProjectSummary ReadProjectSummary(const std::filesystem::path& path) {
    InputFile file(path);
    const ProjectLayout layout = MeasureFile(file);
    ProjectSummary summary;
    summary.version = layout.version;
    summary.palette = ReadRecord<ResourceTable>(file, layout.paletteAt);
    for (const CutExtent& extent : layout.extents) {
        summary.cuts.push_back({extent.frameCount, extent.columnCount});
    }
    summary.cutNames = ReadRecord<CutNameTable>(file, layout.namesAt);
    return summary;
}

std::vector<std::uint8_t> SerializeProject(const Project& project) {
    std::vector<std::uint8_t> out;
    EmitProject(project, [&](const void* data, std::size_t size, bool) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        out.insert(out.end(), p, p + size);
    });
    return out;
}

ProjectFileBlocks::ProjectFileBlocks(const Project& project) : m_header{} {
    // Reserved first: the spans point into these and must not move.
    m_counts.reserve(project.cuts.size());
    EmitProject(project, [&](const void* data, std::size_t size, bool made) {
        if (made && size == sizeof m_header) {
            std::memcpy(&m_header, data, size);
            data = &m_header;
        } else if (made) {
            data = std::memcpy(m_counts.emplace_back().data(), data, size);
        }
        m_blocks.emplace_back(static_cast<const std::uint8_t*>(data), size);
        m_size += size;
    });
}

void WriteProjectFile(const std::filesystem::path& path, const Project& project) {
    AtomicFileWriter writer(path);
    EmitProject(project,
                [&](const void* data, std::size_t size, bool) { writer.Write(data, size); });
    writer.Commit();
}

}  // namespace plk
