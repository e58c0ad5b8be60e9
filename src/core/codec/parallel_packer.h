#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "core/codec/lzss_encoder.h"
#include "core/codec/packed_item.h"

namespace plk {

// One thing to compress: a named file (LzssEncoder::CompressFile; an empty name gives an
// empty item) or bytes in memory (CompressMemory), which must stay alive until taken.
struct PackJob {
    std::string name;
    std::filesystem::path path;
    std::span<const std::uint8_t> bytes;
    bool fromFile = false;

    static PackJob File(std::string name, std::filesystem::path path) {
        return {std::move(name), std::move(path), {}, true};
    }
    static PackJob Memory(std::span<const std::uint8_t> bytes) { return {{}, {}, bytes, false}; }
};

// Compresses jobs on several threads and hands the items out in job order, so the result
// does not depend on the number of threads. Workers run at most a few items ahead of the
// taker, which bounds the memory held. With one thread nothing runs in the background:
// each item is compressed when it is taken.
class ParallelPacker {
public:
    ParallelPacker(std::vector<PackJob> jobs, unsigned threads);
    ~ParallelPacker();  // stops the workers after their current item
    ParallelPacker(const ParallelPacker&) = delete;
    ParallelPacker& operator=(const ParallelPacker&) = delete;

    std::size_t Count() const { return m_jobs.size(); }

    // The item of the next job, waiting for it if needed. Rethrows whatever compressing that
    // job threw.
    PackedItem TakeNext();

private:
    struct Result {
        std::optional<PackedItem> item;
        std::exception_ptr error;
        bool done = false;
    };

    Result Run(const PackJob& job, LzssEncoder& encoder) const;
    void Work();

    std::vector<PackJob> m_jobs;
    std::size_t m_taken = 0;
    std::size_t m_aheadLimit;

    // Background mode only.
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Result> m_results;
    std::size_t m_next = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_workers;

    LzssEncoder m_inlineEncoder;
};

// The number of threads "0" stands for: every core, at least one.
unsigned ResolveThreadCount(unsigned requested);

}  // namespace plk
