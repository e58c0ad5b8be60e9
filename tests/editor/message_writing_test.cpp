// Writing a character's words: text fields that refuse what the game cannot show, lines
// that become spoken, the line preview, marked tabs and the keys between them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>
#include <cstring>
#include <functional>
#include <span>

#include "core/content/message_table.h"
#include "core/text/sjis.h"
#include "core/timesheet/cut.h"
#include "editor/app/control_id.h"
#include "editor/app/file_commands.h"
#include "editor/app/multi_row_tab_widget.h"
#include "editor/app/qt_text.h"
#include "editor/app/sjis_input_guard.h"
#include "editor/content/message_browser.h"
#include "editor/content/message_line_preview.h"
#include "editor/content/message_menu.h"
#include "editor/content/profile_browser.h"
#include "editor/content/profile_editer.h"
#include "editor/timesheet/cell_dialog.h"
#include "editor/timesheet/control_command.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor_test_support.h"

namespace plk {
namespace {

const QString kPasted = QStringLiteral("～ですわ♡😀");

// A keystroke that types `text` (QTest only spells ASCII keys).
void TypeKey(QLineEdit* edit, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &release);
}

// Pastes `text` into `edit` where its cursor stands, as Ctrl+V does.
void Paste(QLineEdit* edit, const QString& text) {
    QApplication::clipboard()->setText(text);
    edit->setFocus();
    edit->paste();
    QApplication::processEvents();  // the kept characters go in once the edit is done
}

TEST(SjisInputGuardTest, EveryTextFieldRefusesWhatShiftJisCannotHoldAndKeepsTheRest) {
    test::RecordingMessageBoxes boxes;
    CMessageBrowser messages(nullptr);
    messages.SetMessageBoxes(std::make_unique<test::RecordingMessageBoxes>());
    CProfileBrowser profile(nullptr);
    profile.SetMessageBoxes(std::make_unique<test::RecordingMessageBoxes>());
    CCutName cutName(nullptr);
    CControlCommand control(nullptr, ControlBlock{}, boxes);

    std::vector<QLineEdit*> edits;
    for (int j = 0; j < 4; ++j) {
        edits.push_back(messages.Page()->LineEdit(j));
    }
    for (int id : CProfileEditer::kTextEditIds) {
        // The roman name's own rule refuses kana, whatever the paste kept.
        if (id != CProfileEditer::kTextEditIds[CProfileEditer::kRomanNameField]) {
            edits.push_back(static_cast<QLineEdit*>(FindControl(&profile, id)));
        }
    }
    edits.push_back(cutName.NameEdit());
    edits.push_back(static_cast<QLineEdit*>(FindControl(&control, CControlCommand::kMessageId)));
    edits.back()->setEnabled(true);  // as it is for the commands that carry a message

    for (QLineEdit* edit : edits) {
        ASSERT_NE(edit, nullptr);
        SjisInputGuard* guard = SjisInputGuard::Of(edit);
        ASSERT_NE(guard, nullptr) << edit->property("controlId").toInt();
        QStringList reported;
        guard->SetReport([&](QWidget*, const QString& message) { reported.append(message); });
        edit->setText(QString());

        // A paste keeps every character the game can show, in place.
        Paste(edit, kPasted);
        EXPECT_EQ(edit->text(), "～ですわ") << edit->property("controlId").toInt();
        ASSERT_EQ(reported.size(), 1);
        EXPECT_TRUE(reported[0].contains("「♡」(U+2661)、「😀」(U+1F600)"))
            << reported[0].toStdString();
        EXPECT_TRUE(reported[0].contains("Shift-JIS"));
        // What the fields store is what they show.
        if (edit == messages.Page()->LineEdit(3)) {
            EXPECT_EQ(FieldText(messages.MessageData().situations[0].line[3].text),
                      ToSjis("～ですわ"));
        }
        if (edit == FindControl(&profile, 1115)) {
            EXPECT_EQ(FieldText(profile.ProfileData().profile.freeWord3), ToSjis("～ですわ"));
        }

        // A keystroke of such a character is not taken; the edit keeps its own undo.
        edit->setCursorPosition(1);
        TypeKey(edit, QStringLiteral("♡"));
        QApplication::processEvents();
        EXPECT_EQ(edit->text(), "～ですわ");
        ASSERT_EQ(reported.size(), 2);
        EXPECT_FALSE(reported[1].contains("そのほか"));
        TypeKey(edit, QStringLiteral("あ"));
        EXPECT_EQ(edit->text(), "～あですわ");
        ASSERT_TRUE(edit->isUndoAvailable());
        edit->undo();
        EXPECT_NE(edit->text(), "～あですわ");
    }
}

TEST(SjisInputGuardTest, TextThatTheProgramShowsIsNeverChanged) {
    CMessageBrowser messages(nullptr);
    auto boxes = std::make_unique<test::RecordingMessageBoxes>();
    test::RecordingMessageBoxes* seen = boxes.get();
    messages.SetMessageBoxes(std::move(boxes));
    // A damaged stored line shows its undecodable byte as U+FFFD: shown as it is, no box.
    SituationMessages damaged{};
    std::memcpy(damaged.line[0].text,
                "ab\x80"
                "cd",
                5);
    messages.ImportMessages(std::span<const SituationMessages>(&damaged, 1));
    QApplication::processEvents();
    EXPECT_EQ(messages.Page()->LineEdit(0)->text(), QStringFromSjis("ab\x80"
                                                                    "cd"));
    EXPECT_TRUE(seen->errors.isEmpty());
}

class MessageWritingTest : public testing::Test {
protected:
    void SetUp() override {
        auto boxes = std::make_unique<test::RecordingMessageBoxes>();
        m_boxes = boxes.get();
        m_browser.SetMessageBoxes(std::move(boxes));
    }
    const SituationMessages& Situation(int k) { return m_browser.MessageData().situations[k]; }
    void Type(int line, const QString& text) {
        QLineEdit* edit = m_browser.Page()->LineEdit(line);
        edit->setFocus();
        edit->setText(text);
    }

