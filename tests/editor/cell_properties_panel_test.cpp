#include <gtest/gtest.h>

#include <cstring>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "core/timesheet/cell_edit.h"
#include "core/timesheet/cut.h"
#include "editor/app/control_id.h"
#include "editor/timesheet/cell_properties_panel.h"
#include "editor/timesheet/cell_tooltip.h"
#include "editor/timesheet/curve_box.h"
#include "editor_test_support.h"

namespace plk {
namespace {

using Panel = CellPropertiesPanel;

// A page as far as the panel sees it: a cut, a rectangle, and the steps it records.
class StandInHost : public CellPropertiesHost {
public:
    struct Step {
        QString text;
        int mergeKey;
    };

    Cut cut = Cut::New();
    CellRange selection{0, 0, 1, 1};
    std::vector<Step> steps;
    bool mergeOpen = false;
    int unit = 1;
    QPixmap thumbnail;
    test::RecordingMessageBoxes boxes;

    const Cut& HostCut() const override { return cut; }
    CellRange HostSelection() const override { return selection; }
    void EditCells(std::vector<CellWrite> changes, const QString& text, int mergeKey) override {
        ApplyCellWrites(cut, changes);
        if (mergeKey != 0 && mergeOpen && steps.back().mergeKey == mergeKey) {
            return;
        }
        steps.push_back({text, mergeKey});
        mergeOpen = mergeKey != 0;
    }
    void CloseMerge() override { mergeOpen = false; }
    void SetLimitedUnit(int value) override { unit = value; }
    QPixmap SelectedThumbnail() const override { return thumbnail; }
    MessageBoxes& Boxes() override { return boxes; }
};

class CellPropertiesPanelTest : public testing::Test {
protected:
    CellPropertiesPanelTest() { m_panel.show(); }

    template <typename Control>
    Control* Get(int id) {
        auto* control = qobject_cast<Control*>(FindControl(&m_panel, id));
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }
    QLineEdit* Edit(int id) { return Get<QLineEdit>(id); }
    void Type(int id, const QString& text) {
        Edit(id)->selectAll();
        QTest::keyClicks(Edit(id), text);
    }
    void PressEnter(int id) { QTest::keyClick(Edit(id), Qt::Key_Return); }
    void LoseFocus(int id) {
        QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(Edit(id), &event);
    }
    void Click(int id) { QTest::mouseClick(Get<QPushButton>(id), Qt::LeftButton); }
    const CellRecord& Cell(int row, int slot) { return m_host.cut.Frame(row).cells[slot]; }

