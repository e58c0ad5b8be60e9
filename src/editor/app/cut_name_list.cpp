#include "editor/app/cut_name_list.h"

#include <QCoreApplication>
#include <algorithm>

#include "core/timesheet/cut.h"
#include "editor/app/qt_text.h"

namespace plk {

QStringList CutNamesFromMessage(WParam names, LParam count) {
    QStringList result;
    if (names == 0) {
        return result;
    }
    const auto* table = reinterpret_cast<const CutNameTable*>(names);
    const int n = static_cast<int>(std::clamp<LParam>(count, 0, kMaxCuts));
    for (int i = 0; i < n; ++i) {
        result.append(QStringFromSjis(table->Name(i)));
    }
    return result;
}

QStringList NumberedCutItems(LParam count) {
    QStringList items;
    const int n = static_cast<int>(std::clamp<LParam>(count, 0, kMaxCuts));
    for (int i = 0; i < n; ++i) {
        // Shown only: the names that follow are the project's own, in whatever language.
        items.append(QCoreApplication::translate("CutNameList", "カット:%1").arg(i + 1));
    }
    return items;
}

}  // namespace plk
