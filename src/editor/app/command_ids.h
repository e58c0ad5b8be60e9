#pragma once

namespace plk {

// Command ids of menu 128, toolbar 128 and accelerator table 128. Menu actions carry their
// id in the dynamic property "commandId" so code and tests address them by these numbers.
namespace command {
inline constexpr int kOpenProject = 188;
inline constexpr int kProperties = 190;
inline constexpr int kExport = 192;
inline constexpr int kExportAnimation = 193;  // the current cut as an animated GIF or WebP
inline constexpr int kSaveAs = 219;
inline constexpr int kSave = 221;
inline constexpr int kNew = 57600;
inline constexpr int kFrameworkOpen = 57601;
inline constexpr int kPrinterSetup = 57606;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kRecentFile1 = 57616;  // and the next three for entries 2..4
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
// 表示 items that show or hide each tool window, in the order the frame creates them.
inline constexpr int kViewPalette = 32801;
inline constexpr int kViewMessageBrowser = 32802;
inline constexpr int kViewProfileBrowser = 32803;
inline constexpr int kViewPreview = 32804;
inline constexpr int kViewPreviewControl = 32805;
inline constexpr int kViewTimeSheet = 32806;
// The character check: ファイル → "チェック..." and its window in 表示.
inline constexpr int kCheckCharacter = 32810;
inline constexpr int kViewCharacterCheck = 32811;
// ヘルプ → "サンプルキャラクターを開く": a copy of the sample character, opened.
inline constexpr int kOpenSample = 32820;
}  // namespace command

inline constexpr const char* kCommandIdProperty = "commandId";
inline constexpr const char* kControlIdProperty = "controlId";

}  // namespace plk
