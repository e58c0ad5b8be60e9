#include "editor/content/palette_commands.h"

#include "editor/content/resource_palette.h"

namespace plk {

PaletteSlotsEdit::PaletteSlotsEdit(CResourcePalette* palette, const QString& text)
    : QUndoCommand(text), m_palette(palette) {}

void PaletteSlotsEdit::Add(int index, PaletteSlotContent before, PaletteSlotContent after) {
    m_slots.push_back({index, std::move(before), std::move(after)});
}

void PaletteSlotsEdit::undo() {
    // Backwards: a later file of a drop may have gone into a slot an earlier one changed.
    for (auto it = m_slots.rbegin(); it != m_slots.rend(); ++it) {
        m_palette->RestoreSlot(it->index, it->before);
    }
    m_done = false;
    if (!m_slots.empty()) {
        m_palette->RevealSlot(m_slots.front().index);
    }
}

void PaletteSlotsEdit::redo() {
    if (m_done) {
        return;
    }
    for (const Change& change : m_slots) {
        m_palette->RestoreSlot(change.index, change.after);
    }
    m_done = true;
    if (!m_slots.empty()) {
        m_palette->RevealSlot(m_slots.front().index);
    }
}

PaletteWorldEdit::PaletteWorldEdit(CResourcePalette* palette, int index, Position before,
                                   Position after, Source source, int run)
    : QUndoCommand(CResourcePalette::tr("ワールド座標の変更")),
      m_palette(palette),
      m_index(index),
      m_before(before),
      m_after(after),
      m_source(source),
      m_run(run) {}

bool PaletteWorldEdit::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const PaletteWorldEdit*>(other);
    if (next->m_palette != m_palette || next->m_index != m_index || next->m_run != m_run ||
        next->m_source != m_source) {
        return false;
    }
    m_after = next->m_after;
    // A run that ends where it started (110 retyped over 110) is no step at all.
    setObsolete(m_after.x == m_before.x && m_after.y == m_before.y);
    return true;
}

void PaletteWorldEdit::undo() {
    // Whatever the author does next starts a step of its own.
    m_palette->EndEditRun();
    m_palette->RevealSlot(m_index);
    m_palette->SetWorldPosition(m_index, m_before.x, m_before.y);
}

void PaletteWorldEdit::redo() {
    if (m_pushed) {
        m_palette->EndEditRun();
        m_palette->RevealSlot(m_index);
    }
    m_pushed = true;
    m_palette->SetWorldPosition(m_index, m_after.x, m_after.y);
}

}  // namespace plk
