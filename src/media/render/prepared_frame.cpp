#include "media/render/prepared_frame.h"

#include <cstring>

namespace plk {

PreparedFrameKey PreparedFrameKey::Of(const ResourceTable& resources, const FrameRecord& frame,
                                      QRgb background, std::uint64_t textures) {
    PreparedFrameKey key;
    std::memcpy(&key.frame, &frame, sizeof frame);
    for (int k = 0; k < kPartCopySlot; ++k) {
        const std::int32_t number = frame.cells[k].resource;
        if (number >= 0 && number < kResourceSlots) {
            std::memcpy(&key.cellSlots[static_cast<std::size_t>(k)],
                        &resources.slot[static_cast<std::size_t>(number)], sizeof(ResourceSlot));
        }
    }
    key.background = background;
    key.textures = textures;
    return key;
}

bool PreparedFrameKey::Matches(const PreparedFrameKey& other) const {
    return background == other.background && textures == other.textures &&
           std::memcmp(&frame, &other.frame, sizeof frame) == 0 &&
           std::memcmp(cellSlots.data(), other.cellSlots.data(), sizeof cellSlots) == 0;
}

}  // namespace plk
