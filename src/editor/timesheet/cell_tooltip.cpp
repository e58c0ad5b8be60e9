#include "editor/timesheet/cell_tooltip.h"

#include <QCoreApplication>
#include <charconv>

namespace plk {
namespace {

QString ExactFloatText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

}  // namespace

QString CellToolTip(const CellRecord& cell) {
    return QCoreApplication::translate("TimeSheet",
                                       "セルNo %1\n位置 %2, %3\n拡大率 %4 x %5\n回転 %6\n透明度 %7")
        .arg(cell.resource)
        .arg(ExactFloatText(cell.x), ExactFloatText(cell.y))
        .arg(cell.scaleX)
        .arg(cell.scaleY)
        .arg(cell.rotation)
        .arg(cell.alpha);
}

}  // namespace plk
