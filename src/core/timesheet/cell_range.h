#pragma once

namespace plk {

// A rectangle of grid cells, bounds inclusive. Columns are grid columns, so column c shows
// cell slot c and column 0 is the frame-number column. Empty while firstRow is negative.
struct CellRange {
    int firstRow = -1;
    int lastRow = -1;
    int firstColumn = -1;
    int lastColumn = -1;

    bool IsEmpty() const { return firstRow < 0 || firstColumn < 0; }
    int RowCount() const { return IsEmpty() ? 0 : lastRow - firstRow + 1; }
    int ColumnCount() const { return IsEmpty() ? 0 : lastColumn - firstColumn + 1; }
    int CellCount() const { return RowCount() * ColumnCount(); }
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
};

}  // namespace plk