    std::unique_ptr<StandInHost> m_ownedHost = std::make_unique<StandInHost>();
    StandInHost& m_host = *m_ownedHost;
    Panel m_panel{nullptr, std::move(m_ownedHost)};
};

TEST_F(CellPropertiesPanelTest, TypedValuesGoToEveryCellOfTheRectangleWhenCommitted) {
    m_host.cut.Insert(1, NewControlFrame(ControlBlock{}));
    m_host.selection = {0, 2, 2, 3};
    m_panel.ShowCell(0, 2);
    Type(Panel::kResourceId, "12");
    EXPECT_EQ(Cell(0, 2).resource, 0);  // nothing is written while typing
    LoseFocus(Panel::kResourceId);
    Type(Panel::kRotationId, "270");
    PressEnter(Panel::kRotationId);
    Type(Panel::kAlphaId, "55");
    PressEnter(Panel::kAlphaId);
    for (int row = 0; row <= 2; ++row) {
        for (int slot = 2; slot <= 3; ++slot) {
            EXPECT_EQ(Cell(row, slot).resource, 12) << row << slot;
            EXPECT_EQ(Cell(row, slot).rotation, 270);
            EXPECT_EQ(Cell(row, slot).alpha, 55);
        }
    }
    EXPECT_EQ(Cell(0, 1).resource, 0);
    EXPECT_EQ(Cell(3, 2).resource, 0);
    ASSERT_EQ(m_host.steps.size(), 3u);
    EXPECT_EQ(m_host.steps[0].text, "セルNoの入力");
    EXPECT_TRUE(m_host.boxes.errors.isEmpty());

    // Passing through a field, or retyping the value a cell holds, records nothing.
    LoseFocus(Panel::kAlphaId);
    Type(Panel::kAlphaId, "55");
    PressEnter(Panel::kAlphaId);
    EXPECT_EQ(m_host.steps.size(), 3u);
}

TEST_F(CellPropertiesPanelTest, PositionIsAWholeNumberOfPixelsInRange) {
    m_host.selection = {0, 1, 1, 1};
    m_host.cut.Frame(1).cells[1].x = 3.5f;
    m_panel.ShowCell(1, 1);
    EXPECT_EQ(Edit(Panel::kXId)->text(), "3.5");
    // Passing through the field keeps the fraction the cells hold.
    LoseFocus(Panel::kXId);
    EXPECT_EQ(Cell(1, 1).x, 3.5f);
    EXPECT_TRUE(m_host.steps.empty());

    Type(Panel::kXId, "12.7");
    PressEnter(Panel::kXId);
    EXPECT_EQ(Cell(0, 1).x, 12.0f);
    EXPECT_EQ(Cell(1, 1).x, 12.0f);
    EXPECT_EQ(Edit(Panel::kXId)->text(), "12");
    EXPECT_EQ(m_host.steps.back().text, "X座標の入力");
    Type(Panel::kYId, "-40abc");
    LoseFocus(Panel::kYId);
    EXPECT_EQ(m_host.boxes.errors.value(0), "数値を入力してください。");
    EXPECT_EQ(Edit(Panel::kYId)->text(), "0");
    EXPECT_EQ(m_host.steps.size(), 1u);
}

TEST_F(CellPropertiesPanelTest, RefusedValuesAreReportedOnCommitAndTheStoredValueComesBack) {
    struct Case {
        int id;
        const char* typed;
        const char* message;
        const char* shownAfter;
    };
    for (const Case& c : {
             Case{Panel::kRotationId, "400", "0 から 359 までの整数を入力してください。", "0"},
             Case{Panel::kScaleXId, "2000", "0 から 1600 までの整数を入力してください。", "100"},
             Case{Panel::kAlphaId, "-1", "0 から 100 までの整数を入力してください。", "100"},
             Case{Panel::kResourceId, "x", "整数を入力してください。", "0"},
             Case{Panel::kResourceId, "256", "0 から 255 までの整数を入力してください。", "0"},
             Case{Panel::kXId, "3000", "-2048 から 2048 までの数値を入力してください。", "0"},
             Case{Panel::kStartId, "1.5", "整数を入力してください。", "0"},
         }) {
        m_host.boxes.errors.clear();
        m_panel.ShowCell(0, 1);
        Type(c.id, QString::fromLatin1(c.typed));
        EXPECT_TRUE(m_host.boxes.errors.isEmpty()) << c.typed;  // not while typing
        PressEnter(c.id);
        EXPECT_EQ(m_host.boxes.errors, QStringList{QString::fromUtf8(c.message)}) << c.typed;
        EXPECT_EQ(Edit(c.id)->text(), QString::fromLatin1(c.shownAfter)) << c.typed;
        LoseFocus(c.id);  // the refused text is gone: nothing more to read
        EXPECT_EQ(m_host.boxes.errors.size(), 1) << c.typed;
    }
    EXPECT_TRUE(m_host.steps.empty());
    const CellRecord fresh = NewNormalFrame().cells[1];
    EXPECT_EQ(std::memcmp(&Cell(0, 1), &fresh, sizeof(CellRecord)), 0);
}

TEST_F(CellPropertiesPanelTest, ANewPageShowsTheValuesOfANewCell) {
    EXPECT_EQ(Edit(Panel::kScaleXId)->text(), "100");
    EXPECT_EQ(Edit(Panel::kScaleYId)->text(), "100");
    EXPECT_EQ(Edit(Panel::kAlphaId)->text(), "100");
    EXPECT_EQ(Edit(Panel::kRotationId)->text(), "0");
}

TEST_F(CellPropertiesPanelTest, AspectLockMirrorsTheScales) {
    m_host.selection = {0, 0, 1, 2};
    m_panel.ShowCell(0, 1);
    Get<QCheckBox>(Panel::kAspectLockId)->setChecked(true);
    Type(Panel::kScaleYId, "150");
    PressEnter(Panel::kScaleYId);
    EXPECT_EQ(Edit(Panel::kScaleXId)->text(), "150");
    EXPECT_EQ(Cell(0, 2).scaleX, 150);
    EXPECT_EQ(Cell(0, 2).scaleY, 150);
    Get<QCheckBox>(Panel::kAspectLockId)->setChecked(false);
    Type(Panel::kScaleXId, "80");
    PressEnter(Panel::kScaleXId);
    EXPECT_EQ(Edit(Panel::kScaleYId)->text(), "150");
    EXPECT_EQ(Cell(0, 1).scaleX, 80);
    EXPECT_EQ(Cell(0, 1).scaleY, 150);
}

TEST_F(CellPropertiesPanelTest, TweenButtonsWriteTheCurveAsOneStep) {
    for (int id : {Panel::kTweenXId, Panel::kTweenYId, Panel::kTweenScaleXId, Panel::kTweenScaleYId,
                   Panel::kTweenRotationId, Panel::kTweenAlphaId}) {
        EXPECT_FALSE(Get<QPushButton>(id)->isEnabled()) << id;
    }
    m_panel.SetTweenEnabled(true);
    m_host.selection = {0, 9, 1, 1};
    Type(Panel::kStartId, "0");
    Type(Panel::kEndId, "90");  // bounds still being typed count as they stand
    Get<QSpinBox>(Panel::kUnitSpinId)->setValue(3);
    EXPECT_EQ(m_host.unit, 3);
    EXPECT_EQ(Edit(Panel::kUnitEditId)->text(), "3");
    Click(Panel::kTweenScaleXId);
    const int expected[] = {0, 0, 0, 29, 29, 29, 59, 59, 59, 90};
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(Cell(row, 1).scaleX, expected[row]) << row;
    }
    ASSERT_EQ(m_host.steps.size(), 1u);
    EXPECT_EQ(m_host.steps[0].text, "X伸縮のトゥイーン");

