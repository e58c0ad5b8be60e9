#include "editor/timesheet/time_sheet_menus.h"

#include <QMenu>

namespace plk {
namespace {

using namespace timesheet_command;

constexpr PopupItem kHeaderItems[] = {
    {kInsertPart, "パートを挿入"},
    {kDeletePart, "パートを削除"},
    {kCopyPart, "パートのコピー"},
    {kPastePart, "パートのペースト"},
};

constexpr PopupItem kCellItems[] = {
    {kInsertFrame, "フレームの挿入"},
    {kDeleteFrame, "フレームの削除"},
    {kCopyFrames, "フレームのコピー"},
    {kPasteFrames, "フレームのペースト"},
    {kInsertFrames, "複数フレームの挿入"},
    {kDeleteFrames, "複数フレームの削除"},
    {kInsertControlFrame, "制御フレームの挿入"},
    {kChangeControlFrame, "制御フレームの変更"},
    {kAppendFrame, "フレームを末尾に挿入"},
    {kAppendControlFrame, "制御フレームを末尾に挿入"},
    {kPlaySelection, "選択範囲を再生"},
};

constexpr PopupItem kCutItems[] = {
    {kInsertCut, "カットを挿入"},    {kDeleteCut, "カットの削除"},   {kCopyCut, "カットのコピー"},
    {kPasteCut, "カットのペースト"}, {kRenameCut, "カット名の変更"},
};

}  // namespace

PopupSpec HeaderPopup() {
    return {"ヘッダ", kHeaderItems};
}

PopupSpec CellPopup() {
    return {"セルメニュー", kCellItems};
}

PopupSpec CutPopup() {
    return {"カットメニュー", kCutItems};
}

const char* PopupItemText(int id) {
    for (PopupSpec popup : {HeaderPopup(), CellPopup(), CutPopup()}) {
        for (const PopupItem& item : popup.items) {
            if (item.id == id) {
                return item.text;
            }
        }
    }
    return "";
}

int ExecPopup(QWidget* parent, const QPoint& globalPosition, PopupSpec popup,
              const std::function<bool(int id)>& enabled) {
    QMenu menu(parent);
    for (const PopupItem& item : popup.items) {
        QAction* action = menu.addAction(QString::fromUtf8(item.text));
        action->setData(item.id);
        action->setEnabled(enabled(item.id));
    }
    QAction* chosen = menu.exec(globalPosition);
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

}  // namespace plk
