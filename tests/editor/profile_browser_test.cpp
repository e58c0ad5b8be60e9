#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <functional>

#include "core/project/project_file.h"
#include "core/text/sjis.h"
#include "core/timesheet/cut.h"
#include "editor/app/control_id.h"
#include "editor/app/file_commands.h"
#include "editor/content/message_browser.h"
#include "editor/content/profile_browser.h"
#include "editor/content/profile_editer.h"
#include "editor/content/profile_tendency.h"
#include "editor_test_support.h"

namespace plk {
namespace {

const QString kKanaOnly =
    " このフィールドに入力される文字は全角ひらがなカタカナ漢字である必要があります";
const QString kAlphanumericOnly = " このフィールドに入力される文字は英数字である必要があります";

class ProfileBrowserTest : public testing::Test {
protected:
    void SetUp() override {
        auto boxes = std::make_unique<test::RecordingMessageBoxes>();
        m_boxes = boxes.get();
        m_browser.SetMessageBoxes(std::move(boxes));
        CutNameTable names = DefaultCutNames();
        SendWindowMessage(&m_browser, WM_CUT_NAMES, reinterpret_cast<WParam>(&names), 4);
    }
    template <typename T>
    T* Control(int id) {
        auto* control = qobject_cast<T*>(FindControl(&m_browser, id));
        EXPECT_NE(control, nullptr) << id;
        return control;
    }
    void Type(int id, const QString& text) { Control<QLineEdit>(id)->setText(text); }
    void Choose(int id, int item) {
        auto* combo = Control<QComboBox>(id);
        combo->setCurrentIndex(item);
        Q_EMIT combo->activated(item);
    }
    const ProfileRecord& Profile() const { return m_browser.ProfilePage()->Record(); }
    const TendencyRecord& Tendency() const { return m_browser.TendencyPage()->Record(); }

