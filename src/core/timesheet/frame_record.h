#pragma once

#include <cstddef>
#include <cstdint>

#include "core/records.h"

namespace plk {

enum class FrameKind : std::uint32_t {
    Normal = 1,
    Control = 2,
};

enum class ControlCommand : std::int32_t {
    Message = 1,
    Chat = 2,
    ChatClear = 3,
    ChargeStart = 4,
    ChargeEnd = 5,
    ChargeStack = 6,
    ShowStart = 7,
    ShowEnd = 8,
    Repeat = 9,
    Wait = 10,
};

// One part of a normal frame: a resource slot and its placement.
struct CellRecord {
    std::int32_t resource;  // palette slot, 0 = none
    float x;                // offset from the resource's world position, pixels
    float y;
    std::int32_t scaleX;  // percent
    std::int32_t scaleY;
    std::int32_t reserved;
    std::int32_t rotation;  // degrees
    std::int32_t alpha;     // percent opacity, 100 = opaque
};

struct ControlBlock {
    std::int32_t command;  // ControlCommand
    std::int32_t position;
    std::int32_t reserved1;
    std::int32_t reserved2;
    std::int32_t time;
    char message[256];  // Shift-JIS, zero-terminated
};

inline constexpr int kCellSlots = 28;
inline constexpr int kFrameNumberSlot = 0;  // belongs to the frame-number column
inline constexpr int kFirstPartSlot = 1;    // part A; edits from the grid start here
inline constexpr int kPartCopySlot = 27;    // the cut's part copy buffer
inline constexpr int kMinParts = 4;
inline constexpr int kMaxParts = 26;

struct FrameRecord {
    std::uint32_t kind;  // FrameKind; anything but 1 is not a normal frame
    CellRecord cells[kCellSlots];
    ControlBlock control;

    bool IsNormal() const { return kind == static_cast<std::uint32_t>(FrameKind::Normal); }
};

static_assert(IsPlainRecord<CellRecord> && sizeof(CellRecord) == 32);
static_assert(offsetof(CellRecord, scaleX) == 12 && offsetof(CellRecord, rotation) == 24 &&
              offsetof(CellRecord, alpha) == 28);
static_assert(IsPlainRecord<ControlBlock> && sizeof(ControlBlock) == 276);
static_assert(offsetof(ControlBlock, time) == 16 && offsetof(ControlBlock, message) == 20);
static_assert(IsPlainRecord<FrameRecord> && sizeof(FrameRecord) == 1176);
static_assert(offsetof(FrameRecord, cells) == 4 && offsetof(FrameRecord, control) == 900);

// Older project files store 696-byte frames: 13 cell slots and the control block at 420.
inline constexpr std::size_t kLegacyFrameSize = 696;

// A normal frame as created by the editor: slots 0..26 at their defaults, the part copy
// slot and the control block zero.
FrameRecord NewNormalFrame();
// A control frame carrying `block`; every cell slot is zero.
FrameRecord NewControlFrame(const ControlBlock& block);
// A control frame's message read from outside may lack its terminator; the game would then
// read on into the next frame. Such a message is cut to its first 255 bytes at a character
// boundary and terminated, as the editor shows it. A terminated message, and every byte of
// a normal frame, stays as it is. True when the frame changed.
bool TerminateControlMessage(FrameRecord& frame);
// Widens a 696-byte frame to the current layout. Slot 12 of the old layout (its part copy
// buffer) is dropped; every byte the old layout lacks is zero.
FrameRecord ConvertLegacyFrame(const std::byte* legacy);

}  // namespace plk
