#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plk {

// The result of one compression, held only while it is being written: the resource name
// (empty for everything but palette slots), the length before compression and the stream.
struct PackedItem {
    std::string name;
    std::uint32_t unpackedSize = 0;
    std::vector<std::uint8_t> bytes;

    std::uint32_t StoredSize() const { return static_cast<std::uint32_t>(bytes.size()); }
};

}  // namespace plk
