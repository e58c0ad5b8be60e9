#include "editor/app/first_start_measure.h"

#include <QHeaderView>
#include <QLayout>
#include <QScrollArea>

#include "editor/timesheet/cut_grid.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"

namespace plk {
namespace {

constexpr int kAroundFields = 24;

// Lays out a window that was never shown, parents before children.
void LayOut(QWidget& window) {
    if (window.layout() != nullptr) {
        window.layout()->activate();
    }
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (child->layout() != nullptr && !child->isHidden()) {
            child->layout()->activate();
        }
    }
}

// The window's height besides the rows area of its grid.
int AroundRows(CTimeSheetBase& sheet, CTimeSheet& page, bool folded) {
    sheet.SetFieldsFolded(folded);
    LayOut(sheet);
    const CutGrid* grid = page.Grid();
    return sheet.height() - (grid->height() - 2 * grid->frameWidth() -
                             grid->horizontalHeader()->sizeHint().height());
}

}  // namespace

TimeSheetMetrics MeasureTimeSheet(CTimeSheetBase& sheet) {
    TimeSheetMetrics metrics;
    CTimeSheet* page = sheet.CurrentPage();
    if (page == nullptr) {
        return metrics;
    }
    const bool folded = sheet.FieldsFolded();
    // Shown off the screen for a moment, every nested layout (the tab rows at their real
    // width too) is settled as it will be on the screen.
    sheet.setAttribute(Qt::WA_DontShowOnScreen, true);
    sheet.show();
    metrics.chrome = AroundRows(sheet, *page, true);
    metrics.fields = AroundRows(sheet, *page, false) - metrics.chrome;
    metrics.row = page->Grid()->verticalHeader()->defaultSectionSize();
    // The fields' own width, with the margins of the page, the tab frame and the window.
    const auto* fields = static_cast<const QScrollArea*>(page->FieldsArea());
    metrics.fieldsWidth = fields->widget()->sizeHint().width() + kAroundFields;
    sheet.hide();
    sheet.setAttribute(Qt::WA_DontShowOnScreen, false);
    sheet.SetFieldsFolded(folded);
    return metrics;
}

}  // namespace plk
