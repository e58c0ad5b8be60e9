#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <functional>

#include "editor/app/control_id.h"
#include "editor/timesheet/cell_properties_panel.h"
#include "editor/timesheet/control_command.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor_test_support.h"

namespace plk {
namespace {

using Panel = CellPropertiesPanel;

// A time sheet with its default cuts; the first page is the one edited.
class TimeSheetPropertiesTest : public testing::Test {
protected:
    TimeSheetPropertiesTest() {
        auto boxes = std::make_unique<test::RecordingMessageBoxes>();
        m_boxes = boxes.get();
        m_sheet.SetMessageBoxes(std::move(boxes));
        m_sheet.CreateDefaultCuts();
        m_page = m_sheet.Page(0);
        m_sheet.show();
    }

    template <typename Control>
    Control* Get(int id) {
        auto* control = qobject_cast<Control*>(FindControl(m_page, id));
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }
    void Type(int id, const QString& text) {
        auto* edit = Get<QLineEdit>(id);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(edit, &event);
    }
    void SelectRange(int firstRow, int firstColumn, int lastRow, int lastColumn) {
        m_page->SetRangeMode(true);
        m_page->OnGridPressed(firstRow, firstColumn, {});
        m_page->OnGridReleased(lastRow, lastColumn, {});
    }
    const CellRecord& Cell(int row, int slot) { return m_page->GetCut().Frame(row).cells[slot]; }
    QUndoStack* Undo() { return m_sheet.UndoStack(); }

    // Runs a popup command whose modal dialog `answer` fills in and closes.
    void RunWithDialog(int id, int row, const std::function<void(CControlCommand*)>& answer) {
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CControlCommand*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(dialog);
            answered = true;
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        m_page->RunCellCommand(id, row);
        EXPECT_TRUE(answered);
    }

    CTimeSheetBase m_sheet{nullptr, nullptr};
    test::RecordingMessageBoxes* m_boxes;
    CTimeSheet* m_page;
};

TEST_F(TimeSheetPropertiesTest, SelectionDrivesTheFieldsAndTheTweenButtons) {
    auto* tweenX = Get<QPushButton>(Panel::kTweenXId);
    EXPECT_FALSE(tweenX->isEnabled());
    m_sheet.Page(0)->SetRangeMode(true);
    m_page->OnGridPressed(2, 3, {});
    m_page->OnGridReleased(4, 1, {});
    EXPECT_TRUE(tweenX->isEnabled());
    // The fields show the first cell of the rectangle.
    EXPECT_EQ(Get<QLineEdit>(Panel::kScaleXId)->text(), "100");
    EXPECT_EQ(m_page->LimitedUnit(), 1);
    Get<QSpinBox>(Panel::kUnitSpinId)->setValue(4);
    EXPECT_EQ(m_page->LimitedUnit(), 4);

    SelectRange(5, 2, 5, 2);
    EXPECT_FALSE(tweenX->isEnabled());
    EXPECT_TRUE(Get<QLineEdit>(Panel::kAlphaId)->isEnabled());
}

TEST_F(TimeSheetPropertiesTest, EachTypedFieldIsOneUndoStep) {
    SelectRange(0, 1, 2, 2);
    const int before = Undo()->count();
    Type(Panel::kScaleXId, "150");
    Type(Panel::kRotationId, "45");
    EXPECT_EQ(Undo()->count(), before + 2);
    EXPECT_EQ(Cell(2, 2).scaleX, 150);
    EXPECT_EQ(Cell(2, 2).rotation, 45);
    Undo()->undo();
    EXPECT_EQ(Cell(2, 2).rotation, 0);
    EXPECT_EQ(Cell(2, 2).scaleX, 150);
    Undo()->undo();
    EXPECT_EQ(Cell(0, 1).scaleX, 100);
    EXPECT_EQ(Cell(2, 2).scaleX, 100);
    Undo()->redo();
    EXPECT_EQ(Cell(1, 1).scaleX, 150);
}

TEST_F(TimeSheetPropertiesTest, ATweenIsOneUndoStep) {
    SelectRange(0, 1, 9, 1);
    Type(Panel::kStartId, "0");
    Type(Panel::kEndId, "90");
    const int before = Undo()->count();
    QTest::mouseClick(Get<QPushButton>(Panel::kTweenXId), Qt::LeftButton);
    EXPECT_EQ(Undo()->count(), before + 1);
    EXPECT_EQ(Cell(1, 1).x, 10.000003f);
    EXPECT_EQ(Cell(9, 1).x, 90.0f);
    Undo()->undo();
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(Cell(row, 1).x, 0.0f) << row;
    }
}

TEST_F(TimeSheetPropertiesTest, ControlFramesOfEveryKindThroughTheDialog) {
    const int rows = m_page->GetCut().FrameCount();
    // 153: OK at once inserts a REPEAT with position 0 and time 0.
    RunWithDialog(153, 2, [](CControlCommand* dialog) { dialog->accept(); });
    ASSERT_EQ(m_page->GetCut().FrameCount(), rows + 1);
    EXPECT_FALSE(m_page->GetCut().Frame(2).IsNormal());
    EXPECT_EQ(m_page->GetCut().Frame(2).control.command, 9);

    // 225: a WAIT of 3 seconds at the end.
    RunWithDialog(225, -1, [](CControlCommand* dialog) {
        qobject_cast<QComboBox*>(FindControl(dialog, CControlCommand::kCommandId))
            ->setCurrentIndex(1);
        auto* time = qobject_cast<QLineEdit*>(FindControl(dialog, CControlCommand::kTimeId));
        time->selectAll();
        QTest::keyClicks(time, "3");
        dialog->accept();
    });
    const FrameRecord& last = m_page->GetCut().Frame(rows + 1);
    EXPECT_EQ(last.control.command, 10);
    EXPECT_EQ(last.control.time, 3);

    // 154: opens on the frame's values; a new command replaces it.
    RunWithDialog(154, rows + 1, [](CControlCommand* dialog) {
        EXPECT_EQ(qobject_cast<QLineEdit*>(FindControl(dialog, CControlCommand::kTimeId))->text(),
                  "3");
        qobject_cast<QComboBox*>(FindControl(dialog, CControlCommand::kCommandId))
            ->setCurrentIndex(7);  // chargestack
        dialog->accept();
    });
    EXPECT_EQ(m_page->GetCut().Frame(rows + 1).control.command, 6);
    EXPECT_EQ(m_page->GetCut().Frame(rows + 1).control.time, 3);

    // Cancel changes nothing.
    RunWithDialog(153, 0, [](CControlCommand* dialog) { dialog->reject(); });
    EXPECT_EQ(m_page->GetCut().FrameCount(), rows + 2);

    Undo()->undo();
    EXPECT_EQ(m_page->GetCut().Frame(rows + 1).control.command, 10);
    Undo()->undo();
    EXPECT_EQ(m_page->GetCut().FrameCount(), rows + 1);
    Undo()->undo();
    EXPECT_EQ(m_page->GetCut().FrameCount(), rows);
    EXPECT_TRUE(m_page->GetCut().Frame(2).IsNormal());
}

}  // namespace
}  // namespace plk
