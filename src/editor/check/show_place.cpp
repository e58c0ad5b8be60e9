#include <QAbstractItemView>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <array>
#include <map>
#include <string>

#include "editor/app/control_id.h"
#include "editor/app/multi_row_tab_widget.h"
#include "editor/check/character_check.h"
#include "editor/content/message_browser.h"
#include "editor/content/message_menu.h"
#include "editor/content/profile_browser.h"
#include "editor/content/profile_editer.h"
#include "editor/content/profile_tendency.h"
#include "editor/content/resource_palette.h"
#include "editor/timesheet/cut_grid.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"

namespace plk {
namespace {

constexpr int kWindowCutComboId = 1102;

void BringUp(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void FocusControl(QWidget* root, int id) {
    QWidget* control = FindControl(root, id);
    if (control == nullptr) {
        return;
    }
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->selectAll();
    }
}

void ShowRow(CTimeSheetBase* timeSheet, int cut, int row) {
    if (cut >= timeSheet->CutCount()) {
        return;
    }
    BringUp(timeSheet);
    timeSheet->SelectCut(cut);
    CTimeSheet* page = timeSheet->Page(cut);
    if (page == nullptr || row < 0) {
        return;
    }
    QAbstractItemView* grid = page->Grid();
    const int columns = grid->model()->columnCount();
    if (row >= grid->model()->rowCount() || columns == 0) {
        return;
    }
    page->SetSelection(CellRange{row, row, 0, columns - 1});
    const QModelIndex index = grid->model()->index(row, 0);
    grid->scrollTo(index, QAbstractItemView::PositionAtCenter);
    grid->setCurrentIndex(index);
    grid->setFocus(Qt::OtherFocusReason);
}

void ShowSlot(CResourcePalette* palette, int slot) {
    auto* list = qobject_cast<QListWidget*>(FindControl(palette, CResourcePalette::kSlotListId));
    if (list == nullptr || slot >= list->count()) {
        return;
    }
    BringUp(palette);
    list->setCurrentRow(slot);
    list->scrollToItem(list->item(slot), QAbstractItemView::PositionAtCenter);
    list->setFocus(Qt::OtherFocusReason);
}

void ShowLine(CMessageBrowser* messages, int situation, int line) {
    BringUp(messages);
    messages->Tabs()->SetCurrentIndex(situation);
    if (line >= 0 && line < 4) {
        FocusControl(messages->Page(), CMessageMenu::kLineEditIds[static_cast<std::size_t>(line)]);
    } else {
        FocusControl(messages->Page(), kWindowCutComboId);
    }
}

void ShowProfileField(CProfileBrowser* profile, const std::string& field) {
    static const std::map<std::string, int> kFields = {
        {"characterName", CProfileEditer::kTextEditIds[CProfileEditer::kCharacterNameField]},
        {"romanName", CProfileEditer::kTextEditIds[CProfileEditer::kRomanNameField]},
        {"profileCut", CProfileEditer::kCutComboIds[0]},
        {"menuIconCut", CProfileEditer::kCutComboIds[1]},
        {"messageWindowCut", CProfileEditer::kCutComboIds[2]},
    };
    BringUp(profile);
    profile->Tabs()->setCurrentWidget(profile->ProfilePage());
    if (const auto it = kFields.find(field); it != kFields.end()) {
        FocusControl(profile->ProfilePage(), it->second);
    }
}

void ShowTendencyField(CProfileBrowser* profile, const std::string& field) {
    std::map<std::string, int> fields = {
        {"strength", CProfileTendency::kStrengthSliderId},
        {"styleTanyaoChanta", CProfileTendency::kStyleSliderIds[0]},
        {"stylePinfuToitoi", CProfileTendency::kStyleSliderIds[1]},
        {"styleLowHigh", CProfileTendency::kStyleSliderIds[2]}};
    for (std::size_t i = 0; i < 3; ++i) {
        fields["specialYaku" + std::to_string(i + 1)] = CProfileTendency::kSpecialComboIds[i];
    }
    for (std::size_t i = 0; i < 5; ++i) {
        fields["favourite" + std::to_string(i + 1)] = CProfileTendency::kFavouriteComboIds[i];
        fields["weight" + std::to_string(i + 1)] = CProfileTendency::kWeightSliderIds[i];
    }
    BringUp(profile);
    profile->Tabs()->setCurrentWidget(profile->TendencyPage());
    if (const auto it = fields.find(field); it != fields.end()) {
        FocusControl(profile->TendencyPage(), it->second);
    }
}

}  // namespace

void ShowPlace(const Place& place, CResourcePalette* palette, CTimeSheetBase* timeSheet,
               CMessageBrowser* messages, CProfileBrowser* profile) {
    if (place.slot >= 0) {
        ShowSlot(palette, place.slot);
    } else if (place.cut >= 0) {
        ShowRow(timeSheet, place.cut, place.row);
    } else if (place.situation >= 0 && place.situation < kSituationCount) {
        ShowLine(messages, place.situation, place.line);
    } else if (!place.profile.empty()) {
        ShowProfileField(profile, place.profile);
    } else if (!place.tendency.empty()) {
        ShowTendencyField(profile, place.tendency);
    }
}

}  // namespace plk
