#include "core/timesheet/cut.h"

#include <algorithm>
#include <string>

#include "core/text/sjis.h"

namespace plk {

Cut Cut::New() {
    return Cut(std::vector<FrameRecord>(kNewFrameCount, NewNormalFrame()), kNewPartCount + 1);
}

Cut::Cut(std::vector<FrameRecord> frames, int columnCount)
    : m_frames(std::move(frames)), m_columnCount(columnCount) {}

bool Cut::Insert(int row, const FrameRecord& record) {
    return InsertFrames(row, std::span<const FrameRecord>(&record, 1));
}

bool Cut::Erase(int row) {
    return EraseFrames(row, 1);
}

bool Cut::InsertFrames(int row, std::span<const FrameRecord> records) {
    if (row < 0 || row > FrameCount()) {
        return false;
    }
    m_frames.insert(m_frames.begin() + row, records.begin(), records.end());
    return true;
}

bool Cut::EraseFrames(int row, int count) {
    // A row or count outside the cut would erase through memory that is not the cut's.
    if (row < 0 || count < 0 || row > FrameCount() || count > FrameCount() - row) {
        return false;
    }
    m_frames.erase(m_frames.begin() + row, m_frames.begin() + row + count);
    return true;
}

int Cut::CountNormalFrames(int firstRow, int endRow) const {
    firstRow = std::max(firstRow, 0);
    endRow = std::min(endRow, FrameCount());
    if (firstRow >= endRow) {
        return 0;
    }
    return static_cast<int>(std::count_if(m_frames.begin() + firstRow, m_frames.begin() + endRow,
                                          [](const FrameRecord& f) { return f.IsNormal(); }));
}

int Cut::RowOfFrameNumber(int n) const {
    if (n < 1) {
        return 0;
    }
    int seen = 0;
    for (int row = 0; row < FrameCount(); ++row) {
        if (Frame(row).IsNormal() && ++seen == n) {
            return row;
        }
    }
    return FrameCount();
}

int Cut::NormalFramesBefore(int row) const {
    return CountNormalFrames(0, row);
}

int Cut::RowAfterFrameNumber(int n) const {
    if (n < 1) {
        return 0;
    }
    int remaining = n;
    int row = 0;
    while (row < FrameCount() && remaining > 0) {
        if (Frame(row).IsNormal()) {
            --remaining;
        }
        ++row;
    }
    return row;
}

void Cut::Load(std::vector<FrameRecord> frames, int columnCount) {
    m_frames = std::move(frames);
    m_columnCount = columnCount;
}

std::string_view CutNameTable::Name(int cut) const {
    return FieldText(names[cut]);
}

void CutNameTable::SetName(int cut, std::string_view sjis) {
    SetFieldText(names[cut], sjis);
}

std::string DefaultCutName(int index) {
    return ToSjis("カット：") + std::to_string(index + 1);
}

CutNameTable DefaultCutNames() {
    CutNameTable table{};
    for (int i = 0; i < kMaxCuts; ++i) {
        table.SetName(i, DefaultCutName(i));
    }
    return table;
}

}  // namespace plk
