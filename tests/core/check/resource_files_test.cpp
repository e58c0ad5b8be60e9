#include <gtest/gtest.h>

#include <cstring>

#include "core/check/check_character.h"
#include "core/check/resource_files.h"
#include "support/character_fixture.h"
#include "support/temp_folder.h"

namespace plk {
namespace {

using namespace testing_support;
using Bytes = std::vector<std::uint8_t>;

Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

void PutWord32(Bytes& bytes, std::uint32_t value, bool bigEndian = false) {
    for (int i = 0; i < 4; ++i) {
        const int shift = bigEndian ? 24 - 8 * i : 8 * i;
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

Bytes PngHead(std::uint32_t width, std::uint32_t height, std::uint8_t depth, std::uint8_t colour) {
    Bytes bytes = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    PutWord32(bytes, 13, true);
    for (char c : std::string_view("IHDR")) {
        bytes.push_back(static_cast<std::uint8_t>(c));
    }
    PutWord32(bytes, width, true);
    PutWord32(bytes, height, true);
    for (std::uint8_t b : {depth, colour, std::uint8_t{0}, std::uint8_t{0}, std::uint8_t{0}}) {
        bytes.push_back(b);
    }
    PutWord32(bytes, 0);  // CRC, not checked
    return bytes;
}

// RIFF/WAVE with an optional chunk before "fmt ", and `dataBytes` of samples.
Bytes Wave(std::uint32_t rate, std::uint32_t dataBytes, std::uint32_t junkBytes = 0) {
    Bytes bytes = Text("RIFF");
    PutWord32(bytes, 0);
    for (std::uint8_t b : Text("WAVE")) {
        bytes.push_back(b);
    }
    if (junkBytes > 0) {
        for (std::uint8_t b : Text("LIST")) {
            bytes.push_back(b);
        }
        PutWord32(bytes, junkBytes);
        bytes.resize(bytes.size() + junkBytes, 0);
    }
    for (std::uint8_t b : Text("fmt ")) {
        bytes.push_back(b);
    }
    PutWord32(bytes, 16);
    for (std::uint8_t b : {1, 0, 1, 0}) {  // PCM, one channel
        bytes.push_back(b);
    }
    PutWord32(bytes, rate);
    PutWord32(bytes, rate * 2);
    for (std::uint8_t b : {2, 0, 16, 0}) {
        bytes.push_back(b);
    }
    for (std::uint8_t b : Text("data")) {
        bytes.push_back(b);
    }
    PutWord32(bytes, dataBytes);
    bytes.resize(bytes.size() + dataBytes, 0);
    return bytes;
}

TEST(ResourceFiles, PngHeader) {
    struct Case {
        const char* name;
        Bytes head;
        bool png;
    };
    Bytes badSignature = PngHead(4, 4, 8, 6);
    badSignature[1] = 'p';
    Bytes cutShort = PngHead(4, 4, 8, 6);
    cutShort.resize(20);
    const Case cases[] = {
        {"rgba", PngHead(640, 480, 8, 6), true},
        {"palette 4-bit", PngHead(1, 1, 4, 3), true},
        {"bad signature", badSignature, false},
        {"zero width", PngHead(0, 4, 8, 6), false},
        {"rgb in 4 bits", PngHead(4, 4, 4, 2), false},
        {"cut short", cutShort, false},
        {"a wave", Wave(22050, 4), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HasPngHeader(c.head), c.png) << c.name;
    }
}

TEST(ResourceFiles, WaveHeaderOnTheFirstBytesAndTheFileSize) {
    struct Case {
        const char* name;
        Bytes file;
        std::size_t headBytes;
        std::optional<bool> wave;
    };
    Bytes voc = Text("Creative Voice File\x1a");
    voc.resize(600, 0x80);
    Bytes truncated = Wave(22050, 1000);
    truncated.resize(200);
    const Case cases[] = {
        {"plain", Wave(22050, 100000), 4096, true},
        {"VOC bytes named .wav", voc, 4096, false},
        {"rate too low", Wave(500, 100), 4096, false},
        {"data past the end", truncated, 4096, false},
        {"long chunk before the format", Wave(22050, 100, 8000), 4096, std::nullopt},
        {"the same, read far enough", Wave(22050, 100, 8000), 9000, true},
        {"empty", {}, 4096, false},
    };
    for (const Case& c : cases) {
        const std::span<const std::uint8_t> head(c.file.data(),
                                                 std::min(c.file.size(), c.headBytes));
        EXPECT_EQ(HasWaveHeader(head, c.file.size()), c.wave) << c.name;
    }
}

TEST(ResourceFiles, ReadsEachNamedSlotAndFindsMovedFilesByName) {
    TempFolder folder;
    WriteBytes(folder / "face.png", PngHead(64, 64, 8, 6));
    WriteBytes(folder / "voice.wav", Wave(22050, 100, 8000));
    WriteBytes(folder / "fake.wav", Text("Creative Voice File\x1a......"));
    WriteBytes(folder / "fake.png", Text("GIF89a........................"));
    WriteBytes(folder / "here.png", PngHead(8, 8, 8, 6));
    std::filesystem::create_directories(folder / "art" / "faces");
    WriteBytes(folder / "art" / "faces" / "deep.png", PngHead(8, 8, 8, 6));
    Project project = CleanProject();
    auto at = [&](const char* name) { return (folder / name).string(); };
    FillSlot(project, 1, "face.png", at("face.png"));
    FillSlot(project, 2, "voice.wav", at("voice.wav"));
    FillSlot(project, 3, "fake.wav", at("fake.wav"));
    FillSlot(project, 4, "fake.png", at("fake.png"));
    FillSlot(project, 5, "gone.png", at("gone.png"));
    FillSlot(project, 6, "here.png", "/moved/away/here.png");
    FillSlot(project, 7, "deep.png", "C:\\old\\art\\faces\\deep.png");

    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const ResourceFileReports files = ReadResourceFiles(project.palette, folder / "c.cre");
    std::filesystem::current_path(before);

    using S = ResourceFileState;
    const std::pair<S, bool> expected[] = {
        {S::NotRead, true}, {S::Read, true}, {S::Read, true}, {S::Read, false},  {S::Read, false},
        {S::Missing, true}, {S::Read, true}, {S::Read, true}, {S::NotRead, true}};
    for (std::size_t s = 0; s < std::size(expected); ++s) {
        EXPECT_EQ(files[s].state, expected[s].first) << "slot " << s;
        EXPECT_EQ(files[s].contentMatchesKind, expected[s].second) << "slot " << s;
    }
}

TEST(CheckCharacter, ACleanCharacterHasNoErrorOrWarning) {
    for (const Finding& finding : CheckCharacter(CleanProject())) {
        ADD_FAILURE() << finding.code << ": " << finding.english;
    }
}

TEST(CheckCharacter, ANewProjectOnlyHasItsPlaceholderLines) {
    const Findings findings = CheckCharacter(NewProject());
    ASSERT_EQ(findings.size(), static_cast<std::size_t>(kSituationCount));
    for (int k = 0; k < kSituationCount; ++k) {
        EXPECT_EQ(findings[static_cast<std::size_t>(k)].code, "message.placeholder");
        EXPECT_EQ(findings[static_cast<std::size_t>(k)].place, Place::Line(k, 0));
    }
}

TEST(CheckCharacter, ErrorsComeFirstThenByPlace) {
    Project project = CleanProject();
    project.cuts[1] = MakeCut({Normals(2), {Ctl(42)}});      // error in cut 2
    project.cuts[0] = MakeCut({Normals(2), {Message("")}});  // warning in cut 1
    FillSlot(project, 9, "unused.png", "/x/unused.png");     // info
    project.messages.situations[3].lineCut[0] = 9;           // error in the messages
    const Findings findings = CheckCharacter(project);
    std::vector<std::string> codes;
    for (const Finding& finding : findings) {
        codes.push_back(finding.code);
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"cut.unknown-command", "message.cut-out-of-range",
                                               "cut.empty-message", "resource.unused"}));
    EXPECT_TRUE(HasErrors(findings));
}

}  // namespace
}  // namespace plk
