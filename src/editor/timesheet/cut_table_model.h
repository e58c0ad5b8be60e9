#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <vector>

#include "core/timesheet/cell_range.h"
#include "core/timesheet/cut.h"

namespace plk {

// The time-sheet grid's view of one cut: one row per frame record, column 0 for frame
// numbers (or a control frame's command), one column per part. Texts are made when the
// view asks for them, so a change costs the visible cells, not the whole cut.
class CutTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CutTableModel(const Cut& cut, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text a cell shows, as the grid writes it.
    QString CellText(int row, int column) const;

    // Part cells show their slot's name instead of its number while `shown` (the number is
    // the default); `names` gives a slot's name, empty for an empty slot.
    void SetSlotNames(std::function<QString(int slot)> names) { m_slotNames = std::move(names); }
    bool ShowsSlotNames() const { return m_showNames; }
    void SetShowSlotNames(bool shown);

    // The cells drawn highlighted: the selection rectangle.
    const CellRange& Highlight() const { return m_highlight; }
    void SetHighlight(const CellRange& range);

    // Notifications of changes the page made to the cut (under its lock). Rows after a
    // change are renumbered, so their frame-number column is repainted too.
    void BeginRowsReplaced(int row, int removed, int inserted);
    void EndRowsReplaced(int row, int removed, int inserted);
    void CellsChanged(const CellRange& range);
    // The column count was changed to what the cut now holds.
    void ColumnsChanged(int oldColumnCount);
    // Everything may have changed (a cut replaced whole).
    void Reset();

private:
    void RowsChangedFrom(int row);
    // The frame number of a normal row. Numbers are counted lazily and only as far as
    // asked, so renumbering after an edit costs the rows shown, not the rows below them.
    int FrameNumber(int row) const;

    const Cut& m_cut;
    CellRange m_highlight;
    std::function<QString(int slot)> m_slotNames;
    bool m_showNames = false;
    int m_shownColumns;
    // Normal frames before each row, valid for rows below m_numbersValidUntil.
    mutable std::vector<int> m_normalBefore;
    mutable int m_numbersValidUntil = 0;
};

}  // namespace plk
