#include "core/project/recovery_copy.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

#include "core/io/file_io.h"
#include "core/project/project_file.h"

namespace plk {
namespace {

constexpr std::string_view kMagic{"PLKCE-RECOVERY\x1a\n", 16};
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kFixedSize = 56;
constexpr std::size_t kCrcOffset = 44;
// Far above any character the editor can hold; keeps a damaged length from asking for
// gigabytes.
constexpr std::uint64_t kMaxCopySize = std::uint64_t{1} << 31;

static_assert(std::endian::native == std::endian::little, "the record is stored little-endian");

template <typename T>
T Get(std::span<const std::uint8_t> bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// Slicing by eight: table k advances a byte by k further bytes, so eight bytes are folded
// in one step.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

const CrcTables& CrcTable() {
    static const CrcTables tables = [] {
        CrcTables t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0x82F63B78u ^ (c >> 1) : c >> 1;
            }
            t[0][i] = c;
        }
        for (std::size_t k = 1; k < 8; ++k) {
            for (std::size_t i = 0; i < 256; ++i) {
                t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu];
            }
        }
        return t;
    }();
    return tables;
}

template <typename T>
void PutAt(std::vector<std::uint8_t>& out, std::size_t offset, T value) {
    std::memcpy(out.data() + offset, &value, sizeof(T));
}

// The fixed record and the original path: everything before the project bytes.
std::vector<std::uint8_t> EncodeRecoveryHead(const RecoveryRecord& record, std::uint32_t crc,
                                             std::uint64_t projectSize) {
    std::vector<std::uint8_t> out(kFixedSize + record.originalPath.size());
    std::memcpy(out.data(), kMagic.data(), kMagic.size());
    PutAt(out, 16, kFormatVersion);
    PutAt(out, 20, record.pid);
    PutAt(out, 24, record.processStart);
    PutAt(out, 32, record.savedAtMs);
    PutAt(out, 40, static_cast<std::uint32_t>(record.originalPath.size()));
    PutAt(out, kCrcOffset, crc);
    PutAt(out, 48, projectSize);
    std::memcpy(out.data() + kFixedSize, record.originalPath.data(), record.originalPath.size());
    return out;
}

bool IsCopyName(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    return !name.empty() && name[0] != '.' && file.extension() == kRecoveryExtension;
}

}  // namespace

namespace {

std::uint32_t Crc32cTables(std::uint32_t crc, const std::uint8_t* p, std::size_t left) {
    const CrcTables& t = CrcTable();
    while (left >= 8) {
        std::uint32_t low;
        std::uint32_t high;
        std::memcpy(&low, p, 4);
        std::memcpy(&high, p + 4, 4);
        low ^= crc;
        crc = t[7][low & 0xFFu] ^ t[6][(low >> 8) & 0xFFu] ^ t[5][(low >> 16) & 0xFFu] ^
              t[4][low >> 24] ^ t[3][high & 0xFFu] ^ t[2][(high >> 8) & 0xFFu] ^
              t[1][(high >> 16) & 0xFFu] ^ t[0][high >> 24];
        p += 8;
        left -= 8;
    }
    for (; left > 0; --left, ++p) {
        crc = t[0][(crc ^ *p) & 0xFFu] ^ (crc >> 8);
    }
    return crc;
}

#if defined(__x86_64__) && !defined(PLKCE_NO_SIMD)
// The processor's own CRC-32C instruction (SSE 4.2): several times the tables' speed,
// which keeps the checksum of a large character from dominating the copy's write.
__attribute__((target("sse4.2"))) std::uint32_t Crc32cInstruction(std::uint32_t crc,
                                                                  const std::uint8_t* p,
                                                                  std::size_t left) {
    std::uint64_t wide = crc;
    for (; left >= 8; left -= 8, p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        wide = __builtin_ia32_crc32di(wide, word);
    }
    crc = static_cast<std::uint32_t>(wide);
    for (; left > 0; --left, ++p) {
        crc = __builtin_ia32_crc32qi(crc, *p);
    }
    return crc;
}
#endif

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t previous) {
    const std::uint32_t crc = ~previous;
#if defined(__x86_64__) && !defined(PLKCE_NO_SIMD)
    static const bool hasInstruction = __builtin_cpu_supports("sse4.2");
    if (hasInstruction) {
        return ~Crc32cInstruction(crc, bytes.data(), bytes.size());
    }
#endif
    return ~Crc32cTables(crc, bytes.data(), bytes.size());
}

