#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <cstring>

#include "core/timesheet/cut_editing.h"
#include "editor/app/control_id.h"
#include "editor/app/file_commands.h"
#include "editor/app/multi_row_tab_widget.h"
#include "editor/app/window_messages.h"
#include "editor/content/resource_palette.h"
#include "editor/timesheet/cell_dialog.h"
#include "editor/timesheet/cut_grid.h"
#include "editor/timesheet/cut_table_model.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor_test_support.h"

namespace plk {
namespace {

struct Received {
    std::uint32_t message;
    LParam wParam;
    LParam lParam;
};

// Stands in for a browser: records the cut-list messages the time sheet sends it.
class ListeningWindow : public QWidget {
public:
    explicit ListeningWindow(const QString& title) { setWindowTitle(title); }
    std::vector<Received> received;

protected:
    bool event(QEvent* event) override {
        if (event->type() == WindowMessage::EventType()) {
            auto* m = static_cast<WindowMessage*>(event);
            received.push_back(
                {m->Message(), static_cast<LParam>(m->WParameter()), m->LParameter()});
            return true;
        }
        return QWidget::event(event);
    }
};

std::string Name(const CTimeSheetBase& sheet, int index) {
    return std::string(sheet.CutNames().Name(index));
}

bool SameFrames(const Cut& a, const Cut& b) {
    return a.FrameCount() == b.FrameCount() && a.ColumnCount() == b.ColumnCount() &&
           (a.FrameCount() == 0 ||
            std::memcmp(a.Frames().data(), b.Frames().data(), a.Frames().size_bytes()) == 0);
}

class TimeSheetTest : public testing::Test {
protected:
    void SetUp() override {
        auto boxes = std::make_unique<test::RecordingMessageBoxes>();
        m_boxes = boxes.get();
        m_sheet.SetMessageBoxes(std::move(boxes));
        m_sheet.SetUndoStack(&m_undo);
        m_messages.received.clear();
        m_profile.received.clear();
    }

    CTimeSheet& Page(int index) { return *m_sheet.Page(index); }

