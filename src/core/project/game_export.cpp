#include "core/project/game_export.h"

#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/codec/parallel_packer.h"
#include "core/io/file_io.h"
#include "core/project/export_layout.h"
#include "core/project/project_file.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

template <typename Record>
std::span<const std::uint8_t> BytesOf(const Record& record) {
    return {reinterpret_cast<const std::uint8_t*>(&record), sizeof record};
}

// Slots first, in slot order, then the profile, the messages and the cuts: the order in
// which the items are written.
std::vector<PackJob> MakeJobs(const Project& project) {
    std::vector<PackJob> jobs;
    jobs.reserve(kResourceSlots + 2 + project.cuts.size());
    for (const ResourceSlot& slot : project.palette.slot) {
        // Paths are stored as Shift-JIS; the file system speaks UTF-8.
        jobs.push_back(PackJob::File(std::string(slot.Name()), SjisToUtf8(slot.Path())));
    }
    jobs.push_back(PackJob::Memory(BytesOf(project.profile)));
    jobs.push_back(PackJob::Memory(BytesOf(project.messages)));
    for (const Cut& cut : project.cuts) {
        std::span<const FrameRecord> frames = cut.Frames();
        jobs.push_back(PackJob::Memory(
            {reinterpret_cast<const std::uint8_t*>(frames.data()), frames.size_bytes()}));
    }
    return jobs;
}

// Every offset and size in the file is 32 bits wide.
std::uint32_t FileOffset(const AtomicFileWriter& writer, const std::filesystem::path& out) {
    if (writer.Position() > std::numeric_limits<std::uint32_t>::max()) {
        throw FileError(FileError::Kind::Generic, out, "the game file would exceed 4 GiB");
    }
    return static_cast<std::uint32_t>(writer.Position());
}

// The error of a slot whose file could not be compressed, naming the slot as well.
FileError SlotError(const FileError& error, int slot) {
    std::string detail = "resource slot " + std::to_string(slot);
    if (!error.detail().empty()) {
        detail += ": " + error.detail();
    }
    return FileError(error.kind(), error.path(), detail);
}

class Exporter {
public:
    Exporter(const Project& project, const std::filesystem::path& out, const ExportOptions& options)
        : m_project(project),
          m_out(out),
          m_options(options),
          m_writer(out),
          m_packer(MakeJobs(project), options.threads) {}

    void Run() {
        ProjectHeader header =
            MakeHeader(kExportMagic, static_cast<std::int32_t>(m_project.cuts.size()));
        m_writer.Write(&header, sizeof header);
        // The directory is filled in at the end, once every offset is known.
        std::vector<ExportDirectoryEntry> directory(kResourceSlots);
        m_writer.Write(std::vector<std::uint8_t>(kExportDirectorySize));

        for (int s = 0; s < kResourceSlots; ++s) {
            directory[static_cast<std::size_t>(s)] = WriteSlot(s);
            ItemDone();
        }
        WriteBlock();  // profile
        ItemDone();
        WriteBlock();  // messages
        ItemDone();
        for (std::size_t c = 0; c < m_project.cuts.size(); ++c) {
            WriteCut(c);
            ItemDone();
        }
        m_writer.WriteAt(
            kExportHeaderSize,
            {reinterpret_cast<const std::uint8_t*>(directory.data()), kExportDirectorySize});
        m_writer.Commit();
    }

private:
    ExportDirectoryEntry WriteSlot(int s) {
        const ResourceSlot& slot = m_project.palette.slot[static_cast<std::size_t>(s)];
        if (!slot.Name().empty() && slot.Path().empty()) {
            throw FileError(FileError::Kind::NotFound, SjisToUtf8(slot.Name()),
                            "resource slot " + std::to_string(s) + " has no file path");
        }
        PackedItem item;
        try {
            item = m_packer.TakeNext();
        } catch (const FileError& error) {
            throw SlotError(error, s);
        }
        ExportDirectoryEntry entry{};
        entry.kind = slot.kind;
        SetFieldText(entry.name, slot.Name());
        entry.offset = FileOffset(m_writer, m_out);
        entry.unpackedSize = item.unpackedSize;
        entry.storedSize = item.StoredSize();
        entry.worldX = slot.worldX;
        entry.worldY = slot.worldY;
        m_writer.Write(item.bytes);
        return entry;
    }

    void WriteBlock() {
        PackedItem item = m_packer.TakeNext();
        ExportBlockSizes sizes{item.unpackedSize, item.StoredSize()};
        m_writer.Write(&sizes, sizeof sizes);
        m_writer.Write(item.bytes);
        FileOffset(m_writer, m_out);
    }

    void WriteCut(std::size_t index) {
        const Cut& cut = m_project.cuts[index];
        PackedItem item;
        try {
            item = m_packer.TakeNext();
        } catch (const std::length_error&) {
            throw FileError(FileError::Kind::Generic, m_out,
                            "cut " + std::to_string(index) + " has too many frames");
        }
        ExportCutHeader header{cut.FrameCount(), cut.FrameCount(), item.unpackedSize,
                               item.StoredSize()};
        m_writer.Write(&header, sizeof header);
        m_writer.Write(item.bytes);
        FileOffset(m_writer, m_out);
    }

    void ItemDone() {
        ++m_done;
        if (m_options.progress && !m_options.progress(m_done, m_packer.Count())) {
            throw ExportCancelled("export cancelled");
        }
    }

    const Project& m_project;
    const std::filesystem::path& m_out;
    const ExportOptions& m_options;
    // The output file comes first so that a bad target fails before any work starts, and
    // the workers are stopped before its temporary file goes away.
    AtomicFileWriter m_writer;
    ParallelPacker m_packer;
    std::size_t m_done = 0;
};

}  // namespace

void ExportGame(const Project& project, const std::filesystem::path& out,
                const ExportOptions& options) {
    Exporter(project, out, options).Run();
}

}  // namespace plk