std::filesystem::path RecoveryFolder() {
    std::filesystem::path base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && state[0] == '/') {
        base = state;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        base = std::filesystem::path(home) / ".local" / "state";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return base / "plkce" / "recovery";
}

std::filesystem::path DamagedRecoveryFolder(const std::filesystem::path& folder) {
    return folder / "damaged";
}

std::uint64_t ProcessStartTime(std::int32_t pid) {
    if (pid <= 0) {
        return 0;
    }
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return 0;
    }
    // The command name in parentheses may hold spaces and parentheses: the fields that
    // follow start after the last ')'. The start time is field 22; field 3 comes first.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) {
        return 0;
    }
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int index = 3; index <= 22; ++index) {
        if (!(fields >> field)) {
            return 0;
        }
        // A zombie has ended; only its parent has not collected its status yet.
        if (index == 3 && (field == "Z" || field == "X")) {
            return 0;
        }
    }
    return std::strtoull(field.c_str(), nullptr, 10);
}

RecoveryRecord CurrentProcessRecord() {
    RecoveryRecord record;
    record.pid = static_cast<std::int32_t>(::getpid());
    record.processStart = ProcessStartTime(record.pid);
    record.savedAtMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    return record;
}

bool IsWriterAlive(const RecoveryRecord& record) {
    const std::uint64_t start = ProcessStartTime(record.pid);
    return start != 0 && start == record.processStart;
}

std::filesystem::path RecoveryCopyPath(const std::filesystem::path& folder,
                                       const RecoveryRecord& writer) {
    return folder / (std::to_string(writer.pid) + "-" + std::to_string(writer.processStart) +
                     kRecoveryExtension);
}

std::vector<std::uint8_t> EncodeRecoveryCopy(const RecoveryRecord& record,
                                             std::span<const std::uint8_t> projectBytes) {
    std::vector<std::uint8_t> out =
        EncodeRecoveryHead(record, Crc32(projectBytes), projectBytes.size());
    out.insert(out.end(), projectBytes.begin(), projectBytes.end());
    return out;
}

RecoveryCopy DecodeRecoveryCopy(std::span<const std::uint8_t> bytes,
                                const std::filesystem::path& path) {
    auto refuse = [&path](std::string why) {
        return FileError(FileError::Kind::BadFormat, path, std::move(why));
    };
    if (bytes.size() < kFixedSize) {
        throw refuse("the recovery record is cut short");
    }
    if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) {
        throw refuse("not a recovery copy");
    }
    if (Get<std::uint32_t>(bytes, 16) != kFormatVersion) {
        throw refuse("a recovery copy of an unknown version");
    }
    RecoveryCopy copy;
    copy.record.pid = Get<std::int32_t>(bytes, 20);
    copy.record.processStart = Get<std::uint64_t>(bytes, 24);
    copy.record.savedAtMs = Get<std::int64_t>(bytes, 32);
    const std::uint32_t pathLength = Get<std::uint32_t>(bytes, 40);
    const std::uint32_t crc = Get<std::uint32_t>(bytes, kCrcOffset);
    const std::uint64_t projectLength = Get<std::uint64_t>(bytes, 48);
    if (pathLength > kMaxRecoveryPath) {
        throw refuse("the original path is too long");
    }
    const std::uint64_t rest = bytes.size() - kFixedSize;
    if (projectLength > rest || pathLength != rest - projectLength) {
        throw refuse(projectLength + pathLength > rest ? "the copy is cut short"
                                                       : "the copy has bytes after its end");
    }
    const auto pathBytes = bytes.subspan(kFixedSize, pathLength);
    copy.record.originalPath.assign(pathBytes.begin(), pathBytes.end());
    if (copy.record.originalPath.find('\0') != std::string::npos) {
        throw refuse("the original path holds a zero byte");
    }
    const auto projectBytes = bytes.subspan(kFixedSize + pathLength);
    if (Crc32(projectBytes) != crc) {
        throw refuse("the project bytes are damaged (checksum mismatch)");
    }
    // The bytes must open as a project, exactly as the file would.
    ParseProject(projectBytes, path);
    copy.projectBytes.assign(projectBytes.begin(), projectBytes.end());
    return copy;
}

RecoveryCopy ReadRecoveryCopy(const std::filesystem::path& path) {
    return DecodeRecoveryCopy(ReadWholeFile(path, kMaxCopySize), path);
}

