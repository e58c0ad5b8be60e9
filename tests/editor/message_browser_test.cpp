#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QUndoCommand>
#include <QUndoStack>
#include <functional>

#include "core/content/cut_references.h"
#include "core/text/sjis.h"
#include "core/timesheet/cut.h"
#include "editor/app/control_id.h"
#include "editor/app/file_commands.h"
#include "editor/app/multi_row_tab_bar.h"
#include "editor/app/multi_row_tab_widget.h"
#include "editor/content/message_browser.h"
#include "editor/content/message_menu.h"
#include "editor/content/profile_browser.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor_test_support.h"

namespace plk {
namespace {

// A time-sheet command as the time sheet records it: doing it announces the change,
// undoing it announces the opposite change.
class CutListCommand : public QUndoCommand {
public:
    CutListCommand(QWidget* receiver, std::uint32_t doMessage, WParam doPosition,
                   std::uint32_t undoMessage, WParam undoPosition, LParam countAfter,
                   LParam countBefore)
        : m_receiver(receiver),
          m_do{doMessage, doPosition, countAfter},
          m_undo{undoMessage, undoPosition, countBefore} {}
    void redo() override { Send(m_do); }
    void undo() override { Send(m_undo); }

private:
    struct Announcement {
        std::uint32_t message;
        WParam position;
        LParam count;
    };
    void Send(const Announcement& a) {
        SendWindowMessage(m_receiver, a.message, a.position, a.count);
        CutNameTable names = DefaultCutNames();
        SendWindowMessage(m_receiver, WM_CUT_NAMES, reinterpret_cast<WParam>(&names), a.count);
    }
    QWidget* m_receiver;
    Announcement m_do;
    Announcement m_undo;
};

// Deleting cut k of n, as the time sheet does and undoes it.
std::unique_ptr<QUndoCommand> DeleteCut(QWidget* receiver, int k, int n) {
    return std::make_unique<CutListCommand>(receiver, WM_CUT_DELETED, k, WM_CUT_INSERTED,
                                            static_cast<WParam>(k - 1), n - 1, n);
}
// Appending a cut to n cuts: announced after the former last cut.
std::unique_ptr<QUndoCommand> AppendCut(QWidget* receiver, int n) {
    return std::make_unique<CutListCommand>(receiver, WM_CUT_INSERTED, n - 1, WM_CUT_DELETED, n,
                                            n + 1, n);
}

class MessageBrowserTest : public testing::Test {
protected:
    void SetUp() override {
        auto boxes = std::make_unique<test::RecordingMessageBoxes>();
        m_boxes = boxes.get();
        m_browser.SetMessageBoxes(std::move(boxes));
        SendNames(3);
    }
    void SendNames(int count) {
        CutNameTable names = DefaultCutNames();
        SendWindowMessage(&m_browser, WM_CUT_NAMES, reinterpret_cast<WParam>(&names), count);
    }
    CMessageMenu& Page() { return *m_browser.Page(); }
    const SituationMessages& Situation(int k) { return m_browser.MessageData().situations[k]; }
    void Choose(QComboBox* combo, int item) {
        combo->setCurrentIndex(item);
        Q_EMIT combo->activated(item);
    }
    void Type(int line, const QString& text) {
        QLineEdit* edit = Page().LineEdit(line);
        edit->setFocus();
        edit->setText(text);
    }
    void LeaveLine(int line) {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(Page().LineEdit(line), &out);
        QApplication::processEvents();  // the warning comes once the focus has moved
    }
    SituationCuts CutsOf(int k) {
        const SituationMessages& s = Situation(k);
        return {s.windowCut, s.lineCut[0], s.lineCut[1], s.lineCut[2], s.lineCut[3]};
    }

