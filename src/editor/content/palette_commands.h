#pragma once

#include <QImage>
#include <QPixmap>
#include <QUndoCommand>
#include <array>
#include <vector>

#include "core/content/resource_table.h"

namespace plk {

class CResourcePalette;

// Everything one palette slot holds: its record, its thumbnails and the decoded image its
// texture came from. Undo puts a slot back from this, texture and sound included.
struct PaletteSlotContent {
    ResourceSlot record{};
    std::array<QPixmap, 3> pictures;  // 48, 64, 128
    QImage image;                     // null unless the slot holds a texture
    bool holdsSound = false;
    bool missing = false;  // the file was not found when the project was opened
};

// Loading, replacing, dropping or deleting resources: the slots before and after. The
// palette has already made the change when the command is pushed, so the first redo does
// nothing.
class PaletteSlotsEdit : public QUndoCommand {
public:
    PaletteSlotsEdit(CResourcePalette* palette, const QString& text);
    void Add(int index, PaletteSlotContent before, PaletteSlotContent after);
    bool IsEmpty() const { return m_slots.empty(); }

    void undo() override;
    void redo() override;

private:
    struct Change {
        int index;
        PaletteSlotContent before;
        PaletteSlotContent after;
    };
    CResourcePalette* m_palette;
    std::vector<Change> m_slots;
    bool m_done = true;
};

// A new world position of one image slot. Typing into one coordinate field, one drag in the
// preview or one run of arrow-key nudges is one step: commands of the same run merge.
class PaletteWorldEdit : public QUndoCommand {
public:
    static constexpr int kId = 0x4101;

    struct Position {
        std::int32_t x;
        std::int32_t y;
    };
    // Where the change came from: steps from different places never merge.
    enum class Source { XField, YField, Nudge };
    PaletteWorldEdit(CResourcePalette* palette, int index, Position before, Position after,
                     Source source, int run);

    int id() const override { return kId; }
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

private:
    CResourcePalette* m_palette;
    int m_index;
    Position m_before;
    Position m_after;
    Source m_source;
    int m_run;
    bool m_pushed = false;
};

}  // namespace plk
