#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/text/sjis.h"
#include "editor/app/control_id.h"
#include "editor/timesheet/control_command.h"
#include "editor_test_support.h"

namespace plk {
namespace {

class ControlCommandTest : public testing::Test {
protected:
    void Open(const ControlBlock& block, bool change) {
        m_dialog = std::make_unique<CControlCommand>(nullptr, block, m_boxes, change);
        m_dialog->show();
    }
    template <typename Control>
    Control* Get(int id) {
        auto* control = qobject_cast<Control*>(FindControl(m_dialog.get(), id));
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }
    QLineEdit* Edit(int id) { return Get<QLineEdit>(id); }
    QString Label(int id) { return Get<QLabel>(id)->text(); }
    void Type(int id, const QString& text) {
        Edit(id)->selectAll();
        QTest::keyClicks(Edit(id), text);
    }
    void PressOk() { QTest::mouseClick(Get<QPushButton>(1), Qt::LeftButton); }
    bool Accepted() const { return m_dialog->result() == QDialog::Accepted; }

    test::RecordingMessageBoxes m_boxes;
    std::unique_ptr<CControlCommand> m_dialog;
};

TEST_F(ControlCommandTest, OpensOnRepeatAndOkMakesAnEmptyRepeat) {
    ControlBlock block{};
    block.time = 9;  // a zero block is what a new frame gets; the dialog starts from 0
    Open(block, false);
    EXPECT_EQ(m_dialog->windowTitle(), "Control Command");
    auto* combo = Get<QComboBox>(CControlCommand::kCommandId);
    EXPECT_TRUE(combo->isEditable());
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) {
        entries << combo->itemText(i);
    }
    EXPECT_EQ(entries,
              QStringList({"リピート", "ウェイト", "message", "chat", "chatclear", "chargestart",
                           "chargeend", "chargestack", "showstart", "showend"}));
    EXPECT_EQ(combo->currentText(), "リピート");
    EXPECT_FALSE(Edit(CControlCommand::kMessageId)->isEnabled());
    EXPECT_TRUE(Edit(CControlCommand::kTimeId)->isEnabled());
    EXPECT_TRUE(Edit(CControlCommand::kPositionId)->isEnabled());
    EXPECT_EQ(Label(CControlCommand::kPositionLabelId), "戻るセル番号");
    EXPECT_EQ(Label(CControlCommand::kTimeLabelId), "復帰タイプ");
    EXPECT_EQ(Edit(CControlCommand::kTimeId)->text(), "0");