    ListeningWindow m_messages{"Message Browser"};
    ListeningWindow m_profile{"Profile Browser"};
    QUndoStack m_undo;
    CTimeSheetBase m_sheet{nullptr, nullptr};
    test::RecordingMessageBoxes* m_boxes = nullptr;
};

TEST_F(TimeSheetTest, CutMenuIsEnabledByTheClickedTabAndTheCounts) {
    struct Case {
        int id;
        int clickedTab;
        bool enabled;
    };
    const Case cases[] = {
        {213, 0, true},  {213, -1, false}, {214, 2, true},  {214, -1, false},
        {216, 1, true},  {216, -1, false}, {217, 0, false},  // nothing copied yet
        {231, -1, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_sheet.IsCutCommandEnabled(c.id, c.clickedTab), c.enabled)
            << c.id << " " << c.clickedTab;
    }
    m_sheet.RunCutCommand(216, 1);
    EXPECT_TRUE(m_sheet.IsCutCommandEnabled(217, 0));
    for (int i = m_sheet.CutCount(); i < kMaxCuts; ++i) {
        m_sheet.RunCutCommand(213, 0);
    }
    EXPECT_EQ(m_sheet.CutCount(), 16);
    EXPECT_FALSE(m_sheet.IsCutCommandEnabled(213, 0));
}

TEST_F(TimeSheetTest, InsertedCutGoesToTheEndAndAnnouncesTheFormerLastIndex) {
    m_sheet.SelectCut(1);
    m_sheet.RunCutCommand(213, 0);
    ASSERT_EQ(m_sheet.CutCount(), 4);
    EXPECT_EQ(m_sheet.CurrentIndex(), 1);  // the selection does not change
    EXPECT_EQ(m_sheet.Tabs()->CurrentPage(), m_sheet.Page(1));
    EXPECT_EQ(Name(m_sheet, 3), "\x83\x4a\x83\x62\x83\x67\x81\x46\x34");  // "カット：4"
    EXPECT_EQ(Page(3).GetCut().FrameCount(), 60);
    ASSERT_EQ(m_messages.received.size(), 2u);
    EXPECT_EQ(m_messages.received[0].message, WM_CUT_INSERTED);
    EXPECT_EQ(m_messages.received[0].wParam, 2);
    EXPECT_EQ(m_messages.received[0].lParam, 4);
    EXPECT_EQ(m_messages.received[1].message, WM_CUT_NAMES);
    EXPECT_EQ(m_profile.received.size(), 2u);

    m_undo.undo();
    EXPECT_EQ(m_sheet.CutCount(), 3);
    EXPECT_EQ(m_messages.received[2].message, WM_CUT_DELETED);
    EXPECT_EQ(m_messages.received[2].wParam, 3);
    EXPECT_EQ(m_messages.received[2].lParam, 3);
}

TEST_F(TimeSheetTest, DeletingACutMovesPagesAndNamesDownAndKeepsPageAndTabTogether) {
    m_sheet.CutNames().SetName(0, "zero");
    m_sheet.CutNames().SetName(1, "one");
    m_sheet.CutNames().SetName(2, "two");
    m_sheet.RelabelTabs();
    Page(2).RunCellCommand(224, -1);  // tells the former cut 2 apart
    const Cut before2 = Page(2).GetCut();
    m_sheet.SelectCut(2);
    m_messages.received.clear();

    m_sheet.RunCutCommand(214, 1);
    ASSERT_EQ(m_sheet.CutCount(), 2);
    EXPECT_EQ(Name(m_sheet, 0), "zero");
    EXPECT_EQ(Name(m_sheet, 1), "two");
    EXPECT_EQ(Name(m_sheet, 2), "two");  // the last entry keeps its bytes
    EXPECT_EQ(m_sheet.Tabs()->TabText(1), "two");
    EXPECT_TRUE(SameFrames(Page(1).GetCut(), before2));
    // The selected cut stays selected, and its page is the one shown.
    EXPECT_EQ(m_sheet.CurrentIndex(), 1);
    EXPECT_EQ(m_sheet.Tabs()->CurrentPage(), m_sheet.Page(1));
    ASSERT_EQ(m_messages.received.size(), 2u);
    EXPECT_EQ(m_messages.received[0].message, WM_CUT_DELETED);
    EXPECT_EQ(m_messages.received[0].wParam, 1);
    EXPECT_EQ(m_messages.received[0].lParam, 2);

    // Deleting the selected cut selects the one before it.
    m_sheet.RunCutCommand(214, 1);
    EXPECT_EQ(m_sheet.CurrentIndex(), 0);
    EXPECT_EQ(m_sheet.Tabs()->CurrentPage(), m_sheet.Page(0));

    // Undo brings back both cuts, their names, pages and selection.
    m_undo.undo();
    m_undo.undo();
    ASSERT_EQ(m_sheet.CutCount(), 3);
    EXPECT_EQ(Name(m_sheet, 1), "one");
    EXPECT_EQ(Name(m_sheet, 2), "two");
    EXPECT_TRUE(SameFrames(Page(2).GetCut(), before2));
    EXPECT_EQ(m_sheet.CurrentIndex(), 2);
    const Received last = m_messages.received[m_messages.received.size() - 2];
    EXPECT_EQ(last.message, WM_CUT_INSERTED);
    EXPECT_EQ(last.wParam, 0);  // the restored cut stands after cut 0
    EXPECT_EQ(last.lParam, 3);
}

TEST_F(TimeSheetTest, PastedCutTakesTheSourcesColumnsAndUndoGivesThemBack) {
    Page(0).RunHeaderCommand(142, 1);
    Page(0).RunHeaderCommand(142, 1);  // cut 0 has 7 parts
    Page(0).RunCellCommand(224, -1);
    m_sheet.RunCutCommand(216, 0);
    m_sheet.SelectCut(2);
    m_sheet.RunCutCommand(217, 1);  // pastes into the selected cut, not the clicked one
    // Every part the pasted frames draw is a column the author sees.
    EXPECT_EQ(Page(2).GetCut().FrameCount(), 61);
    EXPECT_EQ(Page(2).GetCut().PartCount(), 7);
    EXPECT_EQ(Page(2).Model()->columnCount(), 8);
    EXPECT_EQ(Page(1).GetCut().FrameCount(), 60);
    m_undo.undo();
    EXPECT_EQ(Page(2).GetCut().FrameCount(), 60);
    EXPECT_EQ(Page(2).Model()->columnCount(), 6);
    m_undo.redo();
    EXPECT_TRUE(SameFrames(Page(2).GetCut(), Page(0).GetCut()));
    const int steps = m_undo.count();
    m_sheet.RunCutCommand(217, 2);  // the same cut again: nothing changes, no step
    EXPECT_EQ(m_undo.count(), steps);

    // The copied index keeps naming a position: after deleting cut 0 it names the cut that
    // moved there, and once it is no longer below the count paste is not offered.
    m_sheet.RunCutCommand(216, 2);
    m_sheet.RunCutCommand(214, 0);
    EXPECT_EQ(m_sheet.CopiedCut(), 2);
    EXPECT_FALSE(m_sheet.IsCutCommandEnabled(217, 0));
}

TEST_F(TimeSheetTest, RenameCutsLongNamesAtACharacterBoundaryAndUndoes) {
    m_sheet.SelectCut(1);
    // 200 two-byte characters: 400 bytes, cut to 254 (a whole character).
    m_sheet.SetNameDialog([](QWidget*, const QString&) {
        return std::optional<QString>(QString(200, QChar(0x3042)));
    });
    m_sheet.RunCutCommand(231, -1);
    EXPECT_EQ(Name(m_sheet, 1).size(), 254u);
    EXPECT_EQ(m_sheet.Tabs()->TabText(1), QString(127, QChar(0x3042)));
    EXPECT_EQ(m_messages.received.back().message, WM_CUT_NAMES);
    m_sheet.SetNameDialog([](QWidget*, const QString&) { return std::optional<QString>(); });
    m_sheet.RunCutCommand(231, -1);  // cancelled
    EXPECT_EQ(m_undo.count(), 1);
    m_undo.undo();
    EXPECT_EQ(m_sheet.Tabs()->TabText(1), "カット：2");
}

TEST_F(TimeSheetTest, FrameCommandsAreEnabledByTheHitRowAndUndoExactly) {
    CTimeSheet& page = Page(0);
    const Cut original = page.GetCut();
    EXPECT_FALSE(page.IsCellCommandEnabled(146, -1));
    EXPECT_TRUE(page.IsCellCommandEnabled(224, -1));
    EXPECT_FALSE(page.IsCellCommandEnabled(154, 3));  // not a control frame

    page.SetControlFrameDialog([](QWidget*, const ControlBlock& initial, bool change) {
        ControlBlock block = initial;
        block.command = change ? 10 : 9;
        block.time = change ? 3 : 0;
        return std::optional<ControlBlock>(block);
    });
    int nextCount = 3;
    page.SetCountDialog([&](QWidget*, bool) { return std::optional<int>(nextCount); });

    page.RunCellCommand(146, 0);   // 61 rows
    page.RunCellCommand(148, 10);  // 64
    page.RunCellCommand(153, 5);   // 65, row 5 is REPEAT
    EXPECT_TRUE(page.IsCellCommandEnabled(154, 5));
    FrameRecord withReserved = page.GetCut().Frame(5);
    withReserved.control.reserved1 = 7;
    withReserved.control.reserved2 = 8;
    page.ReplaceRow(5, withReserved, "x");
    page.RunCellCommand(154, 5);  // becomes WAIT 3, reserved words kept
    EXPECT_EQ(page.Model()->CellText(5, 0), "WAIT");
    EXPECT_EQ(page.Model()->CellText(5, 3), " 3 ");
    EXPECT_EQ(page.Model()->CellText(5, 4), " 8 ");
    EXPECT_EQ(page.GetCut().Frame(5).control.reserved1, 7);
    EXPECT_EQ(page.Model()->CellText(6, 0), "   6 ");  // the control frame has no number
    page.RunCellCommand(225, -1);                      // 66
    page.RunCellCommand(147, 0);                       // 65
    nextCount = 2048;
    page.RunCellCommand(149, 60);  // all but the last row from 60 on: 60
    EXPECT_EQ(page.GetCut().FrameCount(), 61);
    page.RunCellCommand(222, -1);  // copies nothing: no rectangle yet
    page.SetSelection({2, 4, 1, 1});
    page.RunCellCommand(222, -1);
    page.RunCellCommand(223, 0);
    page.RunCellCommand(223, -1);  // no row hit: nothing
    EXPECT_EQ(page.GetCut().FrameCount(), 64);

    // Every step undoes back to the new cut, and redoes to the same end.
    const Cut edited = page.GetCut();
    while (m_undo.canUndo()) {
        m_undo.undo();
    }
    EXPECT_TRUE(SameFrames(page.GetCut(), original));
    EXPECT_EQ(page.Model()->rowCount(), 60);
    while (m_undo.canRedo()) {
        m_undo.redo();
    }
    EXPECT_TRUE(SameFrames(page.GetCut(), edited));
}

TEST_F(TimeSheetTest, PartCommandsFollowTheirLimitsAndUndoExactly) {
    CTimeSheet& page = Page(0);
    const Cut original = page.GetCut();
    EXPECT_FALSE(page.IsHeaderCommandEnabled(145, 1));
    page.EditCells(std::vector<CellWrite>{{0, 2, CellRecord{9, 1, 2, 3, 4, 5, 6, 7}}}, "x");
    page.RunHeaderCommand(144, 2);  // copy B
    EXPECT_TRUE(page.IsHeaderCommandEnabled(145, 1));
    page.RunHeaderCommand(142, 2);  // insert before B: 6 parts
    EXPECT_EQ(page.Model()->columnCount(), 7);
    EXPECT_EQ(page.Model()->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), "F");
    page.RunHeaderCommand(145, 5);  // paste into E
    EXPECT_EQ(page.GetCut().Frame(0).cells[5].resource, 9);
    page.RunHeaderCommand(143, 1);
    page.RunHeaderCommand(143, 1);
    EXPECT_FALSE(page.IsHeaderCommandEnabled(143, 1));  // 4 parts left
    page.RunHeaderCommand(143, -1);                     // on no column: nothing
    EXPECT_EQ(page.GetCut().PartCount(), 4);

