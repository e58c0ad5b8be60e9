#pragma once

#include <limits>

namespace plk {

// A rectangle of grid cells, bounds inclusive. Columns are grid columns, so column c shows
// cell slot c and column 0 is the frame-number column. Empty while firstRow is negative.
struct CellRange {
    int firstRow = -1;
    int lastRow = -1;
    int firstColumn = -1;
    int lastColumn = -1;

    bool IsEmpty() const { return firstRow < 0 || firstColumn < 0; }
    // Counts saturate at the largest int: a range may reach any row number.
    int RowCount() const { return IsEmpty() ? 0 : Span(firstRow, lastRow); }
    int ColumnCount() const { return IsEmpty() ? 0 : Span(firstColumn, lastColumn); }
    int CellCount() const { return Saturated(static_cast<long long>(RowCount()) * ColumnCount()); }
    // One past the last row that lies inside a cut of `rowCount` rows.
    int EndRowWithin(int rowCount) const { return lastRow < rowCount ? lastRow + 1 : rowCount; }
    bool Contains(int row, int column) const {
        return !IsEmpty() && row >= firstRow && row <= lastRow && column >= firstColumn &&
               column <= lastColumn;
    }

    // The rectangle spanned by two corners, in either order.
    static CellRange Spanning(int rowA, int columnA, int rowB, int columnB) {
        return {rowA < rowB ? rowA : rowB, rowA < rowB ? rowB : rowA,
                columnA < columnB ? columnA : columnB, columnA < columnB ? columnB : columnA};
    }

    friend bool operator==(const CellRange&, const CellRange&) = default;

private:
    static int Saturated(long long value) {
        return value > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                       : static_cast<int>(value);
    }
    static int Span(int first, int last) {
        return first > last ? 0 : Saturated(static_cast<long long>(last) - first + 1);
    }
};

}  // namespace plk
