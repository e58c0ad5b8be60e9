#include <gtest/gtest.h>

#include <cstring>

#include "core/check/check_rules.h"
#include "support/character_fixture.h"

namespace plk {
namespace {

using namespace testing_support;

// A character with an image in slot 1 shown by cut 1 row 2, and a sound in slot 2 that
// cut 1 row 3 plays.
Project WithTwoResources() {
    Project project = CleanProject();
    FillSlot(project, 1, "face.png", "/pics/face.png");
    FillSlot(project, 2, "voice.wav", "/sounds/voice.wav");
    project.cuts[0].Frame(1).cells[1].resource = 1;
    project.cuts[0].Frame(2).cells[3].resource = 2;
    return project;
}

std::vector<std::pair<std::string, Place>> RunRule(void (*rule)(const CheckContext&, Findings&),
                                                   const Project& project,
                                                   const ResourceFileReports* files = nullptr) {
    Findings findings;
    rule(CheckContext{project, files}, findings);
    return CodesAndPlaces(findings);
}

using Expected = std::vector<std::pair<std::string, Place>>;

TEST(ResourceRules, MissingAndUnreadableFilesNameTheirUses) {
    const Project project = WithTwoResources();
    ResourceFileReports files{};
    files[1].state = ResourceFileState::Missing;
    files[2].state = ResourceFileState::Unreadable;
    Findings findings;
    CheckMissingFiles(CheckContext{project, &files}, findings);
    EXPECT_EQ(CodesAndPlaces(findings), (Expected{{"resource.missing-file", Place::Slot(1)},
                                                  {"resource.unreadable-file", Place::Slot(2)}}));
    EXPECT_NE(findings[0].english.find("cut 1 row 2"), std::string::npos);
    EXPECT_EQ(findings[0].severity, Severity::Error);

    // Each row once however many of its cells use the slot, the first three listed; the
    // copy buffer and control frames do not count.
    Project many = WithTwoResources();
    many.cuts[0].Frame(1).cells[4].resource = 1;
    many.cuts[0].Frame(4).cells[kPartCopySlot].resource = 1;
    many.cuts[0].Frame(5) = Message();
    many.cuts[0].Frame(5).cells[1].resource = 1;
    for (int row : {0, 7, 8}) {
        many.cuts[1].Frame(row).cells[2].resource = 1;
    }
    findings.clear();
    CheckMissingFiles(CheckContext{many, &files}, findings);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].english,
              "The file of slot 1 (face.png) cannot be found; export fails and the game never "
              "gets it. Used at cut 1 row 2, cut 2 row 1, cut 2 row 8 and 1 more row. Put the "
              "file back or load it again.");
    // Without the files read, nothing is said about them.
    EXPECT_TRUE(RunRule(CheckMissingFiles, project).empty());
}

TEST(ResourceRules, ContentThatIsNotWhatTheKindSays) {
    const Project project = WithTwoResources();
    struct Case {
        const char* name;
        int slot;
        const char* code;
    };
    for (const Case& c :
         {Case{"image", 1, "resource.not-png"}, Case{"sound", 2, "resource.not-wave"}}) {
        ResourceFileReports files{};
        files[1].state = files[2].state = ResourceFileState::Read;
        files[static_cast<std::size_t>(c.slot)].contentMatchesKind = false;
        EXPECT_EQ(RunRule(CheckFileContent, project, &files),
                  (Expected{{c.code, Place::Slot(c.slot)}}))
            << c.name;
    }
}

