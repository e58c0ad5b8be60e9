#pragma once

#include <algorithm>

#include "core/playback/playback_io.h"

namespace plk {

// Rows `first`..`last` of a cut read as a cut of their own, for playing a selection. Frame
// numbers count from the range's first normal frame; FrameNumberOffset() turns them back
// into the whole cut's.
class RowRangeReader final : public CutReader {
public:
    RowRangeReader(const CutReader& cut, int first, int last)
        : m_cut(cut),
          m_first(std::max(0, first)),
          m_rows(std::max(0, std::min(last, cut.RowCount() - 1) - m_first + 1)),
          m_offset(cut.NormalFramesBefore(m_first)) {}

    int FrameNumberOffset() const { return m_offset; }

    int RowCount() const override { return m_rows; }
    bool CopyRow(int row, FrameRecord& out) const override {
        return row >= 0 && row < m_rows && m_cut.CopyRow(m_first + row, out);
    }
    int RowOfFrameNumber(int n) const override {
        if (n < 1) {
            return 0;
        }
        return std::clamp(m_cut.RowOfFrameNumber(m_offset + n) - m_first, 0, m_rows);
    }
    int NormalFramesBefore(int row) const override {
        if (row < 1) {
            return 0;
        }
        return m_cut.NormalFramesBefore(m_first + std::min(row, m_rows)) - m_offset;
    }
    int RowAfterFrameNumber(int n) const override {
        if (n < 1) {
            return 0;
        }
        return std::clamp(m_cut.RowAfterFrameNumber(m_offset + n) - m_first, 0, m_rows);
    }

private:
    const CutReader& m_cut;
    int m_first;
    int m_rows;
    int m_offset;
};

}  // namespace plk
