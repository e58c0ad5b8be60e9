#include "core/project/project_file.h"

#include <cstring>
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

// Bounds-checked reading of the file image; every failure names what was missing.
class Reader {
public:
    Reader(std::span<const std::uint8_t> bytes, const std::filesystem::path& path)
        : m_bytes(bytes), m_path(path) {}

    std::size_t Offset() const { return m_offset; }

    std::size_t Take(std::size_t size, const char* what) {
        if (m_bytes.size() - m_offset < size) {
            Fail("the file is truncated: " + std::string(what) + " needs " + std::to_string(size) +
                 " bytes at offset " + std::to_string(m_offset) + ", but only " +
                 std::to_string(m_bytes.size() - m_offset) + " remain");
        }
        std::size_t at = m_offset;
        m_offset += size;
        return at;
    }

    template <typename T>
    T TakeValue(const char* what) {
        T value;
        std::memcpy(&value, m_bytes.data() + Take(sizeof(T), what), sizeof(T));
        return value;
    }

    [[noreturn]] void Fail(const std::string& detail) const {
        throw FileError(FileError::Kind::BadFormat, m_path, detail);
    }

private:
    std::span<const std::uint8_t> m_bytes;
    const std::filesystem::path& m_path;
    std::size_t m_offset = 0;
};

template <typename T>
T RecordAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// Writes the current version through `put(data, size)`, one call per block.
template <typename Put>
void EmitProject(const Project& project, Put&& put) {
    ProjectHeader header =
        MakeHeader(kProjectMagic2000, static_cast<std::int32_t>(project.cuts.size()));
    put(&header, sizeof header);
    put(&project.palette, sizeof project.palette);
    put(&project.profile, sizeof project.profile);
    put(&project.messages, sizeof project.messages);
    for (const Cut& cut : project.cuts) {
        const std::int32_t counts[2] = {cut.FrameCount(), cut.ColumnCount()};
        put(counts, sizeof counts);
        auto frames = cut.Frames();
        put(frames.data(), frames.size_bytes());
    }
    put(&project.cutNames, sizeof project.cutNames);
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

OpenedProject ParseProject(std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
    Reader reader(bytes, path);

    // Pass 1: check the whole layout; nothing is built until it holds.
    auto header = RecordAt<ProjectHeader>(bytes, reader.Take(sizeof(ProjectHeader), "the header"));
    std::optional<ProjectVersion> version = DetectVersion(header);
    if (!version) {
        reader.Fail("unknown file format: the header holds no project magic");
    }
    if (header.cutCount < 0 || header.cutCount > kMaxCuts) {
        reader.Fail("cut count " + std::to_string(header.cutCount) + " is outside 0.." +
                    std::to_string(kMaxCuts));
    }
    const VersionLayout layout = LayoutOf(*version);
    std::size_t paletteAt = reader.Take(sizeof(ResourceTable), "the palette block");
    std::size_t profileAt = reader.Take(layout.profileBlock, "the profile block");
    std::size_t messagesAt = reader.Take(layout.messageBlock, "the message block");

    std::vector<CutExtent> extents;
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
        std::size_t remaining = bytes.size() - framesAt;
        if (static_cast<std::size_t>(frameCount) > remaining / layout.frameRecord) {
            reader.Fail("the file is truncated: " + cut + " has " + std::to_string(frameCount) +
                        " frames, but only " + std::to_string(remaining) + " bytes remain");
        }
        reader.Take(static_cast<std::size_t>(frameCount) * layout.frameRecord, "frames");
        extents.push_back({frameCount, columnCount, framesAt});
    }
    std::size_t namesAt = reader.Take(sizeof(CutNameTable), "the cut-name block");

    // Pass 2: build the project over reset defaults, as Open does.
    OpenedProject opened{{}, *version};
    Project& project = opened.project;
    project.palette = RecordAt<ResourceTable>(bytes, paletteAt);
    ResetMessages(project.messages, MessageDefaults::NewProject);
    if (*version == ProjectVersion::V2000) {
        project.profile = LoadProfile(RecordAt<ProfileBlock>(bytes, profileAt));
        auto messages = RecordAt<MessageTable>(bytes, messagesAt);
        ImportMessages(project.messages, messages.situations);
    } else {
        project.profile = ImportLegacyProfile(RecordAt<LegacyProfileRecord>(bytes, profileAt));
        std::vector<SituationMessages> legacy(kLegacySituationCount);
        std::memcpy(legacy.data(), bytes.data() + messagesAt, kLegacyMessageBlock);
        ImportMessages(project.messages, legacy);
    }
    ShowSituation(project.messages, 0);

    project.cuts.reserve(extents.size());
    for (const CutExtent& extent : extents) {
        std::vector<FrameRecord> frames(static_cast<std::size_t>(extent.frameCount));
        const auto* source = reinterpret_cast<const std::byte*>(bytes.data() + extent.framesAt);
        if (*version == ProjectVersion::V2000) {
            // A cut without frames has no storage to copy into.
            if (!frames.empty()) {
                std::memcpy(frames.data(), source, frames.size() * sizeof(FrameRecord));
            }
        } else {
            for (std::size_t f = 0; f < frames.size(); ++f) {
                frames[f] = ConvertLegacyFrame(source + f * kLegacyFrameSize);
            }
        }
        project.cuts.emplace_back(std::move(frames), extent.columnCount);
    }
    project.cutNames = RecordAt<CutNameTable>(bytes, namesAt);
    return opened;
}

OpenedProject ReadProjectFile(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    return ParseProject(bytes, path);
}

std::vector<std::uint8_t> SerializeProject(const Project& project) {
    std::vector<std::uint8_t> out;
    EmitProject(project, [&](const void* data, std::size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        out.insert(out.end(), p, p + size);
    });
    return out;
}

void WriteProjectFile(const std::filesystem::path& path, const Project& project) {
    AtomicFileWriter writer(path);
    EmitProject(project, [&](const void* data, std::size_t size) { writer.Write(data, size); });
    writer.Commit();
}

}  // namespace plk
