// The time sheet as an author sees it: what a selection stands for, what the preview shows,
// what undo says and shows, and the frame clipboard.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "core/timesheet/cut_editing.h"
#include "editor/app/control_id.h"
#include "editor/content/resource_palette.h"
#include "editor/timesheet/cell_properties_panel.h"
#include "editor/timesheet/cut_grid.h"
#include "editor/timesheet/cut_table_model.h"
#include "editor/timesheet/playback_controls.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor_test_support.h"
#include "media/render/renderer.h"

namespace plk {
namespace {

void ClickCell(CTimeSheet& page, int row, int column, Qt::KeyboardModifiers modifiers = {}) {
    CutGrid* grid = page.Grid();
    grid->scrollTo(grid->model()->index(row, column));
    const QPoint point = grid->visualRect(grid->model()->index(row, column)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, point);
}

class TimeSheetFollowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Renderer::Instance().Init(), Renderer::kOk);
        m_sheet.SetMessageBoxes(std::make_unique<test::RecordingMessageBoxes>());
        m_sheet.SetUndoStack(&m_undo);
        m_sheet.resize(1000, 700);
        m_sheet.show();
    }
    void TearDown() override {
        m_sheet.RemoveAllCuts();
        Renderer::Instance().Shutdown();
    }

    CTimeSheet& Page(int index) { return *m_sheet.Page(index); }
    QLineEdit* Field(CTimeSheet& page, int id) {
        return qobject_cast<QLineEdit*>(FindControl(&page, id));
    }
    void TypeAndCommit(CTimeSheet& page, int id, const QString& text) {
        QLineEdit* edit = Field(page, id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    QTemporaryDir m_dir;
    QUndoStack m_undo;
    CResourcePalette m_palette{nullptr};
    CTimeSheetBase m_sheet{nullptr, &m_palette};
};

TEST_F(TimeSheetFollowTest, FrameNumbersSelectWholeRowsAndTypedCellsNeverReachSlotZero) {
    CTimeSheet& page = Page(0);
    for (bool rangeMode : {true, false}) {
        page.SetRangeMode(rangeMode);
        ClickCell(page, 0, 0);
        ClickCell(page, 2, 0, Qt::ShiftModifier);
        EXPECT_EQ(page.Selection(), (CellRange{0, 2, 1, 5})) << rangeMode;
        EXPECT_EQ(page.Model()->Highlight(), page.Selection()) << rangeMode;
    }
    // Clicking frame numbers in resource mode painted nothing.
    EXPECT_EQ(m_undo.count(), 0);

    // The rectangle stays highlighted across mode switches: it is what the fields act on.
    page.SetRangeMode(true);
    EXPECT_EQ(page.Model()->Highlight(), page.Selection());
    TypeAndCommit(page, CellPropertiesPanel::kResourceId, "6");
    for (int row = 0; row <= 2; ++row) {
        EXPECT_EQ(page.GetCut().Frame(row).cells[0].resource, 0) << row;
        for (int slot = 1; slot <= 5; ++slot) {
            EXPECT_EQ(page.GetCut().Frame(row).cells[slot].resource, 6) << row << " " << slot;
        }
    }
    EXPECT_EQ(page.GetCut().Frame(3).cells[1].resource, 0);
    EXPECT_EQ(m_undo.undoText(), "セルNoの入力");

    // A drag that starts on frame numbers starts at part A.
    QTest::mousePress(page.Grid()->viewport(), Qt::LeftButton, {},
                      page.Grid()->visualRect(page.Model()->index(4, 0)).center());
    QTest::mouseRelease(page.Grid()->viewport(), Qt::LeftButton, {},
                        page.Grid()->visualRect(page.Model()->index(5, 2)).center());
    EXPECT_EQ(page.Selection(), (CellRange{4, 5, 1, 2}));
}

TEST_F(TimeSheetFollowTest, ThePreviewDrawsTheChosenRowAndFollowsEditsAndUndo) {
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    const QString png = m_dir.filePath("red.png");
    ASSERT_TRUE(picture.save(png));
    ASSERT_TRUE(m_palette.ImportFile(1, png));
    CTimeSheet& page = Page(0);
    // Rows 0..4 show slot 1 at x = 20 * row.
    std::vector<CellWrite> writes;
    for (int row = 0; row < 5; ++row) {
        CellRecord cell = page.GetCut().Frame(row).cells[1];
        cell.resource = 1;
        cell.x = static_cast<float>(20 * row);
        writes.push_back({row, 1, cell});
    }
    page.EditCells(writes, QStringLiteral("setup"));
    // Part cells may name their slot instead of numbering it.
    EXPECT_EQ(page.Model()->CellText(0, 1), "   1 ");
    page.Model()->SetShowSlotNames(true);
    EXPECT_EQ(page.Model()->CellText(0, 1), " red.png ");
    EXPECT_EQ(page.Model()->CellText(0, 2), "   0 ");  // slot 0 stays a number
    page.Model()->SetShowSlotNames(false);

    // What the renderer draws for a row, drawn afresh.
    const auto drawn = [&](int row) {
        Renderer::Instance().DrawCellFrame(m_palette.Table(), page.GetCut().Frame(row), true);
        return Renderer::Instance().Canvas().copy();
    };
    const auto shown = [] { return Renderer::Instance().Canvas().copy(); };
    auto* slider = qobject_cast<QSlider*>(FindControl(&page, CPlaybackControls::kFrameSliderId));
    ASSERT_NE(slider, nullptr);

    ClickCell(page, 3, 0);
    EXPECT_EQ(slider->value(), 4);
    const QImage row3 = shown();
    EXPECT_EQ(row3, drawn(3));
    EXPECT_NE(row3, drawn(2));

    page.SetRangeMode(true);
    ClickCell(page, 3, 1);
    TypeAndCommit(page, CellPropertiesPanel::kXId, "200");
    const QImage moved = shown();
    EXPECT_NE(moved, row3);
    EXPECT_EQ(moved, drawn(3));
    m_undo.undo();
    EXPECT_EQ(shown(), row3);
    m_undo.redo();
    EXPECT_EQ(shown(), moved);

    // Rewind draws frame 1.
    QTest::mouseClick(
        qobject_cast<QAbstractButton*>(FindControl(&page, CPlaybackControls::kRewindId)),
        Qt::LeftButton);
    EXPECT_EQ(slider->value(), 1);
    EXPECT_EQ(shown(), drawn(0));
}

TEST_F(TimeSheetFollowTest, UndoNamesItsStepAndShowsTheCutAndRowsItChanged) {
    CTimeSheet& second = Page(1);
    second.SetSelection({4, 6, 1, 5});
    second.RunCellCommand(147, 5);  // on a row of the rectangle: its three rows go
    EXPECT_EQ(second.GetCut().FrameCount(), 57);
    EXPECT_EQ(m_undo.count(), 1);
    EXPECT_EQ(m_undo.undoText(), "フレームの削除");

    m_sheet.SelectCut(0);
    Page(0).SelectRow(10);
    m_undo.undo();
    EXPECT_EQ(m_sheet.CurrentIndex(), 1);
    EXPECT_EQ(second.GetCut().FrameCount(), 60);
    EXPECT_EQ(second.Selection(), (CellRange{4, 6, 1, 5}));
    EXPECT_EQ(second.ActiveRow(), 4);

    // Every row selected: Delete keeps the last one.
    second.SetSelection({0, 59, 1, 5});
    QTest::keyClick(second.Grid(), Qt::Key_Delete);
    EXPECT_EQ(second.GetCut().FrameCount(), 1);
    EXPECT_EQ(m_undo.undoText(), "フレームの削除");
    m_undo.undo();
    EXPECT_EQ(second.GetCut().FrameCount(), 60);
}

TEST_F(TimeSheetFollowTest, FramesCopiedOnOneCutPasteIntoAnother) {
    CTimeSheet& first = Page(0);
    std::vector<CellWrite> writes{{2, 1, first.GetCut().Frame(2).cells[1]}};
    writes[0].value.resource = 9;
    first.EditCells(writes, QStringLiteral("setup"));
    first.SetSelection({1, 2, 1, 5});
    QTest::keyClick(first.Grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Page(2).FrameCopyBuffer().size(), 2u);

    CTimeSheet& third = Page(2);
    EXPECT_FALSE(third.CanPasteFrames());  // nothing chosen there yet
    third.SelectRow(0);
    ASSERT_TRUE(third.CanPasteFrames());
    third.PasteFramesAtSelection();
    EXPECT_EQ(third.GetCut().FrameCount(), 62);
    EXPECT_EQ(third.GetCut().Frame(1).cells[1].resource, 9);
}

TEST_F(TimeSheetFollowTest, StepsMoveTheRowTheSliderAndTheLabel) {
    CTimeSheet& page = Page(0);
    page.RunCellCommand(224, -1);
    page.SetControlFrameDialog([](QWidget*, const ControlBlock&, bool) {
        ControlBlock block{};
        block.command = 10;
        return std::optional<ControlBlock>(block);
    });
    page.RunCellCommand(153, 3);  // rows: 0 1 2 [3 WAIT] 4 ...
    auto* slider = qobject_cast<QSlider*>(FindControl(&page, CPlaybackControls::kFrameSliderId));
    ClickCell(page, 2, 1);
    QTest::keyClick(page.Grid(), Qt::Key_Period);
    EXPECT_EQ(page.ActiveRow(), 4);  // over the control frame
    EXPECT_EQ(slider->value(), 4);
    QTest::keyClick(page.Grid(), Qt::Key_Comma);
    EXPECT_EQ(page.ActiveRow(), 2);
    QTest::keyClick(page.Grid(), Qt::Key_End);
    EXPECT_EQ(page.ActiveRow(), 61);
    EXPECT_EQ(slider->value(), 61);
    QTest::keyClick(page.Grid(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(page.ActiveRow(), 3);
    EXPECT_EQ(slider->value(), 3);  // a control row shows the frame before it
    QTest::keyClick(page.Grid(), Qt::Key_Home);
    EXPECT_EQ(page.ActiveRow(), 0);
    EXPECT_EQ(page.Selection(), (CellRange{0, 0, 1, 5}));
}

}  // namespace
}  // namespace plk