    while (m_undo.canUndo()) {
        m_undo.undo();
    }
    EXPECT_TRUE(SameFrames(page.GetCut(), original));
    EXPECT_FALSE(page.PartCopied());
    EXPECT_EQ(page.Model()->columnCount(), 6);
}

// Clicks a grid cell with the left button.
void ClickCell(CTimeSheet& page, int row, int column, Qt::KeyboardModifiers modifiers = {}) {
    CutGrid* grid = page.Grid();
    const QPoint point = grid->visualRect(grid->model()->index(row, column)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, point);
}

TEST_F(TimeSheetTest, RangeModeSelectsRectanglesByClickShiftClickAndDrag) {
    m_sheet.resize(900, 700);
    m_sheet.show();
    CTimeSheet& page = Page(0);
    auto* mode = qobject_cast<QAbstractButton*>(FindControl(&page, 1075));
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->text(), "リソース指定");
    mode->click();
    EXPECT_EQ(mode->text(), "範囲指定");

    std::vector<std::pair<int, int>> shown;
    std::vector<bool> tween;
    QObject::connect(&page, &CTimeSheet::showCell,
                     [&](int row, int column) { shown.emplace_back(row, column); });
    QObject::connect(&page, &CTimeSheet::tweenEnabled, [&](bool on) { tween.push_back(on); });