    CProfileBrowser m_browser{nullptr};
    test::RecordingMessageBoxes* m_boxes = nullptr;
};

TEST_F(ProfileBrowserTest, TwoPagesWithEveryControl) {
    auto* tabs = Control<QTabWidget>(1118);
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "キャラクタ");
    EXPECT_EQ(tabs->tabText(1), "麻雀");
    for (int id : {1103, 1104, 1110, 1105, 1106, 1108, 1112, 1113, 1114, 1115}) {
        Control<QLineEdit>(id);
    }
    for (int id : {1107, 1111, 1109, 1119, 1120, 1121, 1124, 1125, 1126, 1127, 1128}) {
        Control<QComboBox>(id);
    }
    for (int id : {1122, 1134, 1135, 1136, 1129, 1130, 1131, 1132, 1133}) {
        EXPECT_EQ(Control<QSlider>(id)->maximum(), 4) << id;
    }
    EXPECT_EQ(Control<QLineEdit>(1105)->text(), "Age:");
    EXPECT_EQ(Control<QLineEdit>(1106)->text(), "Nation:");
    EXPECT_EQ(Control<QComboBox>(1119)->count(), 113);
    EXPECT_EQ(Control<QComboBox>(1121)->currentText(), "全倒鋪(1翻)");
    EXPECT_EQ(Control<QComboBox>(1124)->count(), 44);
    EXPECT_EQ(Control<QComboBox>(1124)->currentText(), "七対子");
    EXPECT_EQ(Control<QLabel>(1123)->text(), "2");
    EXPECT_EQ(Control<QSlider>(1131)->toolTip(), "0に設定するとその役を全く狙わなくなります");
    EXPECT_EQ(Control<QComboBox>(1109)->count(), 4);
}

TEST_F(ProfileBrowserTest, RejectedKeystrokePutsBackThePreviousTextWithOneBox) {
    Type(1104, "Yuki 2");
    Type(1104, "Yuki 2ｱ");  // half-width katakana
    ASSERT_EQ(m_boxes->errors.size(), 1);
    EXPECT_EQ(m_boxes->captions[0], "入力エラー");
    EXPECT_EQ(m_boxes->errors[0], kAlphanumericOnly);
    EXPECT_EQ(Control<QLineEdit>(1104)->text(), "Yuki 2");
    EXPECT_EQ(FieldText(Profile().romanName), "Yuki 2");
    Type(1104, "Yuki 2ＡＺｚ９!");
    Type(1104, "Yuki 2ＡＺｚ９!ゆ");
    EXPECT_EQ(m_boxes->errors.size(), 2);
    EXPECT_EQ(FieldText(Profile().romanName), ToSjis("Yuki 2ＡＺｚ９!"));

    Type(1103, "ゆきノ雪ー　");
    EXPECT_EQ(FieldText(Profile().characterName), ToSjis("ゆきノ雪ー　"));
    Type(1103, "ゆきノ雪ー　A");
    ASSERT_EQ(m_boxes->errors.size(), 3);
    EXPECT_EQ(m_boxes->errors[2], kKanaOnly);
    EXPECT_EQ(Control<QLineEdit>(1103)->text(), "ゆきノ雪ー　");
}

TEST_F(ProfileBrowserTest, TextsKeepTheirFirstLineUpTo255Bytes) {
    Type(1113, QString(200, QChar(0x3042)));
    EXPECT_EQ(FieldText(Profile().freeWord1).size(), 254u);
    EXPECT_EQ(Control<QLineEdit>(1113)->text(), QString(127, QChar(0x3042)));
    Type(1110, "Yuki\nsecond");
    EXPECT_EQ(FieldText(Profile().nickname), "Yuki");
}

TEST_F(ProfileBrowserTest, LoadingKeepsNamesThatFailTheirCheckAndWarnsOnce) {
    ProfileBlock block = ResetProfile();
    SetFieldText(block.profile.characterName, "Yukino");
    SetFieldText(block.profile.romanName, ToSjis("ゆきの"));
    block.tendency.favourite3 = 50;  // past the table
    m_browser.LoadProfile(block);
    ASSERT_EQ(m_boxes->errors.size(), 1);
    // The warning names the fields with their stored text and says they were kept.
    EXPECT_EQ(m_boxes->errors[0],
              "このプロジェクトに保存されている次の名前は入力の規則に合いませんが、"
              "変えずにそのまま残しました。\n"
              "キャラクター名「Yukino」:" +
                  kKanaOnly + "\n英字名「ゆきの」:" + kAlphanumericOnly);
    EXPECT_EQ(Control<QLineEdit>(1103)->text(), "Yukino");
    const ProfileBlock data = m_browser.ProfileData();
    EXPECT_EQ(std::memcmp(&data, &block, sizeof block), 0);
    EXPECT_EQ(Control<QComboBox>(1126)->currentIndex(), -1);

    // Typing into a stored name checks only what is typed.
    Type(1103, "Yukinoゆ");
    EXPECT_EQ(FieldText(Profile().characterName), ToSjis("Yukinoゆ"));
    EXPECT_EQ(m_boxes->errors.size(), 1);
}

TEST_F(ProfileBrowserTest, CutCombosFollowTheCutList) {
    Choose(1107, 2);
    EXPECT_EQ(Profile().profileCut, 2);
    SendWindowMessage(&m_browser, WM_CUT_INSERTED, 1, 5);
    EXPECT_EQ(Profile().profileCut, 3);
    EXPECT_EQ(Control<QComboBox>(1107)->itemText(4), "カット:5");
    EXPECT_EQ(Control<QComboBox>(1107)->currentIndex(), 3);
    SendWindowMessage(&m_browser, WM_CUT_DELETED, 3, 4);
    EXPECT_EQ(Profile().profileCut, 2);
    SendWindowMessage(&m_browser, WM_CUT_DELETED, 0, 3);
    EXPECT_EQ(Profile().profileCut, 1);
    EXPECT_EQ(Profile().menuIconCut, 0);
}

TEST_F(ProfileBrowserTest, TendencyStoresEveryChoiceAndSliderStep) {
    Choose(1120, 112);
    Choose(1125, 42);  // "特殊役２"
    auto* strength = Control<QSlider>(1122);
    strength->triggerAction(QSlider::SliderSingleStepAdd);
    EXPECT_EQ(Tendency().specialYaku2, 112);
    EXPECT_EQ(Tendency().favourite2, 42);
    EXPECT_EQ(Tendency().strength, 3);
    EXPECT_EQ(Control<QLabel>(1123)->text(), "3");
    Control<QSlider>(1133)->triggerAction(QSlider::SliderToMinimum);
    EXPECT_EQ(Tendency().weight5, 0);
    EXPECT_EQ(Tendency().favourite5, 0);

    QUndoStack* history = m_browser.UndoStack();
    EXPECT_EQ(history->count(), 4);
    Control<QTabWidget>(1118)->setCurrentIndex(0);
    history->undo();
    history->undo();
    EXPECT_EQ(Tendency().strength, 2);
    EXPECT_EQ(Control<QLabel>(1123)->text(), "2");
    EXPECT_EQ(Control<QSlider>(1133)->value(), 2);
    EXPECT_EQ(Control<QTabWidget>(1118)->currentIndex(), 1);
}

// An undo or redo shows the hidden browser on the page of the field it changed, with that
// field focused; the edit itself moves nothing.
TEST_F(ProfileBrowserTest, UndoAndRedoBringTheEditedFieldIntoView) {
    struct Case {
        const char* name;
        std::function<void()> edit;
        int control;
        int page;
    };
    const Case cases[] = {
        {"text", [&] { Type(1110, "Yuki"); }, 1110, 0},
        {"cut", [&] { Choose(1111, 2); }, 1111, 0},
        {"slider", [&] { Control<QSlider>(1131)->triggerAction(QSlider::SliderSingleStepAdd); },
         1131, 1},
        {"combo", [&] { Choose(1127, 5); }, 1127, 1},
    };
    auto* tabs = Control<QTabWidget>(1118);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_browser.hide();
        c.edit();
        EXPECT_FALSE(m_browser.isVisible());
        for (const bool undo : {true, false}) {
            tabs->setCurrentIndex(1 - c.page);
            Control<QWidget>(1118)->setFocus();
            m_browser.hide();
            undo ? m_browser.UndoStack()->undo() : m_browser.UndoStack()->redo();
            EXPECT_TRUE(m_browser.isVisible());
            EXPECT_EQ(tabs->currentIndex(), c.page);
            EXPECT_EQ(m_browser.focusWidget(), Control<QWidget>(c.control));
        }
    }
    EXPECT_EQ(Control<QLineEdit>(1110)->text(), "Yuki");
}

