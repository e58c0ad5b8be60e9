#include "core/project/recovery_copy.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "core/project/project_file.h"
#include "core/project/recovery_writer.h"
#include "support/temp_folder.h"

namespace plk {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

Project ProjectNamed(std::string_view firstCutName, int extraFrames = 0) {
    Project project = NewProject();
    project.cutNames.SetName(0, firstCutName);
    for (int i = 0; i < extraFrames; ++i) {
        project.cuts[1].Append(project.cuts[1].Frame(0));
    }
    return project;
}

RecoveryRecord RecordFor(std::string path, std::int64_t savedAtMs) {
    RecoveryRecord record = CurrentProcessRecord();
    record.originalPath = std::move(path);
    record.savedAtMs = savedAtMs;
    return record;
}

// A pid that belonged to a process which has ended (and was reaped).
std::int32_t EndedProcessId() {
    pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return static_cast<std::int32_t>(child);
}

TEST(RecoveryCopyTest, RoundTripKeepsTheRecordAndTheSaveBytes) {
    TempFolder folder;
    const Project project = ProjectNamed("walk", 40);
    const std::vector<std::uint8_t> saveBytes = SerializeProject(project);
    const RecoveryRecord record = RecordFor("/home/a/キャラ.cre", 1'765'000'000'123);
    const auto file = RecoveryCopyPath(folder.Path(), record);
    WriteRecoveryCopy(file, record, saveBytes);

    const RecoveryCopy copy = ReadRecoveryCopy(file);
    EXPECT_EQ(copy.projectBytes, saveBytes);
    EXPECT_EQ(copy.record.originalPath, record.originalPath);
    EXPECT_EQ(copy.record.savedAtMs, record.savedAtMs);
    EXPECT_EQ(copy.record.pid, ::getpid());
    EXPECT_TRUE(IsWriterAlive(copy.record));
    EXPECT_EQ(ReadBytes(file), EncodeRecoveryCopy(record, saveBytes));
}

// Every kind of damage is refused as a bad format, before anything of the project is built.
TEST(RecoveryCopyTest, DamagedCopiesAreRefusedWithTheReason) {
    const std::vector<std::uint8_t> saveBytes = SerializeProject(ProjectNamed("x"));
    const std::vector<std::uint8_t> good = EncodeRecoveryCopy(RecordFor("/p.cre", 5), saveBytes);
    auto cut = [&](std::size_t size) {
        return std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(size));
    };
    auto flipped = [&](std::size_t at) {
        std::vector<std::uint8_t> bytes = good;
        bytes[at] ^= 0x40;
        return bytes;
    };
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    // Project bytes with a matching checksum that are not a project.
    const std::vector<std::uint8_t> junk(600, 0x5A);
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* says;
    };
    const Case cases[] = {
        {"empty", {}, "cut short"},
        {"inside the record", cut(30), "cut short"},
        {"inside the path", cut(58), "cut short"},
        {"inside the project", cut(good.size() - 1), "cut short"},
        {"trailing byte", longer, "after its end"},
        {"magic", flipped(0), "not a recovery copy"},
        {"a project byte", flipped(good.size() - 300), "checksum"},
        {"not a project", EncodeRecoveryCopy(RecordFor("/p.cre", 5), junk), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            DecodeRecoveryCopy(c.bytes, "/r/1-2.plkrec");
            ADD_FAILURE() << "accepted";
        } catch (const FileError& error) {
            EXPECT_EQ(error.kind(), FileError::Kind::BadFormat);
            EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos) << error.what();
        }
    }
}

TEST(RecoveryCopyTest, ListingTellsLiveFromEndedAndDamagedAndSkipsTemporaries) {
    TempFolder folder;
    const auto bytes = SerializeProject(ProjectNamed("a"));
    const RecoveryRecord mine = RecordFor("/mine.cre", 3000);
    WriteRecoveryCopy(RecoveryCopyPath(folder.Path(), mine), mine, bytes);
    RecoveryRecord ended = RecordFor("/ended.cre", 4000);
    ended.pid = EndedProcessId();
    WriteRecoveryCopy(RecoveryCopyPath(folder.Path(), ended), ended, bytes);
    // This process's id with another start time: a process that had the id before us.
    RecoveryRecord reused = RecordFor("/reused.cre", 2000);
    reused.processStart += 1;
    WriteRecoveryCopy(RecoveryCopyPath(folder.Path(), reused), reused, bytes);
    WriteBytes(folder / "9-9.plkrec", std::vector<std::uint8_t>(20, 1));
    WriteBytes(folder / ".1-1.plkrec.Ab12Cd", bytes);  // a write in progress
    WriteBytes(folder / "notes.txt", bytes);

    const std::vector<RecoveryEntry> entries = ListRecoveryCopies(folder.Path());
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].record->originalPath, "/ended.cre");
    EXPECT_FALSE(entries[0].writerAlive);
    EXPECT_EQ(entries[1].record->originalPath, "/mine.cre");
    EXPECT_TRUE(entries[1].writerAlive);
    EXPECT_EQ(entries[2].record->originalPath, "/reused.cre");
    EXPECT_FALSE(entries[2].writerAlive);
    EXPECT_FALSE(entries[3].record.has_value());
    EXPECT_NE(entries[3].error.find("cut short"), std::string::npos);

    const auto aside = SetRecoveryCopyAside(entries[3].file);
    EXPECT_EQ(aside, DamagedRecoveryFolder(folder.Path()) / "9-9.plkrec");
    EXPECT_EQ(ReadBytes(aside).size(), 20u);
    EXPECT_EQ(ListRecoveryCopies(folder.Path()).size(), 3u);
    EXPECT_TRUE(ListRecoveryCopies(folder / "missing").empty());
}