    ClickCell(page, 4, 3);
    EXPECT_EQ(page.Selection(), (CellRange{4, 4, 3, 3}));
    ClickCell(page, 2, 1, Qt::ShiftModifier);
    EXPECT_EQ(page.Selection(), (CellRange{2, 4, 1, 3}));
    EXPECT_EQ(shown.back(), std::make_pair(2, 1));
    EXPECT_EQ(tween, (std::vector<bool>{false, true}));
    EXPECT_TRUE(page.Model()->Highlight() == page.Selection());

    // A frame number stands for its row's parts.
    ClickCell(page, 6, 0);
    EXPECT_EQ(page.Selection(), (CellRange{6, 6, 1, 5}));

    CutGrid* grid = page.Grid();
    const QPoint from = grid->visualRect(grid->model()->index(1, 2)).center();
    const QPoint to = grid->visualRect(grid->model()->index(3, 4)).center();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, grid->viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(page.Selection(), (CellRange{1, 3, 2, 4}));
}

TEST_F(TimeSheetTest, KeyboardMovesExtendsCopiesPastesInsertsAndDeletes) {
    m_sheet.resize(900, 700);
    m_sheet.show();
    CTimeSheet& page = Page(0);
    page.SetRangeMode(true);
    ClickCell(page, 1, 1);
    CutGrid* grid = page.Grid();
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(page.Selection(), (CellRange{1, 2, 1, 2}));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(page.Selection(), (CellRange{3, 3, 2, 2}));

    page.SetSelection({0, 1, 1, 1});
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);  // before the current row (3)
    EXPECT_EQ(page.GetCut().FrameCount(), 62);
    QTest::keyClick(grid, Qt::Key_Insert);
    EXPECT_EQ(page.GetCut().FrameCount(), 63);
    QTest::keyClick(grid, Qt::Key_Delete);  // both rows of the rectangle, as one step
    EXPECT_EQ(page.GetCut().FrameCount(), 61);
    EXPECT_EQ(m_undo.count(), 3);
}

