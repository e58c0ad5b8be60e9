#pragma once

#include <QPainter>
#include <optional>
#include <string_view>
#include <vector>

#include "core/content/resource_table.h"
#include "core/timesheet/frame_record.h"
#include "media/render/sprite_drawer.h"
#include "media/render/texture_store.h"
#include "media/render/view_settings.h"

namespace plk {

inline constexpr int kCanvasWidth = 1024;
inline constexpr int kCanvasHeight = 768;
inline constexpr int kViewCentreX = 512;
inline constexpr int kViewCentreY = 384;

// Composes pictures on the canvas: cells of a frame, the palette image, guides. Every
// position is in canvas pixels with the world origin at the view centre.
class Scene {
public:
    Scene(const SpriteDrawer& drawer, const TextureStore& store, const ViewSettings& settings)
        : m_drawer(drawer), m_store(store), m_settings(settings) {}

    // A stored image centred on the view centre plus `offset`, at the current zoom (about
    // its own centre: the offset is not scaled).
    void DrawImageCentered(QPainter& painter, std::string_view name, std::optional<QPoint> offset,
                           int alphaPercent) const;

    // The sound cells of a frame handed to `playSound` in slot order, as drawing the frame
    // plays them; for a frame whose picture was drawn earlier.
    template <typename PlaySound>
    static void PlayCellSounds(const ResourceTable& resources, const FrameRecord& frame,
                               PlaySound&& playSound) {
        for (int k = 0; k < kPartCopySlot; ++k) {
            const std::int32_t number = frame.cells[k].resource;
            if (number >= 0 && number < kResourceSlots) {
                const ResourceSlot& slot = resources.slot[static_cast<std::size_t>(number)];
                if (slot.Kind() == ResourceKind::Sound) {
                    playSound(slot.Name());
                }
            }
        }
    }

    // Cell slots 0..26 in order, later ones covering earlier ones. Sound cells are handed
    // to `playSound` instead of being drawn. The zoom does not apply to cells.
    template <typename PlaySound>
    void DrawCellLayers(QPainter& painter, const ResourceTable& resources, const FrameRecord& frame,
                        PlaySound&& playSound) const {
        for (int k = 0; k < kPartCopySlot; ++k) {
            const CellRecord& cell = frame.cells[k];
            if (cell.resource < 0 || cell.resource >= kResourceSlots) {
                continue;  // a number no slot carries draws nothing
            }
            const ResourceSlot& slot = resources.slot[static_cast<std::size_t>(cell.resource)];
            if (slot.Kind() == ResourceKind::Sound) {
                playSound(slot.Name());
            } else if (slot.Kind() == ResourceKind::Image) {
                DrawCell(painter, slot, cell);
            }
        }
    }

    // The drawing calls of the image cells DrawCellLayers draws, in the same order.
    void PlanCellLayers(std::vector<SpriteDraw>& draws, const ResourceTable& resources,
                        const FrameRecord& frame) const;

    void DrawGuides(QPainter& painter) const;

private:
    void DrawCell(QPainter& painter, const ResourceSlot& slot, const CellRecord& cell) const;
    void PlanCell(std::vector<SpriteDraw>& draws, const ResourceSlot& slot,
                  const CellRecord& cell) const;

    const SpriteDrawer& m_drawer;
    const TextureStore& m_store;
    const ViewSettings& m_settings;
};

}  // namespace plk
