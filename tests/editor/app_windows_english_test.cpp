// The main frame, its menus and status bar, the about box and the preview in English: no
// Japanese text is left once the English translation is installed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>

#include "editor/app/about_dialog.h"
#include "editor/app/command_ids.h"
#include "editor/app/cut_name_list.h"
#include "editor/app/hidden_windows_strip.h"
#include "editor/app/ui_language.h"
#include "editor/preview/preview.h"
#include "editor/preview/preview_ctrl.h"
#include "editor_test_support.h"
#include "language_test.h"

namespace plk {
namespace {

bool HasJapanese(const QString& text) {
    // Kana, CJK ideographs and full-width forms; "×" and arrows are not Japanese.
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(japanese);
}

// Every text a user reads on `widget` and the widgets inside it.
QStringList ShownTexts(QWidget& widget) {
    QStringList texts{widget.windowTitle(), widget.toolTip(), widget.statusTip()};
    for (QWidget* child : widget.findChildren<QWidget*>()) {
        texts << child->toolTip() << child->statusTip();
        if (auto* label = qobject_cast<QLabel*>(child)) {
            texts << label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
            texts << button->text();
        } else if (auto* box = qobject_cast<QGroupBox*>(child)) {
            texts << box->title();
        } else if (auto* combo = qobject_cast<QComboBox*>(child)) {
            for (int i = 0; i < combo->count(); ++i) {
                texts << combo->itemText(i);
            }
        }
    }
    return texts;
}

QStringList MenuTexts(CMainFrame& frame) {
    QStringList texts;
    for (QAction* popup : frame.menuBar()->actions()) {
        texts << popup->text();
        for (QAction* item : popup->menu()->actions()) {
            // The language menu names each language in its own words.
            if (item->menu() != nullptr &&
                item->menu()->objectName() == QStringLiteral("languageMenu")) {
                continue;
            }
            texts << item->text() << item->toolTip() << item->statusTip();
        }
    }
    for (QAction* action : frame.findChild<QToolBar*>()->actions()) {
        texts << action->toolTip() << action->statusTip();
    }
    return texts;
}

QStringList JapaneseAmong(const QStringList& texts) {
    QStringList found;
    for (const QString& text : texts) {
        if (HasJapanese(text)) {
            found << text;
        }
    }
    return found;
}

class AppWindowsEnglishTest : public test::LanguageTest {};

TEST_F(AppWindowsEnglishTest, MenusStatusBarAndTitleSpeakEnglish) {
    English();
    auto made = test::MakeFrame();
    CMainFrame& frame = *made.frame;
    const QStringList left = JapaneseAmong(MenuTexts(frame));
    EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char('\n')).toStdString();

    QStringList popups;
    for (QAction* popup : frame.menuBar()->actions()) {
        popups << popup->text();
    }
    EXPECT_EQ(popups, (QStringList{"&File", "&Edit", "&View", "&Help"}));
    // The shortcut hint stays behind the tab, where the menu shows it.
    EXPECT_EQ(frame.Action(command::kNew)->text(), "&New\tCtrl+N");
    EXPECT_EQ(frame.Action(command::kNew)->statusTip(), "Create a new file");
    EXPECT_EQ(frame.Action(command::kNew)->toolTip(), "New File");
    EXPECT_EQ(frame.Action(command::kEditUndo)->text(), "&Undo\tCtrl+Z");
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Ready");
    EXPECT_EQ(frame.windowTitle(), "Untitled[*] - PLK-CE");

    // The strip names hidden windows by their English menu names.
    frame.HiddenStrip()->Update();
    EXPECT_TRUE(frame.HiddenStrip()->Offered().contains("Preview Control"));
    EXPECT_FALSE(HasJapanese(frame.HiddenStrip()->text()));
    EXPECT_FALSE(HasJapanese(frame.HiddenStrip()->toolTip()));
    EXPECT_EQ(NumberedCutItems(2), (QStringList{"Cut:1", "Cut:2"}));
}

TEST_F(AppWindowsEnglishTest, PreviewPanelAndAboutBoxSpeakEnglish) {
    English();
    auto made = test::MakeFrame();
    CPreView& preview = *made.frame->PreView();
    QStringList texts = ShownTexts(*preview.ControlPanel());
    texts << ShownTexts(preview);
    CAboutDlg about(made.frame.get());
    texts << ShownTexts(about);
    const QStringList left = JapaneseAmong(texts);
    EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(texts.contains("Always on top"));
    EXPECT_TRUE(texts.contains("Centre crossbar (resource)"));
    // Which hint depends on what the renderer shows; either is English.
    EXPECT_FALSE(preview.statusTip().isEmpty());
    EXPECT_EQ(about.windowTitle(), "About PLK-CE");
    // Tool windows find each other by their titles, which no language changes.
    EXPECT_EQ(preview.ControlPanel()->windowTitle(), "PreViewControl");
}

}  // namespace
}  // namespace plk
