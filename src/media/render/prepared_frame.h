#pragma once

#include <QRgb>
#include <array>
#include <cstdint>

#include "core/content/resource_table.h"
#include "core/timesheet/frame_record.h"

namespace plk {

// Everything a time-sheet frame's picture is drawn from: the frame, the palette slot each
// drawn cell names, the background colour and the texture store's generation. A picture
// drawn ahead may stand in for a new drawing only while its key is unchanged.
struct PreparedFrameKey {
    FrameRecord frame{};
    std::array<ResourceSlot, kPartCopySlot> cellSlots{};  // zero for a number no slot carries
    QRgb background = 0;
    std::uint64_t textures = 0;

    static PreparedFrameKey Of(const ResourceTable& resources, const FrameRecord& frame,
                               QRgb background, std::uint64_t textures);
    // Byte for byte: a frame or slot edited in any field draws anew.
    bool Matches(const PreparedFrameKey& other) const;
};

}  // namespace plk
