#include "core/timesheet/cell_edit.h"

#include <algorithm>
#include <cstring>

namespace plk {

std::vector<CellWrite> RectangleChanges(const Cut& cut, const CellRange& range,
                                        const std::function<void(CellRecord&)>& edit) {
    std::vector<CellWrite> changes;
    if (range.IsEmpty()) {
        return changes;
    }
    const int endRow = range.EndRowWithin(cut.FrameCount());
    const int firstSlot = std::max(range.firstColumn, kFirstPartSlot);
    const int lastSlot = std::min(range.lastColumn, kMaxParts);
    for (int row = range.firstRow; row < endRow; ++row) {
        for (int slot = firstSlot; slot <= lastSlot; ++slot) {
            CellRecord cell = cut.Frame(row).cells[slot];
            edit(cell);
            changes.push_back({row, slot, cell});
        }
    }
    return changes;
}

std::vector<CellWrite> DropUnchanged(const Cut& cut, std::vector<CellWrite> changes) {
    std::erase_if(changes, [&cut](const CellWrite& change) {
        return std::memcmp(&cut.Frame(change.row).cells[change.slot], &change.value,
                           sizeof(CellRecord)) == 0;
    });
    return changes;
}

}  // namespace plk
