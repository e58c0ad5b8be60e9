#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace plk {

// An allocator whose elements start out uninitialised when a container grows without
// values to copy: a buffer that a read is about to fill is not zero-filled first, which
// for a large file costs as much as the read itself.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
    using std::allocator<T>::allocator;
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    template <typename U>
    void construct(U* place) noexcept {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

// Bytes read from a file: a vector in every way but its growth, which leaves new bytes
// uninitialised (only resize to fill them, never to read them).
using ByteBuffer = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

}  // namespace plk
