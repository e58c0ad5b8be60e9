#include "core/timesheet/frame_record.h"

#include <cstring>

namespace plk {

FrameRecord NewNormalFrame() {
    FrameRecord frame{};
    frame.kind = static_cast<std::uint32_t>(FrameKind::Normal);
    for (int slot = 0; slot < kPartCopySlot; ++slot) {
        CellRecord& cell = frame.cells[slot];
        cell.scaleX = 100;
        cell.scaleY = 100;
        cell.alpha = 100;
    }
    return frame;
}

FrameRecord NewControlFrame(const ControlBlock& block) {
    FrameRecord frame{};
    frame.kind = static_cast<std::uint32_t>(FrameKind::Control);
    frame.control = block;
    return frame;
}

FrameRecord ConvertLegacyFrame(const std::byte* legacy) {
    constexpr std::size_t kKeptHead = 388;  // kind and cell slots 0..11
    constexpr std::size_t kLegacyControlAt = 420;
    FrameRecord frame{};
    auto* out = reinterpret_cast<std::byte*>(&frame);
    std::memcpy(out, legacy, kKeptHead);
    std::memcpy(out + offsetof(FrameRecord, control), legacy + kLegacyControlAt,
                sizeof(ControlBlock));
    return frame;
}

}  // namespace plk
