// The message and profile browsers in English: the yaku names the editor lists for translation
// are the core's, the windows' texts, combo items and undo texts turn English with the
// translation installed, and the data they hold stays the same bytes in both languages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QUndoStack>
#include <cstring>
#include <memory>
#include <vector>

#include "core/content/tendency.h"
#include "core/text/sjis.h"
#include "core/timesheet/cut.h"
#include "editor/app/control_id.h"
#include "editor/app/multi_row_tab_widget.h"
#include "editor/app/ui_language.h"
#include "editor/content/message_browser.h"
#include "editor/content/message_menu.h"
#include "editor/content/profile_browser.h"
#include "editor/content/profile_editer.h"
#include "editor/content/profile_tendency.h"
#include "editor/content/yaku_names.h"
#include "editor_test_support.h"
#include "language_test.h"

namespace plk {
namespace {

class BrowserTranslationTest : public test::LanguageTest {};

// The editor's list of yaku names must not drift from the core's tables, which the game's
// indices point into; only the shown name changes with the language.
TEST_F(BrowserTranslationTest, YakuNamesAreTheCoresTablesAndTranslate) {
    struct Table {
        const char* what;
        int count;
        const char* (*source)(int);
        QString (*shown)(int);
        std::string (*core)(int);
    };
    const Table tables[] = {
        {"special", kSpecialYakuCount, SpecialYakuSourceName, SpecialYakuName,
         [](int i) { return SjisToUtf8(YakuText(SpecialYakuTable()[std::size_t(i)])); }},
        {"favourite", kFavouriteYakuCount, FavouriteYakuSourceName, FavouriteYakuName,
         [](int i) { return SjisToUtf8(YakuText(FavouriteYakuTable()[std::size_t(i)])); }},
    };
    for (const Table& table : tables) {
        for (int i = 0; i < table.count; ++i) {
            EXPECT_EQ(table.source(i), table.core(i)) << table.what << " " << i;
            EXPECT_EQ(table.shown(i), QString::fromStdString(table.core(i))) << table.what << i;
        }
        EXPECT_TRUE(table.shown(-1).isEmpty()) << table.what;
        EXPECT_TRUE(table.shown(table.count).isEmpty()) << table.what;
    }
    English();
    EXPECT_EQ(SpecialYakuName(0), QStringLiteral("Tankei Kinshi (1 han)"));
    EXPECT_EQ(SpecialYakuName(112), QStringLiteral("Shiisan Ryuumon (triple yakuman)"));
    // The two entries of one name keep their different values apart.
    EXPECT_NE(SpecialYakuName(81), SpecialYakuName(108));
    EXPECT_EQ(FavouriteYakuName(21), QStringLiteral("Kokushi Musou"));
    EXPECT_EQ(FavouriteYakuName(43), QStringLiteral("Special yaku 3"));
}

TEST_F(BrowserTranslationTest, MessageBrowserSpeaksEnglishAndStoresTheSameBytes) {
    CMessageBrowser japanese(nullptr);
    japanese.SetMessageBoxes(std::make_unique<test::RecordingMessageBoxes>());
    English();
    CMessageBrowser browser(nullptr);
    auto boxes = std::make_unique<test::RecordingMessageBoxes>();
    test::RecordingMessageBoxes* shown = boxes.get();
    browser.SetMessageBoxes(std::move(boxes));

    EXPECT_EQ(browser.Tabs()->TabText(5), QStringLiteral("F: Riichi"));
    CMessageMenu& page = *browser.Page();
    EXPECT_EQ(page.FrequencyCombo(0)->itemText(0), QStringLiteral("Often"));
    EXPECT_EQ(page.FrequencyCombo(3)->itemText(3), QStringLiteral("Never"));
    QStringList labels;
    for (const QLabel* label : page.findChildren<QLabel*>()) {
        labels.append(label->text());
    }
    for (const QGroupBox* group : page.findChildren<QGroupBox*>()) {
        labels.append(group->title());
    }
    for (const char* label : {"Message window cut", "Line 2", "Frequency", "Cut"}) {
        EXPECT_TRUE(labels.contains(QString::fromUtf8(label)))
            << label << " in " << labels.join('|').toStdString();
    }

    // The defaults of a new project are the Japanese ones whatever the language.
    japanese.ResetMessages();
    browser.ResetMessages();
    EXPECT_EQ(std::memcmp(&browser.MessageData(), &japanese.MessageData(), sizeof(MessageTable)),
              0);

    // A typed line is stored as typed; its undo text and the escape warning are English.
    page.LineEdit(1)->setText(QStringLiteral("\\chara(1やった"));
    EXPECT_EQ(browser.UndoStack()->undoText(), QStringLiteral("Edit Line"));
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(page.LineEdit(1), &leave);
    QApplication::processEvents();
    ASSERT_EQ(shown->errors.size(), 1);
    EXPECT_EQ(shown->errors[0], QStringLiteral("A: Tenpai, line 2:\n"
                                               "\\chara is malformed: a ',' may be missing\n"
                                               "\\chara is malformed: a ')' may be missing"));
    EXPECT_EQ(FieldText(browser.MessageData().situations[0].line[1].text),
              ToSjis("\\chara(1やった"));
}

TEST_F(BrowserTranslationTest, ProfileBrowserSpeaksEnglishAndStoresTheSameBytes) {
    CProfileBrowser japanese(nullptr);
    japanese.SetMessageBoxes(std::make_unique<test::RecordingMessageBoxes>());
    English();
    CProfileBrowser browser(nullptr);
    auto boxes = std::make_unique<test::RecordingMessageBoxes>();
    test::RecordingMessageBoxes* shown = boxes.get();
    browser.SetMessageBoxes(std::move(boxes));

    auto* tabs = qobject_cast<QTabWidget*>(FindControl(&browser, CProfileBrowser::kPageTabsId));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Character"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Mahjong"));
    auto* special = qobject_cast<QComboBox*>(FindControl(&browser, 1119));
    auto* favourite = qobject_cast<QComboBox*>(FindControl(&browser, 1124));
    ASSERT_NE(special, nullptr);
    ASSERT_NE(favourite, nullptr);
    EXPECT_EQ(special->count(), kSpecialYakuCount);
    EXPECT_EQ(special->itemText(1), QStringLiteral("Zenkyuujin (1 han)"));
    EXPECT_EQ(favourite->currentText(), QStringLiteral("Chiitoitsu"));
    EXPECT_EQ(FindControl(&browser, 1129)->toolTip(),
              QStringLiteral("At 0 the character never aims for this yaku"));

