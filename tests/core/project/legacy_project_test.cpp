#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "core/project/project_file.h"
#include "core/project/project_file_fixture.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

using testing_support::ProjectImage;

// A legacy frame whose every byte is distinct from its neighbours, so that any misplaced
// copy shows.
std::vector<std::uint8_t> PatternedLegacyFrame(std::uint8_t seed) {
    std::vector<std::uint8_t> frame(kLegacyFrameSize);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(seed + i * 7 + 1);
    }
    return frame;
}

struct LegacyFile {
    std::vector<std::uint8_t> bytes;
    std::vector<std::vector<std::uint8_t>> frames;
};

LegacyFile MakeLegacyFile() {
    LegacyFile file;
    LegacyProfileRecord profile{};
    SetFieldText(profile.characterName, ToSjis("ゆきの"));
    SetFieldText(profile.romanName, "Yukino");
    profile.specialYaku[0] = 5;
    profile.specialYaku[1] = 112;
    profile.specialYaku[2] = 5;
    profile.profileCut = 1;
    profile.menuIconCut = 2;
    profile.messageWindowCut = 1;

    std::vector<SituationMessages> messages(kLegacySituationCount);
    for (int i = 0; i < kLegacySituationCount; ++i) {
        SituationMessages& s = messages[static_cast<std::size_t>(i)];
        s.windowCut = 1;
        s.lineCut[3] = 1;
        SetFieldText(s.line[0].text, "line " + std::to_string(i));
        s.line[0].frequency = 3;
        s.line[1].frequency = 1;  // empty text
    }

    ProjectImage image;
    image.Header(kProjectMagic1000, 2).Zeros(sizeof(ResourceTable)).Record(profile);
    image.Raw(messages.data(), messages.size() * sizeof(SituationMessages));
    for (int cut = 0; cut < 2; ++cut) {
        image.Int(cut + 1).Int(6 + cut);
        for (int f = 0; f <= cut; ++f) {
            file.frames.push_back(
                PatternedLegacyFrame(static_cast<std::uint8_t>(file.frames.size())));
            image.Raw(file.frames.back().data(), kLegacyFrameSize);
        }
    }
    CutNameTable names = DefaultCutNames();
    names.SetName(0, "intro");
    image.Record(names);
    file.bytes = image.Bytes();
    return file;
}

TEST(LegacyProjectTest, FramesWidenByTheConversionTable) {
    LegacyFile file = MakeLegacyFile();
    OpenedProject opened = ParseProject(file.bytes, "old.cre");
    EXPECT_EQ(opened.version, ProjectVersion::V1000);
    const auto& cuts = opened.project.cuts;
    ASSERT_EQ(cuts.size(), 2u);
    EXPECT_EQ(cuts[0].FrameCount(), 1);
    EXPECT_EQ(cuts[1].FrameCount(), 2);
    EXPECT_EQ(cuts[1].ColumnCount(), 7);
    EXPECT_EQ(opened.project.cutNames.Name(0), "intro");

    struct Range {
        std::size_t from, to, length;  // to == SIZE_MAX: dropped
    };
    const Range kTable[] = {{0, 0, 4}, {4, 4, 384}, {420, 900, 276}};
    const FrameRecord& frame = cuts[1].Frame(1);
    const auto* out = reinterpret_cast<const std::uint8_t*>(&frame);
    const std::vector<std::uint8_t>& in = file.frames[2];
    for (const Range& r : kTable) {
        EXPECT_EQ(std::memcmp(out + r.to, in.data() + r.from, r.length), 0)
            << "bytes " << r.from << ".." << r.from + r.length - 1;
    }
    // Bytes 388..899 (old slot 12 dropped, slots 12..27 new) are zero.
    EXPECT_TRUE(std::all_of(out + 388, out + 900, [](std::uint8_t b) { return b == 0; }));
}

TEST(LegacyProjectTest, ProfileTendencyAndMessagesImportOverDefaults) {
    OpenedProject opened = ParseProject(MakeLegacyFile().bytes, "old.cre");
    const Project& project = opened.project;
    const ProfileRecord& p = project.profile.profile;
    EXPECT_EQ(FieldText(p.characterName), ToSjis("ゆきの"));
    EXPECT_EQ(FieldText(p.romanName), "Yukino");
    EXPECT_EQ(FieldText(p.age), "Age:");
    EXPECT_EQ(FieldText(p.nationality), "Nation:");
    EXPECT_EQ(FieldText(p.nickname), "");
    EXPECT_EQ(p.profileCut, 1);
    EXPECT_EQ(p.menuIconCut, 2);
    EXPECT_EQ(p.messageWindowCut, 1);

    TendencyRecord expected = LegacyTendency(5, 112, 5);
    EXPECT_EQ(std::memcmp(&project.profile.tendency, &expected, sizeof expected), 0);
    EXPECT_EQ(project.profile.tendency.favourite1, 14);
    EXPECT_EQ(project.profile.tendency.weight5, 2);

    const auto& s = project.messages.situations;
    EXPECT_EQ(FieldText(s[29].line[0].text), "line 29");
    EXPECT_EQ(s[29].windowCut, 1);
    EXPECT_EQ(s[29].line[1].frequency, 1);  // only situation 0 is shown after opening
    EXPECT_EQ(s[0].line[1].frequency, 0);
    // Situations 30..40 keep the new-project defaults.
    EXPECT_EQ(FieldText(s[30].line[0].text), SituationLabels()[30]);
    EXPECT_EQ(s[40].windowCut, 0);
    EXPECT_EQ(s[40].line[0].frequency, 2);
}

TEST(LegacyProjectTest, SavingWritesTheCurrentVersion) {
    OpenedProject opened = ParseProject(MakeLegacyFile().bytes, "old.cre");
    std::vector<std::uint8_t> saved = SerializeProject(opened.project);
    EXPECT_EQ(saved.size(), 228736u + 2 * 8 + 3 * sizeof(FrameRecord));
    OpenedProject again = ParseProject(saved, "new.cre");
    EXPECT_EQ(again.version, ProjectVersion::V2000);
    EXPECT_EQ(SerializeProject(again.project), saved);
}

}  // namespace
}  // namespace plk