TEST_F(ProfileBrowserTest, ResetAndLegacyImport) {
    Type(1110, "Yuki");
    Choose(1119, 5);
    LegacyProfileRecord legacy{};
    SetFieldText(legacy.characterName, ToSjis("ゆきの"));
    legacy.specialYaku[0] = 7;
    legacy.specialYaku[1] = 8;
    legacy.specialYaku[2] = 9;
    legacy.menuIconCut = 2;
    m_browser.ImportLegacyProfile(legacy);
    EXPECT_EQ(Control<QLineEdit>(1110)->text(), "");
    EXPECT_EQ(Control<QLineEdit>(1105)->text(), "Age:");
    EXPECT_EQ(Control<QLineEdit>(1103)->text(), "ゆきの");
    EXPECT_EQ(Control<QComboBox>(1111)->currentIndex(), 2);
    EXPECT_EQ(Control<QComboBox>(1121)->currentIndex(), 9);
    EXPECT_EQ(Tendency().favourite1, 14);
    EXPECT_TRUE(m_boxes->errors.isEmpty());
    m_browser.ResetProfile();
    const ProfileBlock reset = ResetProfile();
    const ProfileBlock data = m_browser.ProfileData();
    EXPECT_EQ(std::memcmp(&data, &reset, sizeof reset), 0);
}

// In the frame both browsers share one history.
TEST(ProfileInFrameTest, MessageWindowCutGoesToEverySituationAsOneUndoStep) {
    test::ClearSettings();
    auto made = test::MakeFrame();
    CMainFrame& frame = *made.frame;
    auto* combo = qobject_cast<QComboBox*>(FindControl(frame.ProfileBrowser(), 1109));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(2);
    Q_EMIT combo->activated(2);
    EXPECT_EQ(frame.ProfileBrowser()->ProfileData().profile.messageWindowCut, 2);
    for (const SituationMessages& s : frame.MessageBrowser()->MessageData().situations) {
        EXPECT_EQ(s.windowCut, 2);
        EXPECT_EQ(s.lineCut[3], 2);
    }
    EXPECT_TRUE(frame.Commands().IsModified());
    frame.Commands().UndoStack()->undo();
    EXPECT_EQ(frame.ProfileBrowser()->ProfileData().profile.messageWindowCut, 0);
    EXPECT_EQ(frame.MessageBrowser()->MessageData().situations[40].lineCut[0], 0);
    EXPECT_FALSE(frame.Commands().IsModified());
    frame.Commands().UndoStack()->redo();
    const Project project = frame.Commands().GatherProject();
    EXPECT_EQ(project.messages.situations[17].windowCut, 2);
    EXPECT_EQ(project.profile.profile.messageWindowCut, 2);
}

TEST(ProfileInFrameTest, OpenAndSaveKeepStoredNamesThatFailTheirCheck) {
    test::ClearSettings();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Project project = NewProject();
    SetFieldText(project.profile.profile.characterName, "Yukino");
    SetFieldText(project.profile.profile.romanName, ToSjis("ゆきの"));
    ShowSituation(project.messages, 0);  // as the editor shows it on opening
    const QString stored = dir.filePath("names.cre");
    const QString saved = dir.filePath("saved.cre");
    WriteProjectFile(ToFileSystemPath(stored), project);

    auto made = test::MakeFrame();
    ASSERT_TRUE(made.frame->Commands().OpenFile(stored));
    EXPECT_EQ(made.profileBoxes->errors.size(), 1);
    EXPECT_EQ(made.profileBoxes->captions.value(0), "入力エラー");
    EXPECT_FALSE(made.frame->Commands().IsModified());
    made.files->answers.push_back(saved);
    ASSERT_TRUE(made.frame->Commands().SaveAs());
    EXPECT_EQ(ReadProjectFile(ToFileSystemPath(saved)).project.profile.profile.characterName,
              std::string("Yukino"));
    auto bytes = [](const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    };
    EXPECT_EQ(bytes(saved), bytes(stored));
}

}  // namespace
}  // namespace plk
