#include "core/check/resource_files.h"

#include <array>
#include <cstring>
#include <system_error>

#include "core/io/file_io.h"
#include "core/project/resource_search.h"

namespace plk {
namespace {

std::uint32_t LittleWord(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
           std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

std::uint32_t BigWord(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | std::uint32_t{bytes[at + 3]};
}

bool TagAt(std::span<const std::uint8_t> bytes, std::size_t at, const char (&tag)[5]) {
    return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

bool IsRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Opens the slot's file: at its stored path straight away (the usual case costs one open),
// else wherever LocateResourceFile finds it.
std::optional<InputFile> OpenResourceFile(const ResourceSlot& slot,
                                          const std::filesystem::path& projectFile) {
    if (!slot.Path().empty()) {
        try {
            return std::optional<InputFile>(std::in_place, FileSystemPathOf(slot.Path()));
        } catch (const FileError&) {
            // looked for below
        }
    }
    const std::optional<std::filesystem::path> file = LocateResourceFile(slot, projectFile);
    if (!file) {
        return std::nullopt;
    }
    return std::optional<InputFile>(std::in_place, *file);
}

// The first bytes of the file, read into `buffer`: no allocation for the usual file.
std::span<const std::uint8_t> ReadHead(const InputFile& input, std::span<std::uint8_t> buffer) {
    const std::span<std::uint8_t> wanted = buffer.first(input.Available(0, buffer.size()));
    return wanted.first(input.ReadInto(0, wanted));
}

bool ImageMatches(const InputFile& input) {
    std::array<std::uint8_t, kPngHeadBytes> buffer;
    return HasPngHeader(ReadHead(input, buffer));
}

bool SoundMatches(const InputFile& input) {
    std::array<std::uint8_t, kWaveHeadBytes> buffer;
    const std::span<const std::uint8_t> first = ReadHead(input, buffer);
    std::optional<bool> wave = HasWaveHeader(first, input.Size());
    if (wave) {
        return *wave;
    }
    // Chunks before the data chunk rarely pass the first block; read on only then.
    ByteBuffer head(first.begin(), first.end());
    while (!wave && head.size() < input.Size()) {
        const std::size_t more = std::min<std::uint64_t>(head.size(), 1u << 20);
        ByteBuffer next = input.Read(head.size(), more);
        if (next.empty()) {
            break;
        }
        head.insert(head.end(), next.begin(), next.end());
        wave = HasWaveHeader(head, input.Size());
    }
    return wave.value_or(false);
}

ResourceFileReport ReadOne(const ResourceSlot& slot, const std::filesystem::path& projectFile) {
    try {
        std::optional<InputFile> opened = OpenResourceFile(slot, projectFile);
        if (!opened) {
            return {ResourceFileState::Missing, true};
        }
        bool matches = true;
        if (slot.Kind() == ResourceKind::Image) {
            matches = ImageMatches(*opened);
        } else if (slot.Kind() == ResourceKind::Sound) {
            matches = SoundMatches(*opened);
        }
        return {ResourceFileState::Read, matches};
    } catch (const FileError&) {
        return {ResourceFileState::Unreadable, true};
    }
}

}  // namespace

std::optional<std::filesystem::path> LocateResourceFile(const ResourceSlot& slot,
                                                        const std::filesystem::path& projectFile) {
    if (!slot.Path().empty()) {
        const std::filesystem::path stored = FileSystemPathOf(slot.Path());
        if (IsRegularFile(stored)) {
            return stored;
        }
    }
    // The same search the editor's open and the export make for a file that moved.
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    std::filesystem::path found = FindMovedResource(slot, projectFile, error ? "." : current);
    if (found.empty()) {
        return std::nullopt;
    }
    return found;
}

bool HasPngHeader(std::span<const std::uint8_t> head) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (head.size() < kPngHeadBytes || std::memcmp(head.data(), kSignature, 8) != 0 ||
        BigWord(head, 8) != 13 || !TagAt(head, 12, "IHDR")) {
        return false;
    }
    const std::uint32_t width = BigWord(head, 16);
    const std::uint32_t height = BigWord(head, 20);
    const std::uint8_t depth = head[24];
    const std::uint8_t colour = head[25];
    auto depthIn = [depth](std::initializer_list<int> allowed) {
        for (int d : allowed) {
            if (d == depth) {
                return true;
            }
        }
        return false;
    };
    bool depthFits = false;
    switch (colour) {
        case 0:
            depthFits = depthIn({1, 2, 4, 8, 16});
            break;
        case 3:
            depthFits = depthIn({1, 2, 4, 8});
            break;
        case 2:
        case 4:
        case 6:
            depthFits = depthIn({8, 16});
            break;
        default:
            break;
    }
    constexpr std::uint32_t kMaxSide = 0x7FFFFFFF;
    return width != 0 && height != 0 && width <= kMaxSide && height <= kMaxSide && depthFits;
}

std::optional<bool> HasWaveHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    constexpr std::size_t kRiffHeader = 12;
    constexpr std::size_t kChunkHeader = 8;
    constexpr std::size_t kBasicFormatSize = 16;
    if (head.size() < kRiffHeader || !TagAt(head, 0, "RIFF") || !TagAt(head, 8, "WAVE")) {
        return head.size() < kRiffHeader && head.size() < fileSize ? std::nullopt
                                                                   : std::optional(false);
    }
    bool haveFormat = false;
    std::uint64_t at = kRiffHeader;
    while (fileSize - at >= kChunkHeader) {
        if (at + kChunkHeader > head.size()) {
            return std::nullopt;
        }
        const std::uint64_t length = LittleWord(head, at + 4);
        const std::uint64_t body = at + kChunkHeader;
        if (length > fileSize - body) {
            return false;  // a chunk that runs past the end of the file
        }
        if (TagAt(head, at, "fmt ")) {
            if (length < kBasicFormatSize) {
                return false;
            }
            if (body + kBasicFormatSize > head.size()) {
                return std::nullopt;
            }
            const unsigned channels = head[body + 2] | head[body + 3] << 8;
            const std::uint32_t rate = LittleWord(head, body + 4);
            if (channels < 1 || channels > 8 || rate < 1000 || rate > 384000) {
                return false;
            }
            haveFormat = true;
        } else if (TagAt(head, at, "data")) {
            return haveFormat;
        }
        at = body + length + (length & 1);  // chunks are padded to an even length
        if (at > fileSize) {
            return false;
        }
    }
    return false;  // no data chunk
}

ResourceFileReports ReadResourceFiles(const ResourceTable& palette,
                                      const std::filesystem::path& projectFile) {
    ResourceFileReports reports{};
    for (int s = 1; s < kResourceSlots; ++s) {
        const ResourceSlot& slot = palette.slot[static_cast<std::size_t>(s)];
        if (!slot.Name().empty()) {
            reports[static_cast<std::size_t>(s)] = ReadOne(slot, projectFile);
        }
    }
    return reports;
}

}  // namespace plk
