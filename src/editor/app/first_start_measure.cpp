#include "editor/app/first_start_measure.h"

#include <QHeaderView>
#include <QLayout>
#include <QScrollArea>

#include "editor/app/multi_row_tab_bar.h"
#include "editor/timesheet/cut_grid.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"

namespace plk {
namespace {

constexpr int kAroundFields = 24;
// Large enough that every row of fields and buttons gets its full height.
constexpr QSize kProbeSize(1600, 1200);

// Lays out a window that was never shown, parents before children.
void LayOut(QWidget& window) {
    if (window.layout() != nullptr) {
        window.layout()->activate();
    }
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->layout() != nullptr && !widget->isHidden()) {
            widget->layout()->activate();
        }
    }
}

// The window's height besides the rows area of its grid.
int AroundRows(CTimeSheetBase& sheet, CTimeSheet& page, bool folded) {
    sheet.SetFieldsFolded(folded);
    sheet.resize(kProbeSize);
    LayOut(sheet);
    const CutGrid* grid = page.Grid();
    const int around = sheet.height() - (grid->height() - 2 * grid->frameWidth() -
                                         grid->horizontalHeader()->sizeHint().height());
    // The tab rows were given the height they wrap to at the width they had before this
    // layout; at the probe's width they take one row less or more.
    const MultiRowTabBar* bar = sheet.findChild<MultiRowTabBar*>();
    if (bar == nullptr || bar->height() <= 0) {
        return around;
    }
    const int laidOut = bar->heightForWidth(page.width());
    return laidOut > 0 && laidOut <= bar->height() ? around - (bar->height() - laidOut) : around;
}

}  // namespace

TimeSheetMetrics MeasureTimeSheet(CTimeSheetBase& sheet) {
    TimeSheetMetrics metrics;
    CTimeSheet* page = sheet.CurrentPage();
    if (page == nullptr) {
        return metrics;
    }
    const bool folded = sheet.FieldsFolded();
    const QSize size = sheet.size();
    metrics.chrome = AroundRows(sheet, *page, true);
    metrics.fields = AroundRows(sheet, *page, false) - metrics.chrome;
    metrics.row = page->Grid()->verticalHeader()->defaultSectionSize();
    // The fields' own width, with the margins of the page, the tab frame and the window.
    const auto* fields = static_cast<const QScrollArea*>(page->FieldsArea());
    metrics.fieldsWidth = fields->widget()->sizeHint().width() + kAroundFields;
    sheet.SetFieldsFolded(folded);
    sheet.resize(size);
    return metrics;
}

}  // namespace plk