namespace {

void WriteRecoveryBlocks(const std::filesystem::path& path, const RecoveryRecord& record,
                         std::span<const std::span<const std::uint8_t>> blocks) {
    std::uint64_t size = 0;
    for (const auto& block : blocks) {
        size += block.size();
    }
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    // The copies hold the author's work: only the author may read them.
    ::chmod(path.parent_path().c_str(), 0700);
    AtomicFileWriter writer(path);
    // The checksum is filled in last: the disk writes the blocks while they are summed.
    // Nobody sees the copy before Commit() renames it into place.
    writer.Write(EncodeRecoveryHead(record, 0, size));
    for (const auto& block : blocks) {
        writer.Write(block);
    }
    writer.StartWriteback();
    std::uint32_t crc = 0;
    for (const auto& block : blocks) {
        crc = Crc32(block, crc);
    }
    writer.WriteAt(kCrcOffset, std::span(reinterpret_cast<const std::uint8_t*>(&crc), sizeof crc));
    writer.Commit();
}

}  // namespace

void WriteRecoveryCopy(const std::filesystem::path& path, const RecoveryRecord& record,
                       std::span<const std::uint8_t> projectBytes) {
    const std::span<const std::uint8_t> blocks[] = {projectBytes};
    WriteRecoveryBlocks(path, record, blocks);
}

void WriteRecoveryCopy(const std::filesystem::path& path, const RecoveryRecord& record,
                       const Project& project) {
    // Straight from the records: the project file is never built in memory.
    const ProjectFileBlocks file(project);
    WriteRecoveryBlocks(path, record, file.Blocks());
}

std::vector<RecoveryEntry> ListRecoveryCopies(const std::filesystem::path& folder) {
    std::vector<RecoveryEntry> entries;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        return entries;
    }
    for (const auto& item : it) {
        if (!IsCopyName(item.path()) || !item.is_regular_file(error)) {
            continue;
        }
        RecoveryEntry entry;
        entry.file = item.path();
        try {
            entry.record = ReadRecoveryCopy(item.path()).record;
            entry.writerAlive = IsWriterAlive(*entry.record);
        } catch (const FileError& failure) {
            entry.error = failure.detail().empty() ? failure.what() : failure.detail();
        } catch (const std::exception& failure) {
            entry.error = failure.what();
        }
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), [](const RecoveryEntry& a, const RecoveryEntry& b) {
        if (a.record.has_value() != b.record.has_value()) {
            return a.record.has_value();
        }
        if (a.record && a.record->savedAtMs != b.record->savedAtMs) {
            return a.record->savedAtMs > b.record->savedAtMs;
        }
        return a.file < b.file;
    });
    return entries;
}

int RemoveAbandonedWrites(const std::filesystem::path& folder) {
    int removed = 0;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        return 0;
    }
    for (const auto& item : it) {
        // ".<pid>-<start>.plkrec.XXXXXX", as the atomic writer names its temporary file.
        const std::string name = item.path().filename().string();
        const std::size_t extension = name.find(std::string(kRecoveryExtension) + ".");
        const std::size_t dash = name.find('-');
        if (name.size() < 2 || name[0] != '.' || extension == std::string::npos ||
            dash == std::string::npos || dash > extension) {
            continue;
        }
        RecoveryRecord writer;
        writer.pid = static_cast<std::int32_t>(std::strtol(name.c_str() + 1, nullptr, 10));
        writer.processStart = std::strtoull(name.c_str() + dash + 1, nullptr, 10);
        if (writer.pid > 0 && !IsWriterAlive(writer) && ::unlink(item.path().c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

std::filesystem::path SetRecoveryCopyAside(const std::filesystem::path& file) {
    const std::filesystem::path aside = DamagedRecoveryFolder(file.parent_path());
    std::error_code error;
    std::filesystem::create_directories(aside, error);
    std::filesystem::path target = aside / file.filename();
    for (int n = 1; std::filesystem::exists(target, error); ++n) {
        target = aside / (file.stem().string() + "-" + std::to_string(n) + kRecoveryExtension);
    }
    if (::rename(file.c_str(), target.c_str()) != 0) {
        throw FileError::FromErrno(errno, file);
    }
    return target;
}

void RemoveRecoveryCopy(const std::filesystem::path& file) {
    if (::unlink(file.c_str()) != 0 && errno != ENOENT) {
        throw FileError::FromErrno(errno, file);
    }
}

}  // namespace plk