TEST_F(TimeSheetTest, PaintingWritesThePalettesSlotOverTheLimitedUnitAsOneStep) {
    CResourcePalette palette(nullptr);
    CTimeSheetBase sheet(nullptr, &palette);
    sheet.SetUndoStack(&m_undo);
    sheet.resize(900, 700);
    sheet.show();
    CTimeSheet& page = *sheet.Page(0);
    page.SetControlFrameDialog([](QWidget*, const ControlBlock&, bool) {
        return std::optional<ControlBlock>(ControlBlock{});
    });
    page.RunCellCommand(153, 2);  // a control frame at row 2
    auto* list = qobject_cast<QListWidget*>(FindControl(&palette, 1000));
    list->setCurrentRow(7);
    page.SetLimitedUnit(3);

    CutGrid* grid = page.Grid();
    const QPoint a = grid->visualRect(grid->model()->index(0, 2)).center();
    const QPoint b = grid->visualRect(grid->model()->index(4, 2)).center();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, a);
    QMouseEvent move(QEvent::MouseMove, b, grid->viewport()->mapToGlobal(b), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, b);

    std::vector<int> painted;
    for (int row = 0; row < 8; ++row) {
        painted.push_back(page.GetCut().Frame(row).cells[2].resource);
    }
    // Rows 0..2 and 4..6; the control frame at row 2 is written too.
    EXPECT_EQ(painted, (std::vector<int>{7, 7, 7, 0, 7, 7, 7, 0}));
    EXPECT_EQ(page.Model()->CellText(4, 2), "   7 ");
    EXPECT_EQ(m_undo.count(), 2);  // the control frame, then one stroke
    m_undo.undo();
    EXPECT_EQ(page.GetCut().Frame(0).cells[2].resource, 0);
    EXPECT_EQ(page.GetCut().Frame(6).cells[2].resource, 0);
}

TEST(CellDialogTest, RefusesCountsOutsideTheRangeAndStaysOpen) {
    test::RecordingMessageBoxes boxes;
    CCelldlg dialog(nullptr, CCelldlg::Mode::Delete, boxes);
    EXPECT_EQ(dialog.windowTitle(), "セルの削除");
    EXPECT_EQ(dialog.CountEdit()->text(), "1");
    const std::pair<const char*, const char*> cases[] = {
        {"0", "1 から 2048 までの整数を入力してください。"},
        {"2049", "1 から 2048 までの整数を入力してください。"},
        {"abc", "整数を入力してください。"},
    };
    dialog.show();
    for (const auto& [text, message] : cases) {
        dialog.CountEdit()->setText(QString::fromLatin1(text));
        dialog.accept();
        EXPECT_EQ(boxes.errors.back(), message) << text;
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.CountEdit()->text(), "1");  // back to the last count taken
    }
    dialog.CountEdit()->setText("2048");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Count(), 2048);
    EXPECT_EQ(CCelldlg(nullptr, CCelldlg::Mode::Insert, boxes).windowTitle(), "セルの挿入");
}

TEST(TimeSheetFrameTest, UndoBackToTheSavedStateGivesTheSameFileAndClearsTheFlag) {
    test::ClearSettings();
    QTemporaryDir dir;
    auto made = test::MakeFrame();
    CMainFrame& frame = *made.frame;
    const QString path = dir.filePath("sheet.cre");
    made.files->answers.push_back(path);
    CTimeSheetBase& sheet = *frame.TimeSheet();
    sheet.Page(0)->RunCellCommand(224, -1);
    ASSERT_TRUE(frame.Commands().Save());
    const std::vector<Cut> saved = sheet.Cuts();

    sheet.RunCutCommand(213, 0);
    sheet.Page(1)->RunHeaderCommand(142, 3);
    sheet.Page(0)->RunCellCommand(146, 4);
    EXPECT_TRUE(frame.Commands().IsModified());
    QUndoStack* stack = frame.Commands().UndoStack();
    while (stack->index() > stack->cleanIndex()) {
        stack->undo();
    }
    EXPECT_FALSE(frame.Commands().IsModified());
    const std::vector<Cut> back = sheet.Cuts();
    ASSERT_EQ(back.size(), saved.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_TRUE(SameFrames(back[i], saved[i])) << i;
    }
}

}  // namespace
}  // namespace plk