    favourite->setCurrentIndex(21);
    Q_EMIT favourite->activated(21);
    EXPECT_EQ(browser.UndoStack()->undoText(), QStringLiteral("Change Tendency"));
    EXPECT_EQ(browser.TendencyPage()->Record().favourite1, 21);

    // A stored name that breaks the input rules is reported in English, kept as stored.
    ProfileBlock block = ResetProfile();
    SetFieldText(block.profile.characterName, "Yukino");
    browser.LoadProfile(block);
    japanese.LoadProfile(block);
    ASSERT_EQ(shown->errors.size(), 1);
    EXPECT_TRUE(shown->errors[0].contains(QStringLiteral("Character name \"Yukino\":")))
        << shown->errors[0].toStdString();
    const ProfileBlock english = browser.ProfileData();
    const ProfileBlock source = japanese.ProfileData();
    EXPECT_EQ(std::memcmp(&english, &source, sizeof(ProfileBlock)), 0);
}

// The window keeps its size in both languages; more tab rows of longer labels must not
// squeeze the page's fields below a line of their text.
TEST_F(BrowserTranslationTest, MessagePageFieldsShowTheirTextInBothLanguages) {
    for (bool english : {false, true}) {
        if (english) {
            English();
        }
        CMessageBrowser browser(nullptr);
        const QSize size = browser.size();
        browser.show();
        QApplication::processEvents();
        EXPECT_EQ(browser.size(), size);
        CMessageMenu& page = *browser.Page();
        std::vector<QWidget*> fields;
        for (int j = 0; j < 4; ++j) {
            fields.insert(fields.end(),
                          {page.LineEdit(j), page.FrequencyCombo(j), page.CutCombo(j + 1)});
        }
        fields.push_back(page.CutCombo(0));
        for (const QWidget* field : fields) {
            EXPECT_GE(field->height(), field->fontMetrics().height())
                << (english ? "English " : "Japanese ") << field->metaObject()->className();
        }
    }
}

}  // namespace
}  // namespace plk