// An editor killed while its parent does not collect it stays a zombie: it has ended.
TEST(RecoveryCopyTest, ZombieWriterHasEnded) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    RecoveryRecord record;
    record.pid = child;
    for (int i = 0; i < 200 && record.processStart == 0; ++i) {
        record.processStart = ProcessStartTime(child);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(IsWriterAlive(record));
    ::kill(child, SIGKILL);
    bool ended = false;
    for (int i = 0; i < 200 && !ended; ++i) {
        ended = !IsWriterAlive(record);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(ended);
    ::waitpid(child, nullptr, 0);
}

TEST(RecoveryCopyTest, ChecksumMatchesTheCrc32cCheckValueInPieces) {
    const std::string text = "123456789";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    EXPECT_EQ(Crc32({bytes, 9}), 0xE3069283u);
    for (std::size_t cut = 0; cut <= 9; ++cut) {
        EXPECT_EQ(Crc32({bytes + cut, 9 - cut}, Crc32({bytes, cut})), 0xE3069283u) << cut;
    }
}

TEST(RecoveryCopyTest, FolderFollowsXdgStateHome) {
    const char* saved = std::getenv("XDG_STATE_HOME");
    const std::string before = saved ? saved : "";
    ::setenv("XDG_STATE_HOME", "/st", 1);
    EXPECT_EQ(RecoveryFolder(), std::filesystem::path("/st/plkce/recovery"));
    ::setenv("XDG_STATE_HOME", "relative", 1);
    ::setenv("HOME", std::getenv("HOME") ? std::getenv("HOME") : "/h", 1);
    EXPECT_EQ(RecoveryFolder(),
              std::filesystem::path(std::getenv("HOME")) / ".local/state/plkce/recovery");
    if (saved) {
        ::setenv("XDG_STATE_HOME", before.c_str(), 1);
    } else {
        ::unsetenv("XDG_STATE_HOME");
    }
}

// Copies handed over faster than they are written: the last one wins, and discarding
// leaves nothing, even with a copy waiting.
TEST(RecoveryWriterTest, WritesTheNewestStateInTheBackground) {
    TempFolder folder;
    const auto target = folder / "7-7.plkrec";
    std::vector<std::uint8_t> last;
    {
        RecoveryWriter writer(target);
        std::atomic<int> callbacks{0};
        writer.SetOnWritten([&](const std::string& error) {
            EXPECT_EQ(error, "");
            ++callbacks;
        });
        for (int i = 0; i < 30; ++i) {
            Project project = ProjectNamed("step" + std::to_string(i), i * 50);
            if (i == 29) {
                last = SerializeProject(project);
            }
            writer.Submit(RecordFor("/w.cre", i), std::move(project));
        }
        writer.Flush();
        EXPECT_GE(callbacks.load(), 1);
        EXPECT_EQ(ReadRecoveryCopy(target).projectBytes, last);
        EXPECT_EQ(ReadRecoveryCopy(target).record.savedAtMs, 29);

        writer.Submit(RecordFor("/w.cre", 99), ProjectNamed("late", 2000));
        writer.Discard();
        EXPECT_FALSE(std::filesystem::exists(target));
        writer.Submit(RecordFor("/w.cre", 100), ProjectNamed("again"));
    }
    // Destroying the writer waits for a write in progress: never a half-written file.
    EXPECT_EQ(folder.Entries().size() <= 1u, true);
    for (const auto& name : folder.Entries()) {
        EXPECT_EQ(name, "7-7.plkrec");
        EXPECT_NO_THROW(ReadRecoveryCopy(target));
    }
}

// A process killed while it writes copies leaves the previous copy whole.
TEST(RecoveryCopyTest, KillDuringAWriteKeepsThePreviousCopy) {
    TempFolder folder;
    const auto target = folder / "1-1.plkrec";
    const auto small = SerializeProject(ProjectNamed("small"));
    const auto large = SerializeProject(ProjectNamed("large", 3000));
    WriteRecoveryCopy(target, RecordFor("/k.cre", 1), small);
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                WriteRecoveryCopy(target, RecordFor("/k.cre", i), i % 2 ? small : large);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + round * 7));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const RecoveryCopy copy = ReadRecoveryCopy(target);
        EXPECT_TRUE(copy.projectBytes == small || copy.projectBytes == large);
    }
    EXPECT_EQ(ListRecoveryCopies(folder.Path()).size(), 1u);

    // The temporary files the killed writes left are removed once their writer is gone;
    // a live writer's stays.
    WriteBytes(folder / ".1-1.plkrec.AbCdEf", small);
    const RecoveryRecord live = CurrentProcessRecord();
    const std::string liveTemp =
        "." + RecoveryCopyPath(folder.Path(), live).filename().string() + ".XyZ123";
    WriteBytes(folder / liveTemp, small);
    EXPECT_GE(RemoveAbandonedWrites(folder.Path()), 1);
    auto names = folder.Entries();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{liveTemp, "1-1.plkrec"}));
}

}  // namespace
}  // namespace plk
