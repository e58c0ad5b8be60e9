#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "editor/app/about_dialog.h"
#include "editor/app/control_id.h"
#include "editor/app/plkce_app.h"
#include "editor/content/message_browser.h"
#include "editor/content/profile_browser.h"
#include "editor/content/resource_palette.h"
#include "editor/preview/preview.h"
#include "editor/preview/preview_ctrl.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor_test_support.h"

namespace plk {
namespace {

struct MenuEntry {
    QString popup;
    int id;
    QString text;
    bool enabled;
    bool operator==(const MenuEntry&) const = default;
};

void PrintTo(const MenuEntry& e, std::ostream* os) {
    *os << e.popup.toStdString() << " / " << e.id << " \"" << e.text.toStdString() << "\" "
        << (e.enabled ? "enabled" : "disabled");
}

std::vector<MenuEntry> VisibleMenu(CMainFrame& frame) {
    std::vector<MenuEntry> entries;
    for (QAction* popup : frame.menuBar()->actions()) {
        for (QAction* item : popup->menu()->actions()) {
            if (!item->isSeparator() && item->isVisible()) {
                entries.push_back({popup->text(), item->property("commandId").toInt(), item->text(),
                                   item->isEnabled()});
            }
        }
    }
    return entries;
}

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override { test::ClearSettings(); }
};

TEST_F(MainFrameTest, MenuHoldsEveryItemWithItsIdAndText) {
    CMainFrame frame;
    const QString file = "ファイル(&F)", edit = "編集(&E)", view = "表示(&V)", help = "ヘルプ(&H)";
    std::vector<MenuEntry> expected = {
        {file, 57600, "新規作成\tCtrl+N(&N)", true},
        {file, 188, "CREファイルを開く　\tCtrl+O(&O)", true},
        {file, 219, "名前をつけて保存\tCtrl+S(&S)", true},
        {file, 221, "上書き保存", true},
        {file, 32810, "チェック...", true},
        {file, 192, "実行形式でエクスポート", true},
        {file, 193, "アニメーションを書き出す...", true},
        {file, 190, "プロパティ", false},
        {file, 57607, "印刷...\tCtrl+P(&P)", true},
        {file, 57609, "印刷プレビュー(&V)", true},
        {file, 57606, "プリンタの設定(&R)...", true},
        {file, 57616, "最近使ったファイル", false},  // no recent files yet
        {file, 57665, "アプリケーションの終了(&X)", true},
        {edit, 57643, "元に戻す(&U)\tCtrl+Z", false},  // nothing to undo or redo yet
        {edit, 57644, "やり直し(&R)\tCtrl+Y", false},
        {edit, 57635, "切り取り(&T)\tCtrl+X", false},  // nothing has the focus yet
        {edit, 57634, "コピー(&C)\tCtrl+C", false},
        {edit, 57637, "貼り付け(&P)\tCtrl+V", false},
        {view, 59392, "ツール バー(&T)", true},
        {view, 59393, "ステータス バー(&S)", true},
        {view, 32801, "リソース パレット(&R)", true},
        {view, 32802, "メッセージ ブラウザ(&M)", true},
        {view, 32803, "プロフィール ブラウザ(&P)", true},
        {view, 32804, "プレビュー(&V)", true},
        {view, 32805, "プレビュー コントロール(&C)", true},
        {view, 32806, "タイムシート(&I)", true},
        {view, 32811, "キャラクターチェック(&K)", true},
        {view, 0, "言語 / Language", true},  // the submenu choosing 日本語 or English
        {help, 32820, "サンプルキャラクターを開く", true},
        {help, 57664, "バージョン情報 PLK-CE(&A)...", true},
    };
    EXPECT_EQ(VisibleMenu(frame), expected);
}

TEST_F(MainFrameTest, ToolbarStatusBarTitleAndKeys) {
    CMainFrame frame;
    EXPECT_EQ(frame.windowTitle(), "無題[*] - PLK-CE");
    EXPECT_FALSE(frame.isWindowModified());

    QToolBar* toolbar = frame.findChild<QToolBar*>();
    ASSERT_NE(toolbar, nullptr);
    std::vector<int> ids;
    for (QAction* action : toolbar->actions()) {
        ids.push_back(action->isSeparator() ? 0 : action->property("commandId").toInt());
        if (!action->isSeparator()) {
            QSize size = action->icon().actualSize(QSize(16, 15));
            EXPECT_EQ(size, QSize(16, 15)) << ids.back();
            EXPECT_FALSE(action->toolTip().isEmpty()) << ids.back();
        }
    }
    EXPECT_EQ(ids, (std::vector<int>{57600, 188, 219, 221, 0, 192, 0, 57635, 57634, 57637, 0, 57607,
                                     57664}));
    EXPECT_EQ(toolbar->iconSize(), QSize(16, 15));
    EXPECT_TRUE(toolbar->isMovable());
    EXPECT_EQ(toolbar->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_FALSE(frame.Action(57635)->isEnabled());  // nothing handles cut here

    // The idle text, and its return once a prompt is gone.
    EXPECT_EQ(frame.statusBar()->currentMessage(), "レディ");
    frame.statusBar()->showMessage(frame.Action(57600)->statusTip());
    EXPECT_EQ(frame.statusBar()->currentMessage(), "新規にファイルを作成");
    frame.statusBar()->clearMessage();
    EXPECT_EQ(frame.statusBar()->currentMessage(), "レディ");

    struct Prompt {
        int id;
        const char* status;
        const char* tip;
    };
    for (const Prompt& p : {Prompt{188, "CREファイルを開く", "CREファイルを開く"},
                            Prompt{192, "実行形式でエクスポート", "実行形式でエクスポート"},
                            Prompt{219, "CREファイルとして保存", "CREファイルとして保存"},
                            Prompt{221, "上書き保存", "上書き保存"},
                            Prompt{57600, "新規にファイルを作成", "新規ファイル"}}) {
        EXPECT_EQ(frame.Action(p.id)->statusTip(), QString::fromUtf8(p.status)) << p.id;
        EXPECT_EQ(frame.Action(p.id)->toolTip(), QString::fromUtf8(p.tip)) << p.id;
    }

    // Ctrl+O opens a project; Ctrl+S is Save As.
    EXPECT_TRUE(frame.Action(57600)->shortcuts().contains(QKeySequence("Ctrl+N")));
    EXPECT_TRUE(frame.Action(188)->shortcuts().contains(QKeySequence("Ctrl+O")));
    EXPECT_TRUE(frame.Action(219)->shortcuts().contains(QKeySequence("Ctrl+S")));
    EXPECT_TRUE(frame.Action(57607)->shortcuts().contains(QKeySequence("Ctrl+P")));
    EXPECT_TRUE(frame.Action(221)->shortcuts().isEmpty());
}

TEST_F(MainFrameTest, ViewMenuShowsAndHidesEveryToolWindowAndRemembersIt) {
    {
        // A screen with room for every window at the first start.
        CMainFrame::SetFirstStartArea(QRect(0, 0, 2560, 1440));
        auto made = test::MakeFrame();
        CMainFrame::SetFirstStartArea(std::nullopt);
        CMainFrame& frame = *made.frame;
        frame.ShowAll();
        QWidget* panel = frame.PreView()->ControlPanel();
        const std::vector<std::pair<int, QWidget*>> windows = {{32801, frame.Palette()},
                                                               {32802, frame.MessageBrowser()},
                                                               {32803, frame.ProfileBrowser()},
                                                               {32804, frame.PreView()},
                                                               {32805, panel},
                                                               {32806, frame.TimeSheet()}};
        for (const auto& [id, window] : windows) {
            ASSERT_TRUE(frame.Action(id)->isCheckable()) << id;
            EXPECT_EQ(frame.Action(id)->isChecked(), window->isVisible()) << id;
        }
        // Closing a window unchecks its item; the item brings it back.
        frame.Palette()->close();
        EXPECT_FALSE(frame.Action(32801)->isChecked());
        frame.Action(32801)->trigger();
        EXPECT_TRUE(frame.Palette()->isVisible());
        frame.Action(32805)->trigger();
        EXPECT_FALSE(panel->isVisible());
        frame.Action(32805)->trigger();
        EXPECT_TRUE(panel->isVisible());
        frame.Action(32806)->trigger();
        EXPECT_FALSE(frame.TimeSheet()->isVisible());
        ASSERT_TRUE(frame.close());
    }
    // The next start keeps the hidden window hidden.
    auto made = test::MakeFrame();
    made.frame->ShowAll();
    EXPECT_FALSE(made.frame->TimeSheet()->isVisible());
    EXPECT_FALSE(made.frame->Action(32806)->isChecked());
    EXPECT_TRUE(made.frame->Palette()->isVisible());
}

TEST_F(MainFrameTest, QtDialogsSpeakJapanese) {
    ASSERT_TRUE(InstallQtJapanese(*QCoreApplication::instance()));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "&Open"), "&Open");
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

TEST_F(MainFrameTest, AboutDialogNamesTheVersion) {
    CAboutDlg about(nullptr);
    EXPECT_EQ(about.windowTitle(), "バージョン情報 PLK-CE");
    auto* text = qobject_cast<QLabel*>(FindControl(&about, CAboutDlg::kVersionTextId));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "PLK-CE Version 1.0");
    ASSERT_NE(FindControl(&about, CAboutDlg::kOkId), nullptr);
}

}  // namespace
}  // namespace plk
