#include "core/io/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <memory>
#include <string>

#include "core/project/project_file.h"
#include "support/temp_folder.h"

namespace plk {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<std::uint8_t> kNew = {'n', 'e', 'w', '!'};

template <typename Call>
FileError ErrorOf(Call&& call) {
    try {
        call();
    } catch (const FileError& error) {
        return error;
    }
    ADD_FAILURE() << "no FileError";
    return FileError(FileError::Kind::Generic, "");
}

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Only regular files are read; a named pipe without a writer must not block the open.
TEST(FileIoTest, ReadingRefusesWhatIsNotARegularFileWithoutBlocking) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    fs::create_directory(folder / "dir");
    const struct {
        fs::path path;
        std::string what;
    } cases[] = {
        {folder / "pipe", "named pipe"}, {folder / "dir", "folder"}, {"/dev/null", "device"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.string());
        FileError error = ErrorOf([&] { ReadWholeFile(c.path); });
        EXPECT_EQ(error.kind(), FileError::Kind::NotRegular);
        EXPECT_NE(std::string(error.what()).find(c.path.string()), std::string::npos);
        EXPECT_NE(std::string(error.what()).find(c.what), std::string::npos) << error.what();
        EXPECT_EQ(ErrorOf([&] { ReadProjectFile(c.path); }).kind(), FileError::Kind::NotRegular);
    }
}

TEST(FileIoTest, SizeLimitIsCheckedBeforeReading) {
    TempFolder folder;
    const fs::path big = folder / "big";
    WriteBytes(big, kOld);
    fs::resize_file(big, 6ull << 30);  // sparse: takes no disk space
    FileError error = ErrorOf([&] { ReadWholeFile(big, 0xFFFFFFFFu); });
    EXPECT_EQ(error.kind(), FileError::Kind::BadFormat);
}

// Reads land in buffers that are not zero-filled first, and large ones in blocks of their
// own: whatever the size and offset, the bytes are the file's and the size is what it held.
TEST(FileIoTest, ReadsGiveTheFilesBytesAtAnySize) {
    TempFolder folder;
    const fs::path file = folder / "bytes";
    std::vector<std::uint8_t> content((2u << 20) + 5);
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    WriteBytes(file, content);
    const InputFile input(file);
    struct Case {
        std::uint64_t offset;
        std::size_t size;
    };
    for (const Case c :
         {Case{0, 0}, Case{0, 1}, Case{5, 4096}, Case{0, content.size()}, Case{3, content.size()},
          Case{content.size() - 2, 100}, Case{content.size() + 10, 8}}) {
        SCOPED_TRACE(testing::Message() << c.offset << " + " << c.size);
        const ByteBuffer bytes = input.Read(c.offset, c.size);
        const std::size_t from = std::min<std::size_t>(c.offset, content.size());
        const std::size_t to = std::min(from + c.size, content.size());
        EXPECT_TRUE(
            std::equal(bytes.begin(), bytes.end(), content.begin() + from, content.begin() + to) &&
            bytes.size() == to - from);
    }
    EXPECT_EQ(ReadWholeFile(file), content);
}

// A project is read only as far as its header and counts reach; a huge tail never loads.
TEST(FileIoTest, ProjectTailIsNeverLoaded) {
    TempFolder folder;
    const fs::path file = folder / "tail.cre";
    auto project = std::make_unique<Project>(NewProject());
    WriteProjectFile(file, *project);
    const auto size = fs::file_size(file);
    fs::resize_file(file, size + (1ull << 30));
    struct rusage before {};
    ::getrusage(RUSAGE_SELF, &before);
    OpenedProject opened = ReadProjectFile(file);
    struct rusage after {};
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(SerializeProject(opened.project).size(), size);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 256 * 1024) << "kilobytes";
}

TEST(FileIoTest, SavingThroughASymlinkReplacesItsTargetAndKeepsTheLink) {
    TempFolder folder;
    fs::create_directory(folder / "real");
    WriteBytes(folder / "real" / "file.cre", kOld);
    fs::create_symlink("real/file.cre", folder / "link.cre");                  // relative
    fs::create_symlink(folder / "real" / "new.cre", folder / "dangling.cre");  // not yet there

    WriteWholeFile(folder / "link.cre", kNew);
    WriteWholeFile(folder / "dangling.cre", kNew);

    EXPECT_TRUE(fs::is_symlink(folder / "link.cre"));
    EXPECT_EQ(ReadBytes(folder / "real" / "file.cre"), kNew);
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.cre"));
    EXPECT_EQ(ReadBytes(folder / "real" / "new.cre"), kNew);
    EXPECT_EQ(folder.Entries().size(), 3u);  // no temporary left anywhere
}

TEST(FileIoTest, SavingKeepsTheOldFilesMode) {
    TempFolder folder;
    for (mode_t mode : {0600, 0444, 0640}) {
        SCOPED_TRACE(mode);
        const fs::path file = folder / ("m" + std::to_string(mode));
        WriteBytes(file, kOld);
        ::chmod(file.c_str(), mode);
        WriteWholeFile(file, kNew);
        EXPECT_EQ(ModeOf(file), mode);
        EXPECT_EQ(ReadBytes(file), kNew);
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    WriteWholeFile(folder / "fresh", kNew);
    EXPECT_EQ(ModeOf(folder / "fresh"), 0666 & ~mask);
}

TEST(FileIoTest, UnusableTargetsAreRefusedInWords) {
    TempFolder folder;
    fs::create_directory(folder / "dir");
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    WriteBytes(folder / "file", kOld);
    const struct {
        fs::path target;
        FileError::Kind kind;
        std::string says;
    } cases[] = {
        {"", FileError::Kind::BadPath, "No file name was given."},
        {folder / "nodir" / "x.cre", FileError::Kind::BadPath, "nodir does not exist"},
        {folder / "file" / "x.cre", FileError::Kind::BadPath, "is not a folder"},
        {folder / "dir", FileError::Kind::NotRegular, "it is a folder"},
        {"/", FileError::Kind::NotRegular, "it is a folder"},
        {folder / "pipe", FileError::Kind::NotRegular, "named pipe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.string());
        FileError error = ErrorOf([&] { WriteWholeFile(c.target, kNew); });
        EXPECT_EQ(error.kind(), c.kind);
        EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos) << error.what();
    }
    EXPECT_EQ(folder.Entries().size(), 3u);
}

// A terminating signal removes the temporary file of a save in progress.
TEST(FileIoTest, TerminationRemovesTheTemporaryFile) {
    TempFolder folder;
    WriteBytes(folder / "target", kOld);
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            InstallTemporaryFileCleanup();
            AtomicFileWriter writer(folder / "target");
            writer.Write(kNew);
            ::raise(signal);
            ::_exit(0);  // not reached
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"target"});
        EXPECT_EQ(ReadBytes(folder / "target"), kOld);
    }
}

}  // namespace
}  // namespace plk
