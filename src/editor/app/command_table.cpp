#include "editor/app/command_table.h"

#include <QCoreApplication>
#include <array>

#include "editor/app/command_ids.h"

namespace plk {
namespace {

using namespace command;

constexpr MenuItemSpec kFileItems[] = {
    {kNew, QT_TRANSLATE_NOOP("plk::CMainFrame", "新規作成\tCtrl+N(&N)")},
    {kOpenProject, QT_TRANSLATE_NOOP("plk::CMainFrame", "CREファイルを開く　\tCtrl+O(&O)")},
    {kSaveAs, QT_TRANSLATE_NOOP("plk::CMainFrame", "名前をつけて保存\tCtrl+S(&S)")},
    {kSave, QT_TRANSLATE_NOOP("plk::CMainFrame", "上書き保存")},
    {0, nullptr},
    {kCheckCharacter, QT_TRANSLATE_NOOP("plk::CMainFrame", "チェック...")},
    {kExport, QT_TRANSLATE_NOOP("plk::CMainFrame", "実行形式でエクスポート")},
    {kExportAnimation, QT_TRANSLATE_NOOP("plk::CMainFrame", "アニメーションを書き出す...")},
    {0, nullptr},
    {kProperties, QT_TRANSLATE_NOOP("plk::CMainFrame", "プロパティ")},
    {0, nullptr},
    {kPrint, QT_TRANSLATE_NOOP("plk::CMainFrame", "印刷...\tCtrl+P(&P)")},
    {kPrintPreview, QT_TRANSLATE_NOOP("plk::CMainFrame", "印刷プレビュー(&V)")},
    {kPrinterSetup, QT_TRANSLATE_NOOP("plk::CMainFrame", "プリンタの設定(&R)...")},
    {0, nullptr},
    {kRecentFile1, QT_TRANSLATE_NOOP("plk::CMainFrame", "最近使ったファイル")},
    {0, nullptr},
    {kExit, QT_TRANSLATE_NOOP("plk::CMainFrame", "アプリケーションの終了(&X)")},
};

// Undo and redo act on the project's one undo history; cut, copy and paste on what has
// the focus.
constexpr MenuItemSpec kEditItems[] = {
    {kEditUndo, QT_TRANSLATE_NOOP("plk::CMainFrame", "元に戻す\tCtrl+Z")},
    {kEditRedo, QT_TRANSLATE_NOOP("plk::CMainFrame", "やり直し\tCtrl+Y")},
    {0, nullptr},
    {kEditCut, QT_TRANSLATE_NOOP("plk::CMainFrame", "切り取り(&T)\tCtrl+X")},
    {kEditCopy, QT_TRANSLATE_NOOP("plk::CMainFrame", "コピー(&C)\tCtrl+C")},
    {kEditPaste, QT_TRANSLATE_NOOP("plk::CMainFrame", "貼り付け(&P)\tCtrl+V")},
};

constexpr MenuItemSpec kViewItems[] = {
    {kViewToolbar, QT_TRANSLATE_NOOP("plk::CMainFrame", "ツール バー(&T)")},
    {kViewStatusBar, QT_TRANSLATE_NOOP("plk::CMainFrame", "ステータス バー(&S)")},
    {0, nullptr},
    {kViewPalette, QT_TRANSLATE_NOOP("plk::CMainFrame", "リソース パレット(&R)")},
    {kViewMessageBrowser, QT_TRANSLATE_NOOP("plk::CMainFrame", "メッセージ ブラウザ(&M)")},
    {kViewProfileBrowser, QT_TRANSLATE_NOOP("plk::CMainFrame", "プロフィール ブラウザ(&P)")},
    {kViewPreview, QT_TRANSLATE_NOOP("plk::CMainFrame", "プレビュー(&V)")},
    {kViewPreviewControl, QT_TRANSLATE_NOOP("plk::CMainFrame", "プレビュー コントロール(&C)")},
    {kViewTimeSheet, QT_TRANSLATE_NOOP("plk::CMainFrame", "タイムシート(&I)")},
    {kViewCharacterCheck, QT_TRANSLATE_NOOP("plk::CMainFrame", "キャラクターチェック(&K)")},
};

constexpr MenuItemSpec kHelpItems[] = {
    {kOpenSample, QT_TRANSLATE_NOOP("plk::CMainFrame", "サンプルキャラクターを開く")},
    {0, nullptr},
    {kAbout, QT_TRANSLATE_NOOP("plk::CMainFrame", "バージョン情報 PLK-CE(&A)...")},
};

constexpr MenuPopupSpec kMenu[] = {
    {QT_TRANSLATE_NOOP("plk::CMainFrame", "ファイル(&F)"), kFileItems},
    {QT_TRANSLATE_NOOP("plk::CMainFrame", "編集(&E)"), kEditItems},
    {QT_TRANSLATE_NOOP("plk::CMainFrame", "表示(&V)"), kViewItems},
    {QT_TRANSLATE_NOOP("plk::CMainFrame", "ヘルプ(&H)"), kHelpItems},
};

constexpr ToolbarButtonSpec kToolbar[] = {
    {kNew, ToolbarGlyph::New},       {kOpenProject, ToolbarGlyph::Open},
    {kSaveAs, ToolbarGlyph::SaveAs}, {kSave, ToolbarGlyph::Save},
    {0, ToolbarGlyph::New},          {kExport, ToolbarGlyph::Export},
    {0, ToolbarGlyph::New},          {kEditCut, ToolbarGlyph::Cut},
    {kEditCopy, ToolbarGlyph::Copy}, {kEditPaste, ToolbarGlyph::Paste},
    {0, ToolbarGlyph::New},          {kPrint, ToolbarGlyph::Print},
    {kAbout, ToolbarGlyph::About},
};

struct PromptEntry {
    int id;
    const char* text;  // "prompt\ntip"
};

constexpr PromptEntry kPrompts[] = {
    // The application's own commands.
    {kOpenProject, QT_TRANSLATE_NOOP("plk::CMainFrame", "CREファイルを開く\nCREファイルを開く")},
    {kExport,
     QT_TRANSLATE_NOOP("plk::CMainFrame", "実行形式でエクスポート\n実行形式でエクスポート")},
    {kExportAnimation,
     QT_TRANSLATE_NOOP(
         "plk::CMainFrame",
         "現在のカットをGIFまたはWebPのアニメーションとして書き出す\nアニメーションを書き出す")},
    {kSaveAs, QT_TRANSLATE_NOOP("plk::CMainFrame", "CREファイルとして保存\nCREファイルとして保存")},
    {kSave, QT_TRANSLATE_NOOP("plk::CMainFrame", "上書き保存\n上書き保存")},
    {kNew, QT_TRANSLATE_NOOP("plk::CMainFrame", "新規にファイルを作成\n新規ファイル")},
    // The framework's commands on the toolbar.
    {kEditCut, QT_TRANSLATE_NOOP("plk::CMainFrame",
                                 "選択範囲を切り取ってクリップボードに移動します\n切り取り")},
    {kEditCopy, QT_TRANSLATE_NOOP("plk::CMainFrame",
                                  "選択範囲をコピーしてクリップボードに保存します\nコピー")},
    {kEditPaste,
     QT_TRANSLATE_NOOP("plk::CMainFrame", "クリップボードの内容を挿入します\n貼り付け")},
    {kEditUndo, QT_TRANSLATE_NOOP("plk::CMainFrame", "直前に行った動作を元に戻します\n元に戻す")},
    {kEditRedo,
     QT_TRANSLATE_NOOP("plk::CMainFrame", "直前に元に戻した動作をやり直します\nやり直し")},
    {kPrint, QT_TRANSLATE_NOOP("plk::CMainFrame", "アクティブなドキュメントを印刷します\n印刷")},
    {kAbout, QT_TRANSLATE_NOOP("plk::CMainFrame",
                               "プログラム情報、バージョン、著作権を表示します\nバージョン情報")},
};

const std::array<AcceleratorSpec, 14> kAccelerators = {{
    {Qt::CTRL | Qt::Key_N, kNew},
    {Qt::CTRL | Qt::Key_O, kFrameworkOpen},
    {Qt::CTRL | Qt::Key_S, kSaveAs},
    {Qt::CTRL | Qt::Key_P, kPrint},
    {Qt::CTRL | Qt::Key_Z, kEditUndo},
    {Qt::ALT | Qt::Key_Backspace, kEditUndo},
    {Qt::CTRL | Qt::Key_X, kEditCut},
    {Qt::SHIFT | Qt::Key_Delete, kEditCut},
    {Qt::CTRL | Qt::Key_C, kEditCopy},
    {Qt::CTRL | Qt::Key_Insert, kEditCopy},
    {Qt::CTRL | Qt::Key_V, kEditPaste},
    {Qt::SHIFT | Qt::Key_Insert, kEditPaste},
    {QKeyCombination(Qt::Key_F6), kNextPane},
    {Qt::SHIFT | Qt::Key_F6, kPreviousPane},
}};

}  // namespace

std::span<const MenuPopupSpec> MainMenu() {
    return kMenu;
}

std::span<const ToolbarButtonSpec> MainToolbar() {
    return kToolbar;
}

CommandPrompt PromptOf(int id) {
    for (const PromptEntry& entry : kPrompts) {
        if (entry.id == id) {
            QStringList parts = CommandText(entry.text).split(QLatin1Char('\n'));
            return {parts.value(0), parts.value(1)};
        }
    }
    return {};
}

QString CommandText(const char* text) {
    return QCoreApplication::translate(kCommandTextContext, text);
}

std::span<const AcceleratorSpec> MainAccelerators() {
    return kAccelerators;
}

}  // namespace plk
