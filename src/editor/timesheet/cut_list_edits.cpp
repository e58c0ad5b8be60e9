#include "editor/timesheet/cut_list_edits.h"

#include <cstring>

#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"

namespace plk {
namespace {

CutNameBytes NameEntry(const CTimeSheetBase& sheet, int index) {
    CutNameBytes bytes{};
    std::memcpy(bytes.data(), sheet.CutNames().names[index], kCutNameSize);
    return bytes;
}

}  // namespace

InsertCutEdit::InsertCutEdit(CTimeSheetBase* sheet, const QString& text)
    : QUndoCommand(text), m_sheet(sheet) {}

void InsertCutEdit::redo() {
    m_index = m_sheet->CutCount();
    m_oldName = NameEntry(*m_sheet, m_index);
    CutNameBytes name{};
    const std::string defaultName = DefaultCutName(m_index);
    std::memcpy(name.data(), defaultName.data(), std::min(defaultName.size(), kCutNameSize - 1));
    m_sheet->ApplyInsertCut(m_index, Cut::New(), name, m_sheet->CurrentIndex());
}

void InsertCutEdit::undo() {
    m_sheet->ApplyDeleteCut(m_index, m_oldName);
}

DeleteCutEdit::DeleteCutEdit(CTimeSheetBase* sheet, int index, const QString& text)
    : QUndoCommand(text), m_sheet(sheet), m_index(index) {}

void DeleteCutEdit::redo() {
    m_selectedBefore = m_sheet->CurrentIndex();
    m_cut = m_sheet->Page(m_index)->GetCut();
    m_name = NameEntry(*m_sheet, m_index);
    // The last entry keeps its bytes when the names move down: nothing to restore there.
    m_sheet->ApplyDeleteCut(m_index, std::nullopt);
}

void DeleteCutEdit::undo() {
    m_sheet->ApplyInsertCut(m_index, m_cut, m_name, m_selectedBefore);
    m_cut = Cut();
}

PasteCutEdit::PasteCutEdit(CTimeSheetBase* sheet, int index, Cut before, Cut after,
                           const QString& text)
    : QUndoCommand(text),
      m_sheet(sheet),
      m_index(index),
      m_before(std::move(before)),
      m_after(std::move(after)) {}

void PasteCutEdit::Apply(const Cut& cut) {
    CTimeSheet* page = m_sheet->Page(m_index);
    page->ApplyWholeCut(cut);
    if (m_pushed) {
        page->Reveal({0, 0, 0, 0});
    }
    m_pushed = true;
}

void PasteCutEdit::redo() {
    Apply(m_after);
}

void PasteCutEdit::undo() {
    Apply(m_before);
}

RenameCutEdit::RenameCutEdit(CTimeSheetBase* sheet, int index, CutNameBytes name,
                             const QString& text)
    : QUndoCommand(text), m_sheet(sheet), m_index(index), m_name(name) {}

void RenameCutEdit::redo() {
    m_oldName = NameEntry(*m_sheet, m_index);
    m_sheet->ApplyCutName(m_index, m_name);
}

void RenameCutEdit::undo() {
    m_sheet->ApplyCutName(m_index, m_oldName);
}

}  // namespace plk
