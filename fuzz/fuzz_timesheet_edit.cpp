// The time-sheet edits on arbitrary cuts with extreme and inverted values: tweens and typed
// rectangles over any range, frames and parts inserted, deleted, copied and pasted,
// painting and control blocks. Besides the sanitizers: every write lands inside the cut,
// the edits that are taken back with the editor's own data restore the cut byte for byte,
// and the row and column counts stay what the edits say.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/text/sjis.h"
#include "core/timesheet/cell_edit.h"
#include "core/timesheet/cell_range.h"
#include "core/timesheet/control_commands.h"
#include "core/timesheet/cut_editing.h"
#include "core/timesheet/tween.h"
#include "fuzz_check.h"
#include "fuzz_cut.h"

namespace {

using namespace plk;

bool SameFrames(const Cut& a, const Cut& b) {
    return a.FrameCount() == b.FrameCount() && a.ColumnCount() == b.ColumnCount() &&
           (a.FrameCount() == 0 ||
            std::memcmp(a.Frames().data(), b.Frames().data(), a.Frames().size_bytes()) == 0);
}

CellRange SomeRange(FuzzedDataProvider& data, const Cut& cut) {
    const std::int32_t rows = cut.FrameCount();
    CellRange range;
    if (data.ConsumeBool()) {
        // Raw corners, inverted and extreme ones included.
        range.firstRow = fuzz::SomeInt(data, -2, rows + 2);
        range.lastRow = fuzz::SomeInt(data, -2, rows + 2);
        range.firstColumn = fuzz::SomeInt(data, -2, 30);
        range.lastColumn = fuzz::SomeInt(data, -2, 30);
        return range;
    }
    return CellRange::Spanning(fuzz::SomeInt(data, -1, rows + 1), fuzz::SomeInt(data, -1, 29),
                               fuzz::SomeInt(data, -1, rows + 1), fuzz::SomeInt(data, -1, 29));
}

void CheckWrites(const Cut& cut, const std::vector<CellWrite>& writes) {
    for (const CellWrite& write : writes) {
        FUZZ_CHECK(write.row >= 0 && write.row < cut.FrameCount());
        FUZZ_CHECK(write.slot >= 0 && write.slot < kCellSlots);
    }
}

// Writes and takes back the writes with the cells they replaced, as the undo step does.
void WriteAndTakeBack(Cut& cut, const std::vector<CellWrite>& writes, bool takeBack) {
    CheckWrites(cut, writes);
    std::vector<CellWrite> old;
    for (const CellWrite& write : writes) {
        old.push_back({write.row, write.slot, cut.Frame(write.row).cells[write.slot]});
    }
    const Cut before = takeBack ? cut : Cut();
    ApplyCellWrites(cut, writes);
    if (takeBack) {
        for (auto it = old.rbegin(); it != old.rend(); ++it) {
            cut.Frame(it->row).cells[it->slot] = it->value;
        }
        FUZZ_CHECK(SameFrames(cut, before));
    }
}

void Tween(FuzzedDataProvider& data, Cut& cut) {
    const CellRange range = SomeRange(data, cut);
    TweenParameters params;
    params.start = fuzz::SomeInt(data, -800, 800);
    params.end = fuzz::SomeInt(data, -800, 800);
    params.unit = fuzz::SomeInt(data, -1, 10);
    params.control = {fuzz::SomeInt(data, -5, 105), fuzz::SomeInt(data, -5, 105)};
    params.lockAspect = data.ConsumeBool();
    const auto property = static_cast<TweenProperty>(data.ConsumeIntegralInRange(0, 5));
    const std::vector<CellWrite> writes = TweenChanges(cut, range, property, params);
    // A tween writes only normal frames, each row at most once per slot.
    for (const CellWrite& write : writes) {
        FUZZ_CHECK(write.row >= 0 && write.row < cut.FrameCount() &&
                   cut.Frame(write.row).IsNormal());
    }
    WriteAndTakeBack(cut, writes, data.ConsumeBool());
}

void TypeIntoRectangle(FuzzedDataProvider& data, Cut& cut) {
    const CellRange range = SomeRange(data, cut);
    const std::int32_t value = fuzz::SomeInt(data);
    const int field = data.ConsumeIntegralInRange(0, 3);
    const auto writes = RectangleChanges(cut, range, [value, field](CellRecord& cell) {
        switch (field) {
            case 0:
                cell.resource = value;
                break;
            case 1:
                cell.x = static_cast<float>(value);
                break;
            case 2:
                cell.rotation = value;
                break;
            default:
                cell.alpha = value;
                break;
        }
    });
    const std::vector<CellWrite> changed = DropUnchanged(cut, writes);
    FUZZ_CHECK(changed.size() <= writes.size());
    (void)range.RowCount();
    (void)range.CellCount();
    WriteAndTakeBack(cut, changed, data.ConsumeBool());
}

void EditFrames(FuzzedDataProvider& data, Cut& cut, std::vector<FrameRecord>& clipboard) {
    const int rows = cut.FrameCount();
    // Only a step that is taken back needs the cut as it was.
    const bool takeBack = data.ConsumeBool();
    const Cut before = takeBack ? cut : Cut();
    switch (data.ConsumeIntegralInRange(0, 3)) {
        case 0: {  // copy
            clipboard = CopyFrames(cut, fuzz::SomeInt(data, -2, rows + 2),
                                   fuzz::SomeInt(data, -2, rows + 2));
            FUZZ_CHECK(clipboard.size() <= static_cast<std::size_t>(rows));
            break;
        }
        case 1: {  // paste (insert) and take back
            const int row = data.ConsumeIntegralInRange(0, rows);
            cut.InsertFrames(row, clipboard);
            FUZZ_CHECK(cut.FrameCount() == rows + static_cast<int>(clipboard.size()));
            if (takeBack) {
                cut.EraseFrames(row, static_cast<int>(clipboard.size()));
                FUZZ_CHECK(SameFrames(cut, before));
            }
            break;
        }
        case 2: {  // delete and take back
            const int row = fuzz::SomeInt(data, -2, rows + 2);
            const int count = ClampedDeleteCount(cut, row, fuzz::SomeInt(data, -2, rows + 2));
            FUZZ_CHECK(count >= 0);
            if (count == 0) {
                break;
            }
            FUZZ_CHECK(row >= 0 && row + count < rows);  // the last row always stays
            const std::vector<FrameRecord> gone = CopyFrames(cut, row, row + count - 1);
            cut.EraseFrames(row, count);
            if (takeBack) {
                cut.InsertFrames(row, gone);
                FUZZ_CHECK(SameFrames(cut, before));
            }
            break;
        }
        default: {  // painting a resource into `unit` rows of a column
            const int row = fuzz::SomeInt(data, -2, rows + 2);
            const int count = PaintedRowCount(cut, row, fuzz::SomeInt(data, -2, 12));
            FUZZ_CHECK(count >= 0 && (count == 0 || (row >= 0 && row + count <= rows)));
            const int slot = data.ConsumeIntegralInRange(1, kMaxParts);
            for (int k = 0; k < count; ++k) {
                cut.Frame(row + k).cells[slot].resource = fuzz::SomeInt(data, 0, 200);
            }
            break;
        }
    }
}

void EditParts(FuzzedDataProvider& data, Cut& cut) {
    const bool takeBack = data.ConsumeBool();
    const Cut before = takeBack ? cut : Cut();
    const int parts = cut.PartCount();
    if (parts < 1 || parts > kMaxParts) {
        return;
    }
    const int slot = data.ConsumeIntegralInRange(1, parts);
    switch (data.ConsumeIntegralInRange(0, 3)) {
        case 0:
            if (CanInsertPart(cut)) {
                // Taken back: the part deleted again and the lost last slot put back.
                const std::vector<CellRecord> lost = NormalFrameCells(cut, kMaxParts);
                InsertPart(cut, slot);
                FUZZ_CHECK(cut.PartCount() == parts + 1);
                if (takeBack) {
                    DeletePart(cut, slot);
                    SetNormalFrameCells(cut, kMaxParts, lost);
                    FUZZ_CHECK(SameFrames(cut, before));
                }
            }
            break;
        case 1:
            if (CanDeletePart(cut)) {
                const std::vector<CellRecord> lost = NormalFrameCells(cut, slot);
                const std::vector<CellRecord> last = NormalFrameCells(cut, kMaxParts);
                DeletePart(cut, slot);
                FUZZ_CHECK(cut.PartCount() == parts - 1);
                if (takeBack) {
                    InsertPart(cut, slot);
                    SetNormalFrameCells(cut, slot, lost);
                    SetNormalFrameCells(cut, kMaxParts, last);
                    FUZZ_CHECK(SameFrames(cut, before));
                }
            }
            break;
        case 2:
            CopyPart(cut, slot);
            break;
        default: {
            const std::vector<CellRecord> old = NormalFrameCells(cut, slot);
            PastePart(cut, slot);
            if (takeBack) {
                SetNormalFrameCells(cut, slot, old);
                FUZZ_CHECK(SameFrames(cut, before));
            }
            break;
        }
    }
}

void WriteControlFrame(FuzzedDataProvider& data, Cut& cut) {
    if (cut.FrameCount() == 0) {
        return;
    }
    const int row = data.ConsumeIntegralInRange(0, cut.FrameCount() - 1);
    FrameRecord& frame = cut.Frame(row);
    (void)ControlCommandLabel(frame.control.command);
    const auto entries = ControlCommandEntries();
    const auto& entry = entries[data.ConsumeIntegralInRange<std::size_t>(0, entries.size() - 1)];
    const std::string message = data.ConsumeRandomLengthString(600);
    const ControlBlock block = BuildControlBlock(frame.control, entry.command, message,
                                                 fuzz::SomeInt(data), fuzz::SomeInt(data));
    // The message is terminated, cut at a character boundary, zero after its end.
    const std::string_view stored = FieldText(block.message);
    FUZZ_CHECK(stored.size() < sizeof block.message);
    for (std::size_t i = stored.size(); i < sizeof block.message; ++i) {
        FUZZ_CHECK(block.message[i] == '\0');
    }
    FUZZ_CHECK(block.reserved1 == frame.control.reserved1 &&
               block.reserved2 == frame.control.reserved2);
    frame = NewControlFrame(block);
    FUZZ_CHECK(FindControlCommandEntry(entry.text) == &entry);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    Cut cut = fuzz::SomeCut(data, 1000);
    std::vector<FrameRecord> clipboard;
    for (int step = 0; step < 64 && data.remaining_bytes() > 0; ++step) {
        switch (data.ConsumeIntegralInRange(0, 5)) {
            case 0:
                Tween(data, cut);
                break;
            case 1:
                TypeIntoRectangle(data, cut);
                break;
            case 2:
                EditFrames(data, cut, clipboard);
                break;
            case 3:
                EditParts(data, cut);
                break;
            case 4:
                WriteControlFrame(data, cut);
                break;
            default:
                fuzz::EditCut(data, cut);
                break;
        }
    }
    return 0;
}