    CMessageBrowser m_browser{nullptr};
    test::RecordingMessageBoxes* m_boxes = nullptr;
};

TEST_F(MessageWritingTest, TextTypedIntoAnUnusedEmptyLineMakesItSpokenInTheSameStep) {
    m_browser.Tabs()->SetCurrentIndex(20);  // shown: its empty lines are never used
    ASSERT_EQ(Situation(20).line[1].frequency, 0);
    Type(1, "負けない");
    Type(1, "負けないわ");
    EXPECT_EQ(Situation(20).line[1].frequency, 2);
    EXPECT_EQ(m_browser.Page()->FrequencyCombo(1)->currentText(), "普通");
    EXPECT_EQ(m_browser.UndoStack()->count(), 1);
    m_browser.UndoStack()->undo();
    EXPECT_EQ(FieldText(Situation(20).line[1].text), "");
    EXPECT_EQ(Situation(20).line[1].frequency, 0);
    EXPECT_EQ(m_browser.Page()->FrequencyCombo(1)->currentText(), "まったく使わない");
    m_browser.UndoStack()->redo();
    EXPECT_EQ(Situation(20).line[1].frequency, 2);

    // The author can set it back, and a line that already had text keeps its frequency.
    m_browser.Page()->FrequencyCombo(1)->setCurrentIndex(3);
    Q_EMIT m_browser.Page()->FrequencyCombo(1)->activated(3);
    Type(1, "負けないわよ");
    EXPECT_EQ(Situation(20).line[1].frequency, 0);
}

TEST_F(MessageWritingTest, TabsOfSituationsWithLinesAreMarked) {
    MultiRowTabWidget* tabs = m_browser.Tabs();
    m_browser.ResetMessages();  // line 1 of every situation is its label
    for (int k = 0; k < kSituationCount; ++k) {
        EXPECT_TRUE(tabs->IsTabMarked(k)) << k;
    }
    MessageTable empty{};
    m_browser.ImportMessages(empty.situations);
    EXPECT_FALSE(tabs->IsTabMarked(9));
    tabs->SetCurrentIndex(9);
    Type(3, "最下位…");
    EXPECT_TRUE(tabs->IsTabMarked(9));
    EXPECT_FALSE(tabs->IsTabMarked(8));
    m_browser.UndoStack()->undo();
    EXPECT_FALSE(tabs->IsTabMarked(9));
}

TEST_F(MessageWritingTest, PreviewShowsTheLineAsTheWindowTypesItWithItsSize) {
    MessageLinePreview* preview = m_browser.Preview();
    const QString line = QString(69, QChar(0x3042)) + QStringLiteral("いう");  // 71 full-width
    Type(2, line);
    EXPECT_EQ(preview->CountText(), "142 / 511 バイト");
    EXPECT_EQ(preview->Strip().size(), QSize(800, 96));
    // The three lines are drawn; what falls below them is named.
    const QImage strip = preview->Strip();
    for (int row : {16, 48, 80}) {
        bool lit = false;
        for (int x = 0; x < 700 && !lit; ++x) {
            lit = qGray(strip.pixel(x, row)) > 0;
        }
        EXPECT_TRUE(lit) << row;
    }
    EXPECT_TRUE(preview->OverflowText().endsWith("いう")) << preview->OverflowText().toStdString();
    Type(2, QStringLiteral("短い"));
    EXPECT_EQ(preview->CountText(), "4 / 511 バイト");
    EXPECT_TRUE(preview->OverflowText().isEmpty());
}

TEST(TabKeysTest, CtrlTabAndCtrlPageKeysMoveBetweenTabsInBothWindows) {
    test::ClearSettings();
    auto made = test::MakeFrame();
    CMainFrame& frame = *made.frame;
    struct Window {
        QWidget* window;
        MultiRowTabWidget* tabs;
        QWidget* focus;
    };
    CMessageBrowser* messages = frame.MessageBrowser();
    CTimeSheetBase* sheet = frame.TimeSheet();
    const Window windows[] = {
        {messages, messages->Tabs(), messages->Page()->LineEdit(0)},
        {sheet, sheet->findChild<MultiRowTabWidget*>(),
         static_cast<QWidget*>(sheet->CurrentPage())},
    };
    for (const Window& w : windows) {
        ASSERT_NE(w.tabs, nullptr);
        w.window->show();
        QApplication::setActiveWindow(w.window);
        w.focus->setFocus();
        QApplication::processEvents();
        const int count = w.tabs->Count();
        w.tabs->SetCurrentIndex(0);
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w.window;
        QTest::keyClick(target, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(w.tabs->CurrentIndex(), 1);
        QTest::keyClick(target, Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(w.tabs->CurrentIndex(), 2);
        QTest::keyClick(target, Qt::Key_PageUp, Qt::ControlModifier);
        EXPECT_EQ(w.tabs->CurrentIndex(), 1);
        QTest::keyClick(target, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(w.tabs->CurrentIndex(), 0);
        // Round from the first to the last.
        QTest::keyClick(target, Qt::Key_PageUp, Qt::ControlModifier);
        EXPECT_EQ(w.tabs->CurrentIndex(), count - 1);
    }
}

TEST(FieldRedoKeyTest, CtrlYRedoesTheFocusedFieldsOwnTyping) {
    test::ClearSettings();
    auto made = test::MakeFrame();
    CMessageBrowser* messages = made.frame->MessageBrowser();
    messages->show();
    QApplication::setActiveWindow(messages);
    QLineEdit* edit = messages->Page()->LineEdit(1);
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    QTest::keyClicks(edit, "ab");
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(edit->text(), "ab");
    const int steps = made.frame->Commands().UndoStack()->index();
    QTest::keyClick(edit, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "ab");
    EXPECT_EQ(FieldText(messages->MessageData().situations[0].line[1].text), "ab");
    // The project's redo did not run: the field's typing made the change.
    EXPECT_GE(made.frame->Commands().UndoStack()->index(), steps);
}

}  // namespace
}  // namespace plk
