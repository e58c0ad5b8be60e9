#include "core/io/byte_buffer.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace plk {

void* AllocateLargeBlock(std::size_t bytes) {
    const std::size_t rounded = (bytes + kLargeBlock - 1) / kLargeBlock * kLargeBlock;
    void* block = std::aligned_alloc(kLargeBlock, rounded);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    // Only advice: where huge pages are off, the block is simply made of small ones.
    ::madvise(block, rounded, MADV_HUGEPAGE);
    return block;
}

void FreeLargeBlock(void* block) {
    std::free(block);
}

}  // namespace plk
