// The time sheet in English: the control commands the editor lists for translation stay the
// core's, and with the English .qm loaded the sheet's menus, undo steps, control rows and
// dialogs speak English while the frames they write stay the same.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <string_view>

#include "core/timesheet/control_commands.h"
#include "editor/app/control_id.h"
#include "editor/app/ui_language.h"
#include "editor/timesheet/control_command.h"
#include "editor/timesheet/control_command_names.h"
#include "editor/timesheet/cut_table_model.h"
#include "editor/timesheet/playback_controls.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor/timesheet/time_sheet_menus.h"
#include "editor_test_support.h"
#include "language_test.h"

namespace plk {
namespace {

bool Listed(std::span<const char* const> texts, std::string_view text) {
    return std::any_of(texts.begin(), texts.end(), [&](const char* t) { return text == t; });
}

TEST(ControlCommandNames, MirrorTheCoresTableAndBuildTheSameValueTexts) {
    const auto entries = ControlCommandEntries();
    const auto names = ControlCommandSourceNames();
    ASSERT_EQ(names.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].text, names[i]) << i;
        EXPECT_EQ(ControlCommandName(static_cast<int>(i)).toStdString(), entries[i].text);
        EXPECT_TRUE(Listed(ControlLabelSourceTexts(), entries[i].positionLabel)) << i;
        EXPECT_TRUE(Listed(ControlLabelSourceTexts(), entries[i].timeLabel)) << i;
    }
    for (std::string_view label : {kWindowPositionLabel, kReturnFrameLabel, kSheetProgressLabel,
                                   kTimeLabel, kReturnTypeLabel}) {
        EXPECT_TRUE(Listed(ControlLabelSourceTexts(), label)) << label;
    }
    EXPECT_TRUE(ControlCommandName(static_cast<int>(entries.size())).isEmpty());
    EXPECT_TRUE(ControlCommandName(-1).isEmpty());

    // In Japanese the sheet's text of a control row is the core's, byte for byte.
    std::vector<std::int32_t> codes{0, 99, -1};
    for (const ControlCommandEntry& entry : entries) {
        codes.push_back(static_cast<std::int32_t>(entry.command));
    }
    for (std::int32_t code : codes) {
        ControlBlock block{};
        block.command = code;
        block.position = 12;
        block.time = 345;
        EXPECT_EQ(ControlValuesDisplayText(block).toStdString(), ControlValuesText(block)) << code;
    }
}

class TimeSheetEnglishTest : public test::LanguageTest {
protected:
    void SetUp() override {
        LanguageTest::SetUp();
        English();
    }
};

TEST_F(TimeSheetEnglishTest, ControlCommandDialogListsEnglishNamesAndStoresTheirCodes) {
    test::RecordingMessageBoxes boxes;
    const auto ask = [&](const std::function<void(CControlCommand&, QComboBox&)>& act) {
        CControlCommand dialog(nullptr, ControlBlock{}, boxes);
        dialog.show();
        auto* combo = qobject_cast<QComboBox*>(FindControl(&dialog, CControlCommand::kCommandId));
        EXPECT_NE(combo, nullptr);
        act(dialog, *combo);
        dialog.accept();
        return dialog.result() == QDialog::Accepted ? dialog.Block().command : -1;
    };

    std::int32_t picked = ask([](CControlCommand& dialog, QComboBox& combo) {
        EXPECT_EQ(combo.itemText(0), QStringLiteral("Repeat"));
        EXPECT_EQ(combo.itemText(1), QStringLiteral("Wait"));
        EXPECT_EQ(combo.itemText(2), QStringLiteral("message"));
        EXPECT_EQ(
            qobject_cast<QLabel*>(FindControl(&dialog, CControlCommand::kTimeLabelId))->text(),
            QStringLiteral("Return type"));
        combo.setCurrentIndex(1);
        EXPECT_EQ(
            qobject_cast<QLabel*>(FindControl(&dialog, CControlCommand::kTimeLabelId))->text(),
            QStringLiteral("Time"));
    });
    EXPECT_EQ(picked, static_cast<std::int32_t>(ControlCommand::Wait));

    // A name typed over the list picks the entry it names in the language shown.
    picked = ask([](CControlCommand&, QComboBox& combo) {
        combo.lineEdit()->selectAll();
        QTest::keyClicks(combo.lineEdit(), QStringLiteral("Wait"));
    });
    EXPECT_EQ(picked, static_cast<std::int32_t>(ControlCommand::Wait));
    EXPECT_TRUE(boxes.errors.isEmpty());

    picked = ask([](CControlCommand&, QComboBox& combo) {
        combo.lineEdit()->selectAll();
        QTest::keyClicks(combo.lineEdit(), QStringLiteral("Waiting"));
    });
    EXPECT_EQ(picked, -1);
    ASSERT_EQ(boxes.errors.size(), 1);
    EXPECT_EQ(boxes.errors[0],
              QStringLiteral("\"Waiting\" is not a control command. Choose a command from the "
                             "list."));
}

TEST_F(TimeSheetEnglishTest, SheetMenusUndoStepsAndControlRowsSpeakEnglish) {
    QUndoStack undo;
    CTimeSheetBase sheet(nullptr, nullptr);
    sheet.SetMessageBoxes(std::make_unique<test::RecordingMessageBoxes>());
    sheet.SetUndoStack(&undo);
    CTimeSheet& page = *sheet.Page(0);

    EXPECT_EQ(PopupItemLabel(CellPopup().items[0]), QStringLiteral("Insert Frame"));
    EXPECT_EQ(PopupCommandName(timesheet_command::kRenameCut), QStringLiteral("Rename Cut"));
    EXPECT_TRUE(PopupCommandName(0).isEmpty());

    page.SetControlFrameDialog([](QWidget*, const ControlBlock& initial, bool) {
        ControlBlock block = initial;
        block.command = static_cast<std::int32_t>(ControlCommand::Repeat);
        block.position = 2;
        return std::optional<ControlBlock>(block);
    });
    page.RunCellCommand(timesheet_command::kInsertControlFrame, 3);
    EXPECT_EQ(undo.undoText(), QStringLiteral("Insert Control Frame"));
    EXPECT_EQ(page.Model()->CellText(3, 1), QStringLiteral(" Return to cell 2 / Return type 0 "));
    EXPECT_EQ(page.Model()->data(page.Model()->index(4, 1), Qt::ToolTipRole).toString(),
              QStringLiteral("Cell No. 0\nPosition 0, 0\nScale 100 x 100\nRotation 0\nAlpha 100"));
    // The frame stores the command's code, whatever the language.
    EXPECT_EQ(page.GetCut().Frame(3).control.command,
              static_cast<std::int32_t>(ControlCommand::Repeat));

    page.SetRangeMode(true);
    auto* mode = qobject_cast<QPushButton*>(FindControl(&page, CTimeSheet::kModeCheckId));
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->text(), QStringLiteral("Range mode"));
    auto* frames = qobject_cast<QGroupBox*>(FindControl(&page, CPlaybackControls::kFrameGroupId));
    ASSERT_NE(frames, nullptr);
    EXPECT_EQ(frames->title(), QStringLiteral(" Frame    1"));
}

}  // namespace
}  // namespace plk
