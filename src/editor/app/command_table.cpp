#include "editor/app/command_table.h"

#include <array>

#include "editor/app/command_ids.h"

namespace plk {
namespace {

using namespace command;

constexpr MenuItemSpec kFileItems[] = {
    {kNew, "新規作成\tCtrl+N(&N)"},
    {kOpenProject, "CREファイルを開く　\tCtrl+O(&O)"},
    {kSaveAs, "名前をつけて保存\tCtrl+S(&S)"},
    {kSave, "上書き保存"},
    {0, nullptr},
    {kCheckCharacter, "チェック..."},
    {kExport, "実行形式でエクスポート"},
    {kExportAnimation, "アニメーションを書き出す..."},
    {0, nullptr},
    {kProperties, "プロパティ"},
    {0, nullptr},
    {kPrint, "印刷...\tCtrl+P(&P)"},
    {kPrintPreview, "印刷プレビュー(&V)"},
    {kPrinterSetup, "プリンタの設定(&R)..."},
    {0, nullptr},
    {kRecentFile1, "最近使ったファイル"},
    {0, nullptr},
    {kExit, "アプリケーションの終了(&X)"},
};

// Undo and redo act on the project's one undo history; cut, copy and paste on what has
// the focus.
constexpr MenuItemSpec kEditItems[] = {
    {kEditUndo, "元に戻す\tCtrl+Z"},
    {kEditRedo, "やり直し\tCtrl+Y"},
    {0, nullptr},
    {kEditCut, "切り取り(&T)\tCtrl+X"},
    {kEditCopy, "コピー(&C)\tCtrl+C"},
    {kEditPaste, "貼り付け(&P)\tCtrl+V"},
};

constexpr MenuItemSpec kViewItems[] = {
    {kViewToolbar, "ツール バー(&T)"},
    {kViewStatusBar, "ステータス バー(&S)"},
    {0, nullptr},
    {kViewPalette, "リソース パレット(&R)"},
    {kViewMessageBrowser, "メッセージ ブラウザ(&M)"},
    {kViewProfileBrowser, "プロフィール ブラウザ(&P)"},
    {kViewPreview, "プレビュー(&V)"},
    {kViewPreviewControl, "プレビュー コントロール(&C)"},
    {kViewTimeSheet, "タイムシート(&I)"},
    {kViewCharacterCheck, "キャラクターチェック(&K)"},
};

constexpr MenuItemSpec kHelpItems[] = {
    {kOpenSample, "サンプルキャラクターを開く"},
    {0, nullptr},
    {kAbout, "バージョン情報 PLK-CE(&A)..."},
};

constexpr MenuPopupSpec kMenu[] = {
    {"ファイル(&F)", kFileItems},
    {"編集(&E)", kEditItems},
    {"表示(&V)", kViewItems},
    {"ヘルプ(&H)", kHelpItems},
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
    {kOpenProject, "CREファイルを開く\nCREファイルを開く"},
    {kExport, "実行形式でエクスポート\n実行形式でエクスポート"},
    {kExportAnimation,
     "現在のカットをGIFまたはWebPのアニメーションとして書き出す\nアニメーションを書き出す"},
    {kSaveAs, "CREファイルとして保存\nCREファイルとして保存"},
    {kSave, "上書き保存\n上書き保存"},
    {kNew, "新規にファイルを作成\n新規ファイル"},
    // The framework's commands on the toolbar.
    {kEditCut, "選択範囲を切り取ってクリップボードに移動します\n切り取り"},
    {kEditCopy, "選択範囲をコピーしてクリップボードに保存します\nコピー"},
    {kEditPaste, "クリップボードの内容を挿入します\n貼り付け"},
    {kEditUndo, "直前に行った動作を元に戻します\n元に戻す"},
    {kEditRedo, "直前に元に戻した動作をやり直します\nやり直し"},
    {kPrint, "アクティブなドキュメントを印刷します\n印刷"},
    {kAbout, "プログラム情報、バージョン、著作権を表示します\nバージョン情報"},
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
            QStringList parts = QString::fromUtf8(entry.text).split(QLatin1Char('\n'));
            return {parts.value(0), parts.value(1)};
        }
    }
    return {};
}

std::span<const AcceleratorSpec> MainAccelerators() {
    return kAccelerators;
}

}  // namespace plk
