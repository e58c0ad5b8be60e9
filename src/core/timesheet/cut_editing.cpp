#include "core/timesheet/cut_editing.h"

#include <algorithm>

namespace plk {
namespace {

CellRecord NewCell() {
    return NewNormalFrame().cells[1];
}

template <typename Operation>
void ForEachNormalFrame(Cut& cut, Operation operation) {
    for (int row = 0; row < cut.FrameCount(); ++row) {
        FrameRecord& frame = cut.Frame(row);
        if (frame.IsNormal()) {
            operation(frame);
        }
    }
}

}  // namespace

bool CanInsertPart(const Cut& cut) {
    return cut.PartCount() < kMaxParts;
}

bool CanDeletePart(const Cut& cut) {
    return cut.PartCount() > kMinParts;
}

void InsertPart(Cut& cut, int slot) {
    ForEachNormalFrame(cut, [slot](FrameRecord& frame) {
        std::copy_backward(frame.cells + slot, frame.cells + kMaxParts,
                           frame.cells + kMaxParts + 1);
        frame.cells[slot] = NewCell();
    });
    cut.SetColumnCount(cut.ColumnCount() + 1);
}

void DeletePart(Cut& cut, int slot) {
    ForEachNormalFrame(cut, [slot](FrameRecord& frame) {
        std::copy(frame.cells + slot + 1, frame.cells + kMaxParts + 1, frame.cells + slot);
        frame.cells[kMaxParts] = NewCell();
    });
    cut.SetColumnCount(cut.ColumnCount() - 1);
}

void CopyPart(Cut& cut, int slot) {
    ForEachNormalFrame(
        cut, [slot](FrameRecord& frame) { frame.cells[kPartCopySlot] = frame.cells[slot]; });
}

void PastePart(Cut& cut, int slot) {
    ForEachNormalFrame(
        cut, [slot](FrameRecord& frame) { frame.cells[slot] = frame.cells[kPartCopySlot]; });
}

std::vector<CellRecord> NormalFrameCells(const Cut& cut, int slot) {
    std::vector<CellRecord> cells;
    for (const FrameRecord& frame : cut.Frames()) {
        if (frame.IsNormal()) {
            cells.push_back(frame.cells[slot]);
        }
    }
    return cells;
}

void SetNormalFrameCells(Cut& cut, int slot, std::span<const CellRecord> cells) {
    std::size_t next = 0;
    ForEachNormalFrame(cut, [&](FrameRecord& frame) {
        if (next < cells.size()) {
            frame.cells[slot] = cells[next++];
        }
    });
}

int ClampedDeleteCount(const Cut& cut, int row, int count) {
    if (row < 0 || row >= cut.FrameCount()) {
        return 0;  // no such row: nothing to delete
    }
    const int below = cut.FrameCount() - row;
    if (count >= below) {
        count = below - 1;
    }
    return std::max(count, 0);
}

std::vector<FrameRecord> CopyFrames(const Cut& cut, int firstRow, int lastRow) {
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, cut.FrameCount() - 1);
    if (firstRow > lastRow) {
        return {};
    }
    auto frames = cut.Frames();
    return {frames.begin() + firstRow, frames.begin() + lastRow + 1};
}

int PaintedRowCount(const Cut& cut, int row, int unit) {
    if (row < 0 || row >= cut.FrameCount()) {
        return 0;
    }
    return std::min(std::max(unit, 0), cut.FrameCount() - row);
}

CellRange PartRectangle(const Cut& cut, CellRange spanned) {
    if (spanned.IsEmpty() || cut.PartCount() < 1) {
        return spanned;
    }
    if (spanned.lastColumn < kFirstPartSlot) {
        spanned.lastColumn = cut.PartCount();
    }
    spanned.firstColumn = std::max(spanned.firstColumn, kFirstPartSlot);
    spanned.lastColumn = std::min(spanned.lastColumn, cut.PartCount());
    if (spanned.firstColumn > spanned.lastColumn) {
        return {};
    }
    return spanned;
}

const char* ControlCommandLabel(std::int32_t command) {
    switch (static_cast<ControlCommand>(command)) {
        case ControlCommand::Message:
            return "MESSAGE";
        case ControlCommand::Chat:
            return "CHAT";
        case ControlCommand::ChatClear:
            return "CHATCLEAR";
        case ControlCommand::ChargeStart:
            return "CHARGESTART";
        case ControlCommand::ChargeEnd:
            return "CHARGEEND";
        case ControlCommand::ChargeStack:
            return "CHARGESTACK";
        case ControlCommand::ShowStart:
            return "SHOWSTART";
        case ControlCommand::ShowEnd:
            return "SHOWEND";
        case ControlCommand::Repeat:
            return "REPEAT";
        case ControlCommand::Wait:
            return "WAIT";
    }
    // A code the playback does not know: the row still says it is a control frame.
    return "CONTROL";
}

}  // namespace plk
