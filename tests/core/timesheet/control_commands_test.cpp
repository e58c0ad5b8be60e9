#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/text/sjis.h"
#include "core/timesheet/control_commands.h"

namespace plk {
namespace {

struct EntryCase {
    std::string_view text;
    int code;
    bool message, position, time;
    std::string_view positionLabel;
    std::string_view timeLabel;
};

TEST(ControlCommandsTest, ListsEveryCommandInOrderWithItsEnablingAndLabels) {
    const EntryCase expected[] = {
        {"リピート", 9, false, true, true, "戻るセル番号", "復帰タイプ"},
        {"ウェイト", 10, false, false, true, "ウインドウ表示位置", "時間"},
        {"message", 1, true, true, true, "ウインドウ表示位置", "時間"},
        {"chat", 2, true, true, true, "ウインドウ表示位置", "時間"},
        {"chatclear", 3, false, false, false, "ウインドウ表示位置", "時間"},
        {"chargestart", 4, false, false, true, "ウインドウ表示位置", "時間"},
        {"chargeend", 5, false, false, false, "ウインドウ表示位置", "時間"},
        {"chargestack", 6, false, false, true, "ウインドウ表示位置", "時間"},
        {"showstart", 7, false, true, false, "タイムシート進行", "時間"},
        {"showend", 8, false, false, false, "ウインドウ表示位置", "時間"},
    };
    const auto entries = ControlCommandEntries();
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ControlCommandEntry& entry = entries[i];
        const EntryCase& want = expected[i];
        EXPECT_EQ(entry.text, want.text);
        EXPECT_EQ(static_cast<int>(entry.command), want.code) << want.text;
        EXPECT_EQ(entry.message, want.message) << want.text;
        EXPECT_EQ(entry.position, want.position) << want.text;
        EXPECT_EQ(entry.time, want.time) << want.text;
        EXPECT_EQ(entry.positionLabel, want.positionLabel) << want.text;
        EXPECT_EQ(entry.timeLabel, want.timeLabel) << want.text;
        EXPECT_EQ(FindControlCommandEntry(want.text), &entry);
    }
    // Texts are compared exactly.
    EXPECT_EQ(FindControlCommandEntry("Message"), nullptr);
    EXPECT_EQ(FindControlCommandEntry("REPEAT"), nullptr);
    EXPECT_EQ(FindControlCommandEntry("chat "), nullptr);
    EXPECT_EQ(FindControlCommandEntry(""), nullptr);
}

TEST(ControlCommandsTest, BlockKeepsReservedWordsAndCutsTheMessageAtACharacter) {
    ControlBlock base{};
    base.reserved1 = 11;
    base.reserved2 = -22;
    std::memset(base.message, 'z', sizeof(base.message) - 1);
    // 254 single bytes, then a double-byte character that would end at byte 256.
    const std::string message = std::string(254, 'a') + ToSjis("あい");
    const ControlBlock block = BuildControlBlock(base, ControlCommand::Chat, message, 72000, 3);
    EXPECT_EQ(block.command, 2);
    EXPECT_EQ(block.time, 72000);
    EXPECT_EQ(block.position, 3);
    EXPECT_EQ(block.reserved1, 11);
    EXPECT_EQ(block.reserved2, -22);
    EXPECT_EQ(FieldText(block.message), std::string(254, 'a'));
    EXPECT_EQ(block.message[254], 0);
    EXPECT_EQ(block.message[255], 0);

    const ControlBlock shortText = BuildControlBlock(base, ControlCommand::Message, "hi", 0, 0);
    EXPECT_EQ(FieldText(shortText.message), "hi");
    for (std::size_t i = 2; i < sizeof(shortText.message); ++i) {
        ASSERT_EQ(shortText.message[i], 0) << i;
    }
}

TEST(ControlCommandsTest, ValuesAreNamedAsTheDialogLabelsThem) {
    struct Case {
        int command, position, time;
        const char* expected;
    };
    for (const Case& c : {
             Case{9, 2, 0, "戻るセル番号 2 / 復帰タイプ 0"},
             Case{10, 5, 30, "時間 30"},  // WAIT uses no position
             Case{1, 1, 0, "ウインドウ表示位置 1 / 時間 0"},
             Case{7, 4, 9, "タイムシート進行 4"},
             Case{3, 1, 1, ""},   // CHATCLEAR uses neither
             Case{99, 1, 1, ""},  // a code the dialog does not know
         }) {
        ControlBlock block{};
        block.command = c.command;
        block.position = c.position;
        block.time = c.time;
        EXPECT_EQ(ControlValuesText(block), c.expected) << c.command;
    }
}

}  // namespace
}  // namespace plk