    // A start that is not a number stops the tween and goes back to the last one taken.
    Type(Panel::kStartId, "a");
    Click(Panel::kTweenAlphaId);
    EXPECT_EQ(m_host.boxes.errors.last(), "整数を入力してください。");
    EXPECT_EQ(Edit(Panel::kStartId)->text(), "0");
    EXPECT_EQ(Cell(1, 1).alpha, 100);
}

TEST_F(CellPropertiesPanelTest, CurveBoxTakesClicksInsideItsEdgesAndResets) {
    auto* box = Get<CurveBox>(CurveBox::kId);
    EXPECT_EQ(box->width(), 100);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(30, 80));
    EXPECT_EQ(m_panel.CurvePoint().x, 30);
    EXPECT_EQ(m_panel.CurvePoint().y, 80);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(0, 10));
    EXPECT_EQ(m_panel.CurvePoint().x, 1);
    Click(Panel::kDefaultCurveId);
    EXPECT_EQ(m_panel.CurvePoint().x, 50);
    EXPECT_EQ(m_panel.CurvePoint().y, 50);
}

TEST_F(CellPropertiesPanelTest, ThumbnailIsCroppedTo64AndPaintsTheCurrentSelection) {
    m_host.thumbnail = QPixmap(128, 40);
    m_host.thumbnail.fill(Qt::red);
    m_panel.UpdateThumbnail();
    QWidget* thumbnail = FindControl(&m_panel, Panel::kThumbnailId);
    ASSERT_NE(thumbnail, nullptr);
    EXPECT_EQ(thumbnail->size(), QSize(64, 40));
    // A picture replaced in the palette shows on the next repaint, with no call in between.
    m_host.thumbnail.fill(Qt::blue);
    EXPECT_EQ(thumbnail->grab().toImage().pixelColor(10, 10), QColor(Qt::blue));
}

TEST(CellToolTipTest, ShowsEveryValueExactly) {
    CellRecord cell{7, 10.000003f, -2.5f, 120, 80, 0, 359, 40};
    EXPECT_EQ(CellToolTip(cell),
              "セルNo 7\n位置 10.000003, -2.5\n拡大率 120 x 80\n回転 359\n透明度 40");
}

}  // namespace
}  // namespace plk