TEST(ResourceRules, NamesAndPathsTheGameCannotStore) {
    struct Case {
        const char* name;
        void (*set)(Project&);
        Expected expected;
    };
    const Case cases[] = {
        {"clean", [](Project&) {}, {}},
        {"name fills its field",
         [](Project& p) {
             std::memset(p.palette.slot[1].name, 'a', sizeof p.palette.slot[1].name);
         },
         {{"resource.name-too-long", Place::Slot(1)},
          {"resource.extension-mismatch", Place::Slot(1)}}},
        {"path fills its field",
         [](Project& p) {
             std::memset(p.palette.slot[2].path, 'a', sizeof p.palette.slot[2].path);
         },
         {{"resource.path-too-long", Place::Slot(2)}}},
        {"no path",
         [](Project& p) { p.palette.slot[2].path[0] = '\0'; },
         {{"resource.no-path", Place::Slot(2)}}},
        {"no kind",
         [](Project& p) { p.palette.slot[1].kind = 0; },
         {{"resource.bad-kind", Place::Slot(1)}}},
        {"picture kept as a sound",
         [](Project& p) { p.palette.slot[1].kind = 2; },
         {{"resource.extension-mismatch", Place::Slot(1)}}},
        {"UTF-8 name",
         [](Project& p) { SetFieldText(p.palette.slot[1].name, "\xE9\xA1\x94.png"); },
         {{"resource.name-not-sjis", Place::Slot(1)}}},
        {"folder in the name",
         [](Project& p) { SetFieldText(p.palette.slot[1].name, "a\\b.png"); },
         {{"resource.name-has-folder", Place::Slot(1)}}},
        {"0x5C as a trail byte is no folder",
         [](Project& p) { SetFieldText(p.palette.slot[1].name, ToSjis("表.png")); },
         {}},
        {"kind without a name",
         [](Project& p) { p.palette.slot[1].name[0] = '\0'; },
         {{"resource.no-name", Place::Slot(1)}}},
        {"same name twice",
         [](Project& p) { FillSlot(p, 9, "face.png", "/other/face.png"); },
         {{"resource.duplicate-name", Place::Slot(9)}}},
    };
    for (const Case& c : cases) {
        Project project = WithTwoResources();
        c.set(project);
        EXPECT_EQ(RunRule(CheckSlotNames, project), c.expected) << c.name;
    }
}

TEST(ResourceRules, CellsNamingEmptyOrNonexistentSlots) {
    struct Case {
        const char* name;
        int slot;
        const char* code;  // nullptr: none
    };
    const Case cases[] = {
        {"empty slot", 7, "cell.empty-slot"},
        {"no such slot", 300, "cell.bad-slot"},
        {"negative", -1, "cell.bad-slot"},
        {"a sound slot plays its sound", 2, nullptr},
        {"an image", 1, nullptr},
    };
    for (const Case& c : cases) {
        Project project = WithTwoResources();
        project.cuts[2].Frame(9).cells[5].resource = c.slot;
        const Expected expected =
            c.code == nullptr ? Expected{} : Expected{{c.code, Place::Row(2, 9)}};
        EXPECT_EQ(RunRule(CheckCellsNamingEmptySlots, project), expected) << c.name;
    }
    // A control frame's cells and the copy buffer are not drawn.
    Project project = WithTwoResources();
    project.cuts[0].Frame(5) = Message();
    project.cuts[0].Frame(5).cells[1].resource = 7;
    project.cuts[0].Frame(6).cells[kPartCopySlot].resource = 7;
    EXPECT_TRUE(RunRule(CheckCellsNamingEmptySlots, project).empty());
    // One finding per row, for its first wrong cell.
    project.cuts[1].Frame(0).cells[2].resource = 300;
    project.cuts[1].Frame(0).cells[4].resource = 7;
    EXPECT_EQ(RunRule(CheckCellsNamingEmptySlots, project),
              (Expected{{"cell.bad-slot", Place::Row(1, 0)}}));
}

TEST(ResourceRules, SlotsNoCellUsesAreInformation) {
    Project project = WithTwoResources();
    FillSlot(project, 30, "spare.png", "/pics/spare.png");
    project.cuts[0].Frame(4).cells[kPartCopySlot].resource = 30;  // held, never drawn
    Findings findings;
    CheckUnusedSlots(CheckContext{project}, findings);
    ASSERT_EQ(CodesAndPlaces(findings), (Expected{{"resource.unused", Place::Slot(30)}}));
    EXPECT_EQ(findings[0].severity, Severity::Info);
}

}  // namespace
}  // namespace plk
