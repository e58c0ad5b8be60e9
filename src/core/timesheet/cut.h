#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "core/timesheet/frame_record.h"

namespace plk {

// One cut: the frame records of a time sheet in playing order (the index is the row) and
// the grid's column count (part count + 1).
class Cut {
public:
    static constexpr int kNewFrameCount = 60;
    static constexpr int kNewPartCount = 5;

    // A new cut: 60 new normal frames and 5 parts.
    static Cut New();

    Cut() = default;
    Cut(std::vector<FrameRecord> frames, int columnCount);

    int FrameCount() const { return static_cast<int>(m_frames.size()); }
    int ColumnCount() const { return m_columnCount; }
    int PartCount() const { return m_columnCount - 1; }
    void SetColumnCount(int columnCount) { m_columnCount = columnCount; }

    const FrameRecord& Frame(int row) const { return m_frames[static_cast<std::size_t>(row)]; }
    FrameRecord& Frame(int row) { return m_frames[static_cast<std::size_t>(row)]; }
    std::span<const FrameRecord> Frames() const { return m_frames; }

    void Append(const FrameRecord& record) { m_frames.push_back(record); }
    // Inserts before the record at `row` (row == FrameCount() appends). Like the other
    // row operations, false (and nothing changes) for a row outside the cut.
    bool Insert(int row, const FrameRecord& record);
    bool Erase(int row);
    // Inserts `records` in order before the record at `row`.
    bool InsertFrames(int row, std::span<const FrameRecord> records);
    // Removes `count` records from `row` on; false, and nothing changes, when the rows
    // [row, row + count) do not all lie in the cut.
    bool EraseFrames(int row, int count);

    // Records of kind 1 in [firstRow, endRow); 0 for an empty range.
    int CountNormalFrames(int firstRow, int endRow) const;
    // Index of the n-th normal frame; FrameCount() when there are fewer. n < 1 gives 0.
    int RowOfFrameNumber(int n) const;
    // Normal frames among rows 0..row-1 (0 when row < 1).
    int NormalFramesBefore(int row) const;
    // The row just after the n-th normal frame, stopping at FrameCount(). n < 1 gives 0.
    int RowAfterFrameNumber(int n) const;

    // Replaces the frames, as when a cut is read from a project file.
    void Load(std::vector<FrameRecord> frames, int columnCount);

private:
    std::vector<FrameRecord> m_frames;
    int m_columnCount = kNewPartCount + 1;
};

// The cut-name table: the tab label of cut i at offset i x 256, room for 16 names.
inline constexpr int kMaxCuts = 16;
inline constexpr std::size_t kCutNameSize = 256;
struct CutNameTable {
    char names[kMaxCuts][kCutNameSize];

    std::string_view Name(int cut) const;
    void SetName(int cut, std::string_view sjis);
};
static_assert(IsPlainRecord<CutNameTable> && sizeof(CutNameTable) == 4096);

// "カット：1" to "カット：16".
CutNameTable DefaultCutNames();
// The label of cut index i in the default table, "カット：<i+1>", as Shift-JIS.
std::string DefaultCutName(int index);

}  // namespace plk
