#include "editor/timesheet/cut_edits.h"

#include <algorithm>

#include "core/timesheet/cut_editing.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"

namespace plk {

CutEdit::CutEdit(CTimeSheetBase* sheet, int cut, const QString& text)
    : QUndoCommand(text), m_sheet(sheet), m_cut(cut) {}

CTimeSheet& CutEdit::Page() const {
    return *m_sheet->Page(m_cut);
}

void CutEdit::RevealAfterRun(const CellRange& range) {
    if (m_ranOnce) {
        Page().Reveal(range);
    }
    m_ranOnce = true;
}

namespace {

// The rows [row, row + count) whole (at least the row itself).
CellRange WholeRows(int row, int count) {
    return {row, row + std::max(count, 1) - 1, 0, 0};
}

CellRange Touched(const std::vector<CellWrite>& writes) {
    if (writes.empty()) {
        return {};
    }
    CellRange range{writes.front().row, writes.front().row, writes.front().slot,
                    writes.front().slot};
    for (const CellWrite& write : writes) {
        range.firstRow = std::min(range.firstRow, write.row);
        range.lastRow = std::max(range.lastRow, write.row);
        range.firstColumn = std::min(range.firstColumn, write.slot);
        range.lastColumn = std::max(range.lastColumn, write.slot);
    }
    return range;
}

CellRange WholeColumn(const CTimeSheet& page, int slot) {
    return {0, std::max(page.GetCut().FrameCount() - 1, 0), slot, slot};
}

}  // namespace

RowsEdit::RowsEdit(CTimeSheetBase* sheet, int cut, int row, std::vector<FrameRecord> removed,
                   std::vector<FrameRecord> inserted, const QString& text)
    : CutEdit(sheet, cut, text),
      m_row(row),
      m_removed(std::move(removed)),
      m_inserted(std::move(inserted)) {}

void RowsEdit::redo() {
    Page().ApplyRows(m_row, static_cast<int>(m_removed.size()), m_inserted);
    RevealAfterRun(WholeRows(m_row, static_cast<int>(m_inserted.size())));
}

void RowsEdit::undo() {
    Page().ApplyRows(m_row, static_cast<int>(m_inserted.size()), m_removed);
    RevealAfterRun(WholeRows(m_row, static_cast<int>(m_removed.size())));
}

CellsEdit::CellsEdit(CTimeSheetBase* sheet, int cut, std::vector<CellWrite> before,
                     std::vector<CellWrite> after, const QString& text, int mergeKey,
                     int mergeSerial)
    : CutEdit(sheet, cut, text),
      m_before(std::move(before)),
      m_after(std::move(after)),
      m_mergeKey(mergeKey),
      m_mergeSerial(mergeSerial) {}

void CellsEdit::redo() {
    Page().ApplyCells(m_after, false);
    RevealAfterRun(Touched(m_after));
}

void CellsEdit::undo() {
    // In reverse, so a cell written twice gets back the value it had before the first.
    Page().ApplyCells(m_before, true);
    RevealAfterRun(Touched(m_before));
}

bool CellsEdit::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const CellsEdit*>(other);
    if (next == nullptr || next->Cut() != Cut() || next->m_mergeKey != m_mergeKey ||
        next->m_mergeSerial != m_mergeSerial) {
        return false;
    }
    m_before.insert(m_before.end(), next->m_before.begin(), next->m_before.end());
    m_after.insert(m_after.end(), next->m_after.begin(), next->m_after.end());
    return true;
}

PartShiftEdit::PartShiftEdit(CTimeSheetBase* sheet, int cut, Kind kind, int slot,
                             const QString& text)
    : CutEdit(sheet, cut, text), m_kind(kind), m_slot(slot) {}

void PartShiftEdit::redo() {
    CTimeSheet& page = Page();
    m_dropped = NormalFrameCells(page.GetCut(), m_kind == Kind::Insert ? kMaxParts : m_slot);
    page.ApplyPartShift(m_kind == Kind::Insert, m_slot);
    RevealAfterRun(WholeColumn(page, m_slot));
}

void PartShiftEdit::undo() {
    // Each shift is the other's inverse but for the cells it renews.
    CTimeSheet& page = Page();
    page.ApplyPartShift(m_kind != Kind::Insert, m_slot);
    page.ApplyNormalFrameCells(m_kind == Kind::Insert ? kMaxParts : m_slot, m_dropped);
    RevealAfterRun(WholeColumn(page, m_slot));
}

PartColumnEdit::PartColumnEdit(CTimeSheetBase* sheet, int cut, Kind kind, int slot,
                               const QString& text)
    : CutEdit(sheet, cut, text), m_kind(kind), m_slot(slot) {}

void PartColumnEdit::redo() {
    CTimeSheet& page = Page();
    const int target = m_kind == Kind::Copy ? kPartCopySlot : m_slot;
    const int source = m_kind == Kind::Copy ? m_slot : kPartCopySlot;
    m_before = NormalFrameCells(page.GetCut(), target);
    m_wasCopied = page.PartCopied();
    page.ApplyNormalFrameCells(target, NormalFrameCells(page.GetCut(), source));
    if (m_kind == Kind::Copy) {
        page.SetPartCopied(true);
    }
    RevealAfterRun(WholeColumn(page, m_slot));
}

void PartColumnEdit::undo() {
    CTimeSheet& page = Page();
    page.ApplyNormalFrameCells(m_kind == Kind::Copy ? kPartCopySlot : m_slot, m_before);
    page.SetPartCopied(m_wasCopied);
    RevealAfterRun(WholeColumn(page, m_slot));
}

}  // namespace plk
