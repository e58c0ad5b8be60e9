#include <ctime>
#include <string>

#include "cli/command.h"
#include "core/io/file_io.h"
#include "core/project/recovery_copy.h"

namespace plk::cli {
namespace {

std::string UtcTime(std::int64_t ms) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &parts);
    return text;
}

void PrintList(std::ostream& out) {
    const std::filesystem::path folder = RecoveryFolder();
    const std::vector<RecoveryEntry> entries = ListRecoveryCopies(folder);
    if (entries.empty()) {
        out << "no recovery copies in " << folder.string() << "\n";
        return;
    }
    for (const RecoveryEntry& entry : entries) {
        out << entry.file.string() << "\n";
        if (!entry.record) {
            out << "  damaged: " << entry.error << "\n";
            continue;
        }
        const RecoveryRecord& record = *entry.record;
        out << "  project: "
            << (record.originalPath.empty() ? std::string("(never saved)") : record.originalPath)
            << "\n";
        out << "  saved:   " << UtcTime(record.savedAtMs) << "\n";
        out << "  editor:  process " << record.pid << ", "
            << (entry.writerAlive ? "still running" : "ended") << "\n";
    }
}

}  // namespace

int RunRecover(CommandArgs args, std::ostream& out) {
    if (args.size() == 1 && args[0] == "--list") {
        PrintList(out);
        return kExitOk;
    }
    RequireArgs(args, 2);
    if (args[0].starts_with("--") || args[1].starts_with("--")) {
        throw UsageError("expected --list, or COPY OUT.cre");
    }
    // Checked whole before anything is written: a damaged copy writes nothing.
    const RecoveryCopy copy = ReadRecoveryCopy(args[0]);
    WriteWholeFile(args[1], copy.projectBytes);
    out << "wrote " << args[1] << " ("
        << (copy.record.originalPath.empty() ? std::string("a project never saved")
                                             : "saved from " + copy.record.originalPath)
        << ", " << UtcTime(copy.record.savedAtMs) << ")\n";
    return kExitOk;
}

}  // namespace plk::cli
