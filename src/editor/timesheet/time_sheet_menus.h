#pragma once

#include <functional>
#include <span>

#include <QString>

class QPoint;
class QWidget;

namespace plk {

// Popup menus of the time sheet (menu 136): ids and texts.
namespace timesheet_command {
inline constexpr int kInsertPart = 142;
inline constexpr int kDeletePart = 143;
inline constexpr int kCopyPart = 144;
inline constexpr int kPastePart = 145;
inline constexpr int kInsertFrame = 146;
inline constexpr int kDeleteFrame = 147;
inline constexpr int kInsertFrames = 148;
inline constexpr int kDeleteFrames = 149;
inline constexpr int kInsertControlFrame = 153;
inline constexpr int kChangeControlFrame = 154;
inline constexpr int kInsertCut = 213;
inline constexpr int kDeleteCut = 214;
inline constexpr int kCopyCut = 216;
inline constexpr int kPasteCut = 217;
inline constexpr int kCopyFrames = 222;
inline constexpr int kPasteFrames = 223;
inline constexpr int kAppendFrame = 224;
inline constexpr int kAppendControlFrame = 225;
inline constexpr int kRenameCut = 231;
inline constexpr int kPlaySelection = 240;
}  // namespace timesheet_command

struct PopupItem {
    int id;
    const char* text;  // UTF-8, the Japanese source text
};

struct PopupSpec {
    const char* title;  // the menu resource's name, never shown
    std::span<const PopupItem> items;
};

// "ヘッダ": the grid's column headings.
PopupSpec HeaderPopup();
// "セルメニュー": the grid's cells.
PopupSpec CellPopup();
// "カットメニュー": the cut tabs.
PopupSpec CutPopup();
// The Japanese text of a popup command ("" for an unknown id).
const char* PopupItemText(int id);
// An item's text as the menu shows it, in the editor's language.
QString PopupItemLabel(const PopupItem& item);
// A popup command's name in the editor's language, for the undo history.
QString PopupCommandName(int id);

// Shows `popup` at a global position with each item enabled as `enabled` says; the id of
// the item chosen, 0 when the menu was closed without a choice.
int ExecPopup(QWidget* parent, const QPoint& globalPosition, PopupSpec popup,
              const std::function<bool(int id)>& enabled);

}  // namespace plk
