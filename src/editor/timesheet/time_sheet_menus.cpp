#include "editor/timesheet/time_sheet_menus.h"

#include <QCoreApplication>
#include <QMenu>

namespace plk {
namespace {

using namespace timesheet_command;

constexpr PopupItem kHeaderItems[] = {
    {kInsertPart, QT_TRANSLATE_NOOP("TimeSheetMenus", "パートを挿入")},
    {kDeletePart, QT_TRANSLATE_NOOP("TimeSheetMenus", "パートを削除")},
    {kCopyPart, QT_TRANSLATE_NOOP("TimeSheetMenus", "パートのコピー")},
    {kPastePart, QT_TRANSLATE_NOOP("TimeSheetMenus", "パートのペースト")},
};

constexpr PopupItem kCellItems[] = {
    {kInsertFrame, QT_TRANSLATE_NOOP("TimeSheetMenus", "フレームの挿入")},
    {kDeleteFrame, QT_TRANSLATE_NOOP("TimeSheetMenus", "フレームの削除")},
    {kCopyFrames, QT_TRANSLATE_NOOP("TimeSheetMenus", "フレームのコピー")},
    {kPasteFrames, QT_TRANSLATE_NOOP("TimeSheetMenus", "フレームのペースト")},
    {kInsertFrames, QT_TRANSLATE_NOOP("TimeSheetMenus", "複数フレームの挿入")},
    {kDeleteFrames, QT_TRANSLATE_NOOP("TimeSheetMenus", "複数フレームの削除")},
    {kInsertControlFrame, QT_TRANSLATE_NOOP("TimeSheetMenus", "制御フレームの挿入")},
    {kChangeControlFrame, QT_TRANSLATE_NOOP("TimeSheetMenus", "制御フレームの変更")},
    {kAppendFrame, QT_TRANSLATE_NOOP("TimeSheetMenus", "フレームを末尾に挿入")},
    {kAppendControlFrame, QT_TRANSLATE_NOOP("TimeSheetMenus", "制御フレームを末尾に挿入")},
    {kPlaySelection, QT_TRANSLATE_NOOP("TimeSheetMenus", "選択範囲を再生")},
};

constexpr PopupItem kCutItems[] = {
    {kInsertCut, QT_TRANSLATE_NOOP("TimeSheetMenus", "カットを挿入")},
    {kDeleteCut, QT_TRANSLATE_NOOP("TimeSheetMenus", "カットの削除")},
    {kCopyCut, QT_TRANSLATE_NOOP("TimeSheetMenus", "カットのコピー")},
    {kPasteCut, QT_TRANSLATE_NOOP("TimeSheetMenus", "カットのペースト")},
    {kRenameCut, QT_TRANSLATE_NOOP("TimeSheetMenus", "カット名の変更")},
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

QString PopupItemLabel(const PopupItem& item) {
    return QCoreApplication::translate("TimeSheetMenus", item.text);
}

QString PopupCommandName(int id) {
    return QCoreApplication::translate("TimeSheetMenus", PopupItemText(id));
}

int ExecPopup(QWidget* parent, const QPoint& globalPosition, PopupSpec popup,
              const std::function<bool(int id)>& enabled) {
    QMenu menu(parent);
    for (const PopupItem& item : popup.items) {
        QAction* action = menu.addAction(PopupItemLabel(item));
        action->setData(item.id);
        action->setEnabled(enabled(item.id));
    }
    QAction* chosen = menu.exec(globalPosition);
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

}  // namespace plk
