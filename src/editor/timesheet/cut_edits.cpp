#include "editor/timesheet/cut_edits.h"

#include "core/timesheet/cut_editing.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"

namespace plk {

CutEdit::CutEdit(CTimeSheetBase* sheet, int cut, const QString& text)
    : QUndoCommand(text), m_sheet(sheet), m_cut(cut) {}

CTimeSheet& CutEdit::Page() const {
    return *m_sheet->Page(m_cut);
}

RowsEdit::RowsEdit(CTimeSheetBase* sheet, int cut, int row, std::vector<FrameRecord> removed,
                   std::vector<FrameRecord> inserted, const QString& text)
    : CutEdit(sheet, cut, text),
      m_row(row),
      m_removed(std::move(removed)),
      m_inserted(std::move(inserted)) {}

void RowsEdit::redo() {
    Page().ApplyRows(m_row, static_cast<int>(m_removed.size()), m_inserted);
}

void RowsEdit::undo() {
    Page().ApplyRows(m_row, static_cast<int>(m_inserted.size()), m_removed);
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
}

void CellsEdit::undo() {
    // In reverse, so a cell written twice gets back the value it had before the first.
    Page().ApplyCells(m_before, true);
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
}

void PartShiftEdit::undo() {
    // Each shift is the other's inverse but for the cells it renews.
    CTimeSheet& page = Page();
    page.ApplyPartShift(m_kind != Kind::Insert, m_slot);
    page.ApplyNormalFrameCells(m_kind == Kind::Insert ? kMaxParts : m_slot, m_dropped);
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
}

void PartColumnEdit::undo() {
    CTimeSheet& page = Page();
    page.ApplyNormalFrameCells(m_kind == Kind::Copy ? kPartCopySlot : m_slot, m_before);
    page.SetPartCopied(m_wasCopied);
}

}  // namespace plk
