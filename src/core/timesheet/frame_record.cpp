#include "core/timesheet/frame_record.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/text/sjis.h"

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

bool TerminateControlMessage(FrameRecord& frame) {
    char* message = frame.control.message;
    if (frame.IsNormal() || std::find(message, std::end(frame.control.message), '\0') !=
                                std::end(frame.control.message)) {
        return false;
    }
    const std::string text(FieldText(frame.control.message));
    SetFieldText(frame.control.message, text);
    return true;
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