    CMessageBrowser m_browser{nullptr};
    test::RecordingMessageBoxes* m_boxes = nullptr;
};

TEST_F(MessageBrowserTest, ShowsEverySituationAsATabOnSeveralRows) {
    auto* tabs = qobject_cast<MultiRowTabWidget*>(FindControl(&m_browser, 1089));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->Count(), 41);
    EXPECT_EQ(tabs->TabText(0), "Ａ：テンパイ");
    EXPECT_EQ(tabs->TabText(40), "ｚ：メンバー選択時");
    m_browser.show();
    QApplication::processEvents();
    EXPECT_GT(tabs->TabBar()->RowCount(), 1);
    const QRect bar = tabs->TabBar()->rect();
    for (int k = 0; k < 41; ++k) {
        EXPECT_TRUE(bar.contains(tabs->TabBar()->TabRect(k))) << k;
    }
    for (int id : {1102, 1087, 1091, 1092, 1093, 1094, 1095, 1096, 1097, 1103, 1104, 1105, 1106}) {
        EXPECT_NE(FindControl(&m_browser, id), nullptr) << id;
    }
    // Situation 0 was shown at start: its empty lines have frequency 0.
    EXPECT_EQ(Page().LineEdit(0)->text(), "テンパイ");
    EXPECT_EQ(Situation(0).line[1].frequency, 0);
    EXPECT_EQ(Page().FrequencyCombo(1)->currentText(), "まったく使わない");
    EXPECT_EQ(Situation(1).line[1].frequency, 2);  // not shown yet
}

TEST_F(MessageBrowserTest, WindowCutComboSetsEveryCutOfTheSituationALineComboOnlyItsOwn) {
    m_browser.Tabs()->SetCurrentIndex(5);
    Choose(Page().CutCombo(0), 2);  // combo 1102
    EXPECT_EQ(CutsOf(5), (SituationCuts{2, 2, 2, 2, 2}));
    Choose(Page().CutCombo(2), 1);  // combo 1104, line 2
    EXPECT_EQ(CutsOf(5), (SituationCuts{2, 2, 1, 2, 2}));
    EXPECT_EQ(CutsOf(4), (SituationCuts{0, 0, 0, 0, 0}));
    EXPECT_EQ(Page().CutCombo(0)->currentIndex(), 2);  // the other combos stay as they are

    // One undo step each; undo shows the restored values.
    m_browser.UndoStack()->undo();
    EXPECT_EQ(CutsOf(5), (SituationCuts{2, 2, 2, 2, 2}));
    EXPECT_EQ(Page().CutCombo(2)->currentIndex(), 2);
    m_browser.Tabs()->SetCurrentIndex(0);
    m_browser.UndoStack()->undo();  // brings situation 5 back to the front
    EXPECT_EQ(m_browser.SelectedSituation(), 5);
    EXPECT_EQ(CutsOf(5), (SituationCuts{0, 0, 0, 0, 0}));
    EXPECT_EQ(Page().CutCombo(0)->currentIndex(), 0);
}

TEST_F(MessageBrowserTest, NothingIsStoredWithoutASelection) {
    SendWindowMessage(&m_browser, WM_MESSAGE_CUT_CHANGED, 1, -1);
    SendWindowMessage(&m_browser, WM_MESSAGE_FREQUENCY_CHANGED, 1, -1);
    Page().CutCombo(0)->setCurrentIndex(-1);
    Q_EMIT Page().CutCombo(0)->activated(-1);
    EXPECT_EQ(CutsOf(0), (SituationCuts{0, 0, 0, 0, 0}));
    EXPECT_EQ(m_browser.UndoStack()->count(), 0);
}

TEST_F(MessageBrowserTest, TypingIsOneUndoStepPerFocusAndClearedLinesSettleWhenShown) {
    m_browser.Tabs()->SetCurrentIndex(2);
    Type(0, "ポ");
    Type(0, "ポン");
    Type(0, "ポンだ");
    EXPECT_EQ(FieldText(Situation(2).line[0].text), ToSjis("ポンだ"));
    EXPECT_EQ(m_browser.UndoStack()->count(), 1);
    LeaveLine(0);
    Type(0, "");  // a new step after the focus left
    EXPECT_EQ(m_browser.UndoStack()->count(), 2);
    EXPECT_EQ(Situation(2).line[0].frequency, 2);  // kept until shown again

    Choose(Page().FrequencyCombo(1), 0);  // "よく使う"
    EXPECT_EQ(Situation(2).line[1].frequency, 3);

    m_browser.Tabs()->SetCurrentIndex(3);
    m_browser.Tabs()->SetCurrentIndex(2);
    EXPECT_EQ(Situation(2).line[0].frequency, 0);
    EXPECT_EQ(Page().FrequencyCombo(0)->currentText(), "まったく使わない");

    m_browser.UndoStack()->undo();  // the frequency
    m_browser.UndoStack()->undo();  // the clearing
    EXPECT_EQ(FieldText(Situation(2).line[0].text), ToSjis("ポンだ"));
    EXPECT_EQ(Page().LineEdit(0)->text(), "ポンだ");
    m_browser.UndoStack()->undo();
    EXPECT_EQ(FieldText(Situation(2).line[0].text), ToSjis("ポン"));  // first-creation default
}

// Each kind of edit is made in a shown browser, which the author then leaves for another
// situation and hides; undo and redo show it again on the edit's situation with the changed
// control focused. Making the edit itself moves nothing.
TEST_F(MessageBrowserTest, UndoAndRedoBringTheEditedSituationAndControlIntoView) {
    struct Case {
        const char* name;
        std::function<void()> edit;
        std::function<QWidget*()> control;
    };
    const Case cases[] = {
        {"line text", [&] { Type(2, "ロンだ"); }, [&] { return Page().LineEdit(2); }},
        {"frequency", [&] { Choose(Page().FrequencyCombo(3), 0); },
         [&] { return Page().FrequencyCombo(3); }},
        {"line cut", [&] { Choose(Page().CutCombo(4), 2); }, [&] { return Page().CutCombo(4); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_browser.show();
        m_browser.Tabs()->SetCurrentIndex(7);
        c.edit();
        QWidget* other = Page().LineEdit(0);
        other->setFocus();
        m_browser.Tabs()->SetCurrentIndex(12);
        m_browser.hide();

        m_browser.UndoStack()->undo();
        EXPECT_TRUE(m_browser.isVisible());
        EXPECT_EQ(m_browser.SelectedSituation(), 7);
        EXPECT_EQ(m_browser.focusWidget(), c.control());

        other->setFocus();
        m_browser.Tabs()->SetCurrentIndex(12);
        m_browser.hide();
        m_browser.UndoStack()->redo();
        EXPECT_TRUE(m_browser.isVisible());
        EXPECT_EQ(m_browser.SelectedSituation(), 7);
        EXPECT_EQ(m_browser.focusWidget(), c.control());
    }
    // The line shows what the redo stored.
    EXPECT_EQ(Page().LineEdit(2)->text(), "ロンだ");

    // The first run of an edit leaves a hidden browser hidden.
    m_browser.hide();
    m_browser.Tabs()->SetCurrentIndex(9);
    Choose(Page().CutCombo(1), 1);
    EXPECT_FALSE(m_browser.isVisible());
}

TEST_F(MessageBrowserTest, TextsAreCutTo511BytesAtACharacterBoundary) {
    Type(3, "a" + QString(300, QChar(0x3042)));  // 1 + 600 bytes
    EXPECT_EQ(FieldText(Situation(0).line[3].text).size(), 511u);
    EXPECT_EQ(Page().LineEdit(3)->text(), "a" + QString(255, QChar(0x3042)));
    Type(3, QString(300, QChar(0x3042)));
    EXPECT_EQ(FieldText(Situation(0).line[3].text).size(), 510u);
}

TEST_F(MessageBrowserTest, EscapeCheckWarnsOnFocusLossAndKeepsTheText) {
    Type(1, "\\chara(1,2)やった");
    LeaveLine(1);
    EXPECT_TRUE(m_boxes->errors.isEmpty());
    Type(1, "\\chara(1,2やった");
    LeaveLine(1);
    // The warning names the situation and the line it is about.
    ASSERT_EQ(m_boxes->errors.size(), 1);
    EXPECT_EQ(m_boxes->errors[0],
              "Ａ：テンパイ のセリフ2:\n"
              "\\charaの書式に誤りがあります：')'が抜けている可能性があります");
    EXPECT_EQ(FieldText(Situation(0).line[1].text), ToSjis("\\chara(1,2やった"));
    Type(1, "はい, どうぞ");
    LeaveLine(1);
    ASSERT_EQ(m_boxes->errors.size(), 2);
    EXPECT_EQ(m_boxes->errors[1],
              "Ａ：テンパイ のセリフ2:\n"
              "\\charaの書式に誤りがあります：','が抜けている可能性があります");

    // Moving to another situation with Ctrl+Tab leaves the focus in the edit: the line is
    // checked for the situation it was written in.
    m_browser.show();
    QApplication::setActiveWindow(&m_browser);
    Type(2, "\\chara(3,4");
    QApplication::processEvents();
    ASSERT_TRUE(Page().LineEdit(2)->hasFocus());
    const qsizetype before = m_boxes->errors.size();
    m_browser.Tabs()->SelectNeighbour(1);
    QApplication::processEvents();
    ASSERT_EQ(m_boxes->errors.size(), before + 1);
    EXPECT_TRUE(m_boxes->errors.back().startsWith("Ａ：テンパイ のセリフ3:\n"))
        << m_boxes->errors.back().toStdString();
    EXPECT_EQ(m_browser.SelectedSituation(), 1);
}

TEST_F(MessageBrowserTest, CutListChangesShiftEveryStoredCutAndRelabelTheCombos) {
    SendNames(4);
    m_browser.Tabs()->SetCurrentIndex(7);
    Choose(Page().CutCombo(1), 2);
    Choose(Page().CutCombo(2), 3);
    ASSERT_EQ(CutsOf(7), (SituationCuts{0, 2, 3, 0, 0}));

    SendWindowMessage(&m_browser, WM_CUT_INSERTED, 2, 5);
    EXPECT_EQ(CutsOf(7), (SituationCuts{0, 2, 4, 0, 0}));
    EXPECT_EQ(Page().CutCombo(2)->count(), 5);
    EXPECT_EQ(Page().CutCombo(2)->itemText(4), "カット:5");
    EXPECT_EQ(Page().CutCombo(2)->currentIndex(), 4);

    SendWindowMessage(&m_browser, WM_CUT_DELETED, 2, 4);
    EXPECT_EQ(CutsOf(7), (SituationCuts{0, 1, 3, 0, 0}));
    SendWindowMessage(&m_browser, WM_CUT_DELETED, 0, 3);
    EXPECT_EQ(CutsOf(7), (SituationCuts{0, 0, 2, 0, 0}));

    // The names replace the numbered items; the indices stay.
    SendNames(3);
    EXPECT_EQ(Page().CutCombo(2)->itemText(2), "カット：3");
    EXPECT_EQ(Page().CutCombo(2)->currentIndex(), 2);

    SendWindowMessage(&m_browser, WM_CUT_INSERTED, 8, 10);
    EXPECT_EQ(Page().CutCombo(0)->itemText(9), "カット:10");
}

TEST_F(MessageBrowserTest, StoredCutPastTheListShowsNoSelectionAndIsKept) {
    std::vector<SituationMessages> block(m_browser.MessageData().situations.begin(),
                                         m_browser.MessageData().situations.end());
    block[0].lineCut[0] = 9;
    m_browser.ImportMessages(block);
    EXPECT_EQ(Page().CutCombo(1)->currentIndex(), -1);
    EXPECT_EQ(Situation(0).lineCut[0], 9);
}

TEST_F(MessageBrowserTest, UndoingTheTimeSheetsDeletionPutsEveryReferenceBack) {
    SendNames(4);
    m_browser.Tabs()->SetCurrentIndex(1);
    Choose(Page().CutCombo(1), 3);  // the last cut
    Choose(Page().CutCombo(2), 2);
    Choose(Page().CutCombo(3), 1);
    const SituationCuts before = CutsOf(1);
    ASSERT_EQ(before, (SituationCuts{0, 3, 2, 1, 0}));
    QUndoStack* history = m_browser.UndoStack();

    for (int k : {3, 2, 0}) {
        history->push(DeleteCut(&m_browser, k, 4).release());
        history->undo();
        EXPECT_EQ(CutsOf(1), before) << "deleting cut " << k;
        history->redo();
        history->undo();
        EXPECT_EQ(CutsOf(1), before) << "redoing the deletion of cut " << k;
        EXPECT_EQ(Page().CutCombo(1)->currentIndex(), 3);
        EXPECT_EQ(Page().CutCombo(1)->itemText(3), "カット：4");
    }

    // A new cut after a deletion is not an undo: what the deletion moved stays moved.
    history->push(DeleteCut(&m_browser, 3, 4).release());
    history->push(AppendCut(&m_browser, 3).release());
    EXPECT_EQ(CutsOf(1), (SituationCuts{0, 2, 2, 1, 0}));
    history->undo();
    history->undo();
    EXPECT_EQ(CutsOf(1), before);
}

// With the real time sheet: its cut edits and their undo keep every reference in place.
TEST(MessagesInFrameTest, FollowTheTimeSheetsCutEditsThroughUndoAndRedo) {
    test::ClearSettings();
    auto made = test::MakeFrame();
    CMainFrame& frame = *made.frame;
    CMessageMenu& page = *frame.MessageBrowser()->Page();
    auto choose = [](QComboBox* combo, int item) {
        combo->setCurrentIndex(item);
        Q_EMIT combo->activated(item);
    };
    choose(page.CutCombo(1), 2);
    choose(page.CutCombo(2), 1);
    auto* profileCut = qobject_cast<QComboBox*>(FindControl(frame.ProfileBrowser(), 1107));
    ASSERT_NE(profileCut, nullptr);
    choose(profileCut, 2);
    const SituationMessages& s = frame.MessageBrowser()->MessageData().situations[0];
    auto profile = [&] { return frame.ProfileBrowser()->ProfileData().profile.profileCut; };
    QUndoStack* history = frame.Commands().UndoStack();

    constexpr int kInsertCut = 213;
    constexpr int kDeleteCut = 214;
    for (int k : {2, 0}) {
        frame.TimeSheet()->RunCutCommand(kDeleteCut, k);
        ASSERT_EQ(page.CutCombo(1)->count(), 2);
        // The names came back after the numbered items.
        EXPECT_EQ(page.CutCombo(1)->itemText(1), k == 2 ? "カット：2" : "カット：3");
        history->undo();
        EXPECT_EQ(s.lineCut[0], 2) << k;
        EXPECT_EQ(s.lineCut[1], 1) << k;
        EXPECT_EQ(profile(), 2) << k;
        EXPECT_EQ(page.CutCombo(1)->currentIndex(), 2);
        history->redo();
        EXPECT_EQ(s.lineCut[0], 1) << k;
        history->undo();
        EXPECT_EQ(s.lineCut[0], 2) << k;
    }
    frame.TimeSheet()->RunCutCommand(kInsertCut, 0);
    EXPECT_EQ(page.CutCombo(1)->count(), 4);
    EXPECT_EQ(s.lineCut[0], 2);
    EXPECT_EQ(profile(), 2);
    history->undo();
    EXPECT_EQ(page.CutCombo(1)->count(), 3);
    EXPECT_EQ(s.lineCut[0], 2);
}

// Numbers that name no cut stay as stored through the time sheet's insertion, also one
// that the new cut makes valid, and its undo gives every one of them back exactly.
TEST(MessagesInFrameTest, NumbersOutsideTheCutListSurviveInsertionAndItsUndo) {
    test::ClearSettings();
    auto made = test::MakeFrame();
    CMainFrame& frame = *made.frame;
    CMessageBrowser& browser = *frame.MessageBrowser();
    std::vector<SituationMessages> block(browser.MessageData().situations.begin(),
                                         browser.MessageData().situations.end());
    const SituationCuts stored{2147483647, 3, -1, 2, 0};  // three cuts: 0..2
    block[4].windowCut = stored[0];
    std::copy(stored.begin() + 1, stored.end(), block[4].lineCut);
    browser.ImportMessages(block);
    const SituationMessages& s = browser.MessageData().situations[4];
    auto cuts = [&s] {
        return SituationCuts{s.windowCut, s.lineCut[0], s.lineCut[1], s.lineCut[2], s.lineCut[3]};
    };
    QUndoStack* history = frame.Commands().UndoStack();

    constexpr int kInsertCut = 213;  // appends a fourth cut, which 3 then names
    frame.TimeSheet()->RunCutCommand(kInsertCut, 0);
    EXPECT_EQ(cuts(), stored);
    history->undo();
    EXPECT_EQ(cuts(), stored);
    history->redo();
    history->undo();
    EXPECT_EQ(cuts(), stored);
}

}  // namespace
}  // namespace plk
