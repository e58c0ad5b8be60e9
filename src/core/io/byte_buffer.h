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
// Large blocks are placed on 2 MiB boundaries and offered to the kernel's huge pages:
// filling a fresh block of many megabytes then takes one page fault per 2 MiB instead of
// one per 4 KiB, which on a virtual machine costs more than copying the bytes.
void* AllocateLargeBlock(std::size_t bytes);
void FreeLargeBlock(void* block);
inline constexpr std::size_t kLargeBlock = std::size_t{2} << 20;

template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
    using std::allocator<T>::allocator;
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    T* allocate(std::size_t n) {
        if (n >= kLargeBlock / sizeof(T)) {
            return static_cast<T*>(AllocateLargeBlock(n * sizeof(T)));
        }
        return std::allocator<T>::allocate(n);
    }
    void deallocate(T* block, std::size_t n) {
        if (n >= kLargeBlock / sizeof(T)) {
            FreeLargeBlock(block);
        } else {
            std::allocator<T>::deallocate(block, n);
        }
    }
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