    PressOk();
    ASSERT_TRUE(Accepted());
    const ControlBlock& result = m_dialog->Block();
    EXPECT_EQ(result.command, 9);
    EXPECT_EQ(result.time, 0);
    EXPECT_EQ(result.position, 0);
    EXPECT_EQ(result.message[0], 0);
    EXPECT_TRUE(m_boxes.errors.isEmpty());
}

TEST_F(ControlCommandTest, EntriesSetEnablingAndLabelsAndValuesComeFromDisabledEdits) {
    Open(ControlBlock{}, false);
    auto* combo = Get<QComboBox>(CControlCommand::kCommandId);
    Type(CControlCommand::kPositionId, "7");
    combo->setCurrentIndex(1);  // ウェイト
    EXPECT_FALSE(Edit(CControlCommand::kPositionId)->isEnabled());
    EXPECT_EQ(Label(CControlCommand::kPositionLabelId), "ウインドウ表示位置");
    EXPECT_EQ(Label(CControlCommand::kTimeLabelId), "時間");
    Type(CControlCommand::kTimeId, "3");
    PressOk();
    ASSERT_TRUE(Accepted());
    EXPECT_EQ(m_dialog->Block().command, 10);
    EXPECT_EQ(m_dialog->Block().time, 3);
    EXPECT_EQ(m_dialog->Block().position, 7);

    Open(ControlBlock{}, false);
    combo = Get<QComboBox>(CControlCommand::kCommandId);
    combo->setCurrentIndex(8);  // showstart
    EXPECT_EQ(Label(CControlCommand::kPositionLabelId), "タイムシート進行");
    EXPECT_FALSE(Edit(CControlCommand::kTimeId)->isEnabled());
    combo->setCurrentIndex(3);  // chat
    EXPECT_TRUE(Edit(CControlCommand::kMessageId)->isEnabled());
    Edit(CControlCommand::kMessageId)->setText("こんにちは");
    Type(CControlCommand::kTimeId, "72000");
    PressOk();
    ASSERT_TRUE(Accepted());
    EXPECT_EQ(m_dialog->Block().command, 2);
    EXPECT_EQ(m_dialog->Block().time, 72000);
    EXPECT_EQ(FieldText(m_dialog->Block().message), ToSjis("こんにちは"));
}

TEST_F(ControlCommandTest, ValuesAreReadOnOkAndARefusedOneGoesBack) {
    Open(ControlBlock{}, false);
    Type(CControlCommand::kTimeId, "72001");
    EXPECT_TRUE(m_boxes.errors.isEmpty());  // nothing is said while typing
    PressOk();
    EXPECT_EQ(m_boxes.errors.value(0), "0 から 72000 までの整数を入力してください。");
    EXPECT_FALSE(Accepted());
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(Edit(CControlCommand::kTimeId)->text(), "0");  // the value it held

    m_boxes.errors.clear();
    Type(CControlCommand::kTimeId, "5");
    Type(CControlCommand::kPositionId, "x");
    PressOk();
    EXPECT_EQ(m_boxes.errors.value(0), "整数を入力してください。");
    EXPECT_FALSE(Accepted());
    EXPECT_EQ(Edit(CControlCommand::kPositionId)->text(), "0");

    Type(CControlCommand::kPositionId, "-1");
    PressOk();
    EXPECT_FALSE(Accepted());
    Type(CControlCommand::kPositionId, "12");
    PressOk();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(m_dialog->Block().position, 12);
    EXPECT_EQ(m_dialog->Block().time, 5);
}

TEST_F(ControlCommandTest, TypedTextThatIsNoCommandIsRefusedAloudAndOkWaits) {
    Open(ControlBlock{}, false);
    auto* combo = Get<QComboBox>(CControlCommand::kCommandId);
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "wait");
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->currentText(), "wait");
    PressOk();
    EXPECT_FALSE(Accepted());
    EXPECT_EQ(
        m_boxes.errors,
        QStringList{"「wait」は制御コマンドではありません。一覧からコマンドを選んでください。"});
    combo->setCurrentIndex(6);  // chargeend
    PressOk();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(m_dialog->Block().command, 5);

    // A command's own text, typed in full, is that command.
    Open(ControlBlock{}, false);
    combo = Get<QComboBox>(CControlCommand::kCommandId);
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "x");
    combo->setEditText(combo->itemText(1));  // the rest as an input method would put it
    ASSERT_EQ(combo->currentIndex(), -1);
    PressOk();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(m_dialog->Block().command, 10);  // ウェイト
    EXPECT_EQ(m_boxes.errors.size(), 1);
}

TEST_F(ControlCommandTest, ChangeOpensOnTheFramesValuesAndKeepsReservedWords) {
    ControlBlock block{};
    block.command = 1;
    block.position = 4;
    block.time = 30;
    block.reserved1 = 77;
    block.reserved2 = -8;
    SetFieldText(block.message, ToSjis("台詞"));
    Open(block, true);
    EXPECT_EQ(Get<QComboBox>(CControlCommand::kCommandId)->currentText(), "message");
    EXPECT_EQ(Edit(CControlCommand::kMessageId)->text(), "台詞");
    EXPECT_TRUE(Edit(CControlCommand::kMessageId)->isEnabled());
    EXPECT_EQ(Edit(CControlCommand::kTimeId)->text(), "30");
    EXPECT_EQ(Edit(CControlCommand::kPositionId)->text(), "4");
    Type(CControlCommand::kTimeId, "31");
    PressOk();
    ASSERT_TRUE(Accepted());
    const ControlBlock& result = m_dialog->Block();
    EXPECT_EQ(result.command, 1);
    EXPECT_EQ(result.time, 31);
    EXPECT_EQ(result.position, 4);
    EXPECT_EQ(result.reserved1, 77);
    EXPECT_EQ(result.reserved2, -8);
    EXPECT_EQ(FieldText(result.message), ToSjis("台詞"));
}

}  // namespace
}  // namespace plk
