// Arbitrary cuts and values for the fuzz targets that play or edit time sheets.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/timesheet/cut.h"
#include "core/timesheet/frame_record.h"

namespace plk::fuzz {

// Mostly small numbers, now and then one at the edge of the type.
inline std::int32_t SomeInt(FuzzedDataProvider& data, std::int32_t smallMin = -3,
                            std::int32_t smallMax = 80) {
    switch (data.ConsumeIntegralInRange(0, 7)) {
        case 0:
            return data.ConsumeIntegral<std::int32_t>();
        case 1:
            return data.PickValueInArray(
                {INT_MIN, INT_MIN + 1, -1, 0, INT_MAX - 1, INT_MAX, 72000, 72001, 65535});
        default:
            return data.ConsumeIntegralInRange(smallMin, smallMax);
    }
}

// A control message: short text, or a field filled to its last byte with no terminator.
inline void FillMessage(FuzzedDataProvider& data, char (&message)[256]) {
    std::memset(message, 0, sizeof message);
    if (data.ConsumeBool()) {
        const std::string text = data.ConsumeRandomLengthString(300);
        std::memcpy(message, text.data(), std::min(text.size(), sizeof message));
    } else {
        std::memset(message, data.ConsumeIntegral<char>(), sizeof message);
    }
}

// One frame record: normal, control with any command code, or of an unknown kind.
inline FrameRecord SomeFrame(FuzzedDataProvider& data) {
    const int choice = data.ConsumeIntegralInRange(0, 9);
    if (choice < 5) {
        FrameRecord frame = NewNormalFrame();
        for (int k = data.ConsumeIntegralInRange(0, 2); k > 0; --k) {
            CellRecord& cell = frame.cells[data.ConsumeIntegralInRange(0, kCellSlots - 1)];
            cell.resource = SomeInt(data, -1, 30);
            cell.x = data.ConsumeFloatingPoint<float>();
            cell.rotation = SomeInt(data, -720, 720);
            cell.alpha = SomeInt(data, -10, 110);
        }
        return frame;
    }
    ControlBlock block{};
    block.command = choice < 9 ? data.ConsumeIntegralInRange(0, 11) : SomeInt(data);
    block.position = SomeInt(data, -2, 40);
    block.time = SomeInt(data, -2, 5);
    FillMessage(data, block.message);
    FrameRecord frame = NewControlFrame(block);
    if (choice == 9 && data.ConsumeBool()) {
        frame.kind = data.ConsumeIntegral<std::uint32_t>();
    }
    return frame;
}

// A cut of up to `maxRows` rows (mostly far fewer): every row normal to begin with, then
// some rows replaced.
inline Cut SomeCut(FuzzedDataProvider& data, int maxRows) {
    const int rows = data.ConsumeIntegralInRange(0, data.ConsumeBool() ? maxRows : 64);
    std::vector<FrameRecord> frames(static_cast<std::size_t>(rows), NewNormalFrame());
    const int changed = data.ConsumeIntegralInRange(0, 24);
    for (int k = 0; k < changed && rows > 0; ++k) {
        frames[data.ConsumeIntegralInRange<std::size_t>(0, frames.size() - 1)] = SomeFrame(data);
    }
    return Cut(std::move(frames), data.ConsumeIntegralInRange(kMinParts + 1, kMaxParts + 1));
}

// Some rows of `cut` changed, inserted or erased, as the editor may do between two passes.
inline void EditCut(FuzzedDataProvider& data, Cut& cut) {
    const int rows = cut.FrameCount();
    switch (data.ConsumeIntegralInRange(0, 4)) {
        case 0:
            cut.Insert(data.ConsumeIntegralInRange(0, rows), SomeFrame(data));
            break;
        case 1:
            if (rows > 0) {
                const int row = data.ConsumeIntegralInRange(0, rows - 1);
                cut.EraseFrames(row, data.ConsumeIntegralInRange(1, rows - row));
            }
            break;
        case 2:
            if (rows > 0) {
                cut.Frame(data.ConsumeIntegralInRange(0, rows - 1)) = SomeFrame(data);
            }
            break;
        case 3:
            for (int k = data.ConsumeIntegralInRange(1, 200); k > 0; --k) {
                cut.Append(NewNormalFrame());
            }
            break;
        default:
            cut.EraseFrames(0, rows);
            break;
    }
}

}  // namespace plk::fuzz
