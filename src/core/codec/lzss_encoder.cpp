#include "core/codec/lzss_encoder.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "core/io/file_io.h"

namespace plk {
namespace {

using lzss::kMaxMatch;

struct LaneSplit {
    std::array<std::array<bool, 256>, 2> owned{};
    // Whether a second thread is expected to pay for itself.
    bool worthwhile = false;
};

// What a step costs, in instructions counted on the encoder as built: the coder's share,
// the listing of a chunk's steps that each of two lanes does, and a string's entry and
// exit in a tree held as an array or as linked nodes.
constexpr double kCoderCost = 30;
constexpr double kListingCost = 35;
constexpr double kArrayTreeCost = 260;
constexpr double kLinkedTreeCost = 500;
// Two threads never run twice as fast as one on a machine whose cores share caches and
// memory, and less so when other programs run: two lanes are used only when the model
// below promises at least this gain, which leaves out inputs whose steps are all cheap
// (random bytes and compressed data come out at about 1.61, and two lanes gain them little)
// and inputs that one byte value dominates. Loud 16-bit sound comes out at 1.63 to 1.64 and
// runs 1.6 times as fast on two lanes, so the line lies between the two.
constexpr double kLeastGain = 1.62;

// Shares the 256 trees out between two lanes by the work each brings: the costliest first
// bytes first, each to the lane with less work so far; the first lane starts with the
// coder's work. A tree whose strings would fill more than an array's worth of a ring is
// expected to be linked.
LaneSplit BalanceTrees(std::span<const std::uint8_t> input) {
    std::array<std::size_t, 256> count{};
    for (std::uint8_t byte : input) {
        ++count[byte];
    }
    const auto steps = static_cast<double>(input.size());
    std::array<double, 256> work{};
    double oneLane = kCoderCost * steps;
    for (std::size_t byte = 0; byte < work.size(); ++byte) {
        const double inRing = static_cast<double>(count[byte]) / steps * lzss::kRingSize;
        const double perString = inRing > static_cast<double>(LzssTrees::kArrayCapacity)
                                     ? kLinkedTreeCost
                                     : kArrayTreeCost;
        work[byte] = perString * static_cast<double>(count[byte]);
        oneLane += work[byte];
    }
    std::array<std::uint8_t, 256> order;
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<std::uint8_t>(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint8_t a, std::uint8_t b) { return work[a] > work[b]; });
    LaneSplit split;
    std::array<double, 2> load{(kCoderCost + kListingCost) * steps, kListingCost * steps};
    for (std::uint8_t byte : order) {
        const std::size_t lane = load[0] <= load[1] ? 0 : 1;
        split.owned[lane][byte] = true;
        load[lane] += work[byte];
    }
    split.worthwhile = oneLane >= kLeastGain * std::max(load[0], load[1]);
    return split;
}

// Whether a second thread would find a core to itself: not when the runnable threads of
// the last minute (this one among them) already fill every core, as on a machine busy
// with builds. There the lanes would take turns with other programs, the first waiting on
// the second, and two lanes cost about a third more work than one. Where the load cannot
// be read, the lanes are left to judge themselves by their waits.
bool CoreFreeForSecondLane() {
#if defined(__unix__) || defined(__APPLE__)
    double load = 0;
    if (getloadavg(&load, 1) == 1) {
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        return load < static_cast<double>(cores) - 0.5;
    }
#endif
    return true;
}

// The CPU time the calling thread has used: unlike the wall clock it does not count the
// time another program had the core.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

// Writes the items that start in [position, end), as far as the matches at hand reach;
// the last item may run past `end`.
void LzssEncoder::Coder::Run(std::span<const std::uint8_t> input,
                             const std::array<const std::uint32_t*, 2>& matches,
                             const bool* inSecond, std::size_t matchesStart, std::size_t end) {
    const std::size_t size = input.size();
    while (position < end) {
        const std::uint32_t match = matches[inSecond[input[position]]][position - matchesStart];
        // Near the end the look-ahead holds fewer than 18 bytes.
        std::size_t length = std::min(LzssTrees::MatchLength(match), size - position);
        if (length <= lzss::kThreshold) {
            length = 1;
            flags |= mask;
            dst[written++] = input[position];
        } else {
            const std::size_t at = LzssTrees::MatchPosition(match);
            dst[written++] = static_cast<std::uint8_t>(at & 0xFF);
            dst[written++] =
                static_cast<std::uint8_t>(((at >> 4) & 0xF0) | (length - lzss::kMinMatch));
        }
        mask <<= 1;
        if (mask == 0x100) {
            dst[flagAt] = static_cast<std::uint8_t>(flags);
            flagAt = written++;
            flags = 0;
            mask = 1;
        }
        position += length;
    }
}

std::size_t LzssEncoder::Coder::Finish() {
    if (mask != 1) {
        dst[flagAt] = static_cast<std::uint8_t>(flags);
    } else {
        --written;  // the group that was opened last holds no item
    }
    return written;
}

LzssEncoder::LzssEncoder(unsigned lanes, LaneChoice choice)
    : m_lanes(std::clamp(lanes, 1u, 2u)), m_choice(choice) {
    for (unsigned i = 0; i < m_lanes; ++i) {
        m_trees.push_back(std::make_unique<LzssTrees>());
    }
}

LzssEncoder::~LzssEncoder() = default;

unsigned LzssEncoder::LanesForThisMachine() {
    return std::thread::hardware_concurrency() >= 2 ? 2 : 1;
}

std::size_t LzssEncoder::Encode(std::span<const std::uint8_t> input,
                                std::vector<std::uint8_t>& out) {
    if (input.empty()) {
        return 0;
    }
    const std::size_t size = input.size();
    if (size > LzssTrees::kMaxInput) {
        throw std::length_error("cannot compress 4 GiB or more in one stream");
    }
    const std::size_t start = out.size();
    out.resize(start + lzss::MaxStreamSize(size));
    Coder coder;
    coder.dst = out.data() + start;
    LaneSplit split;
    const bool lanesPossible = m_lanes > 1 && size >= kMinInputForLanes;
    if (lanesPossible) {
        split = BalanceTrees(input);
    }
    const bool lanesPay = split.worthwhile && CoreFreeForSecondLane();
    m_lastLanes = lanesPossible && (lanesPay || m_choice == LaneChoice::Always) ? 2 : 1;
    if (m_lastLanes == 2) {
        m_owned = split.owned;
        EncodeInTwoLanes(input, coder);
    } else {
        EncodeInOneLane(input, coder);
    }
    const std::size_t written = coder.Finish();
    out.resize(start + written);
    return written;
}

// The trees take every step; the coder only reads the matches where its items start.
void LzssEncoder::EncodeInOneLane(std::span<const std::uint8_t> input, Coder& coder) {
    std::array<bool, 256> all;
    all.fill(true);
    const std::array<bool, 256> none{};
    std::vector<std::uint32_t>& matches = m_matches[0][0];
    matches.resize(std::min(input.size(), kSegmentSteps));
    const std::array<const std::uint32_t*, 2> lists{matches.data(), matches.data()};
    for (std::size_t first = 0; first < input.size(); first += kSegmentSteps) {
        const std::size_t last = std::min(input.size(), first + kSegmentSteps);
        m_trees[0]->Run(input, all, first, last, matches.data());
        coder.Run(input, lists, none.data(), first, last);
    }
}

bool LzssEncoder::ShouldGoOnAlone(std::size_t segmentsCoded, double waited,
                                  double secondLaneWork) const {
    if (m_forcedDrop != kByWaits) {
        return segmentsCoded >= m_forcedDrop;
    }
    if (m_choice == LaneChoice::Always || segmentsCoded < kSegmentsBeforeJudging) {
        return false;
    }
    // Alone, the first lane would do the second lane's work instead of waiting (as long as
    // that work takes on this thread's share of its core); two lanes also pay for listing
    // their steps and for handing segments over, so they must save a clear part of it.
    return waited > kMostWaitPerWork * secondLaneWork;
}

// Segment k's matches come from both lanes, each into its buffer k % 2. The second lane runs
// ahead on its own thread; the first lane's thread codes segment k while the second lane
// already works on segment k + 1, and then runs its own part of k + 1. When the first lane
// waits on the second for most of the second's work, the second stops after the segment it
// is on; the first lane finishes its part of the segments the second did, takes over the
// second's trees and runs every step of the rest alone.
void LzssEncoder::EncodeInTwoLanes(std::span<const std::uint8_t> input, Coder& coder) {
    const std::size_t size = input.size();
    const std::size_t segments = (size + kSegmentSteps - 1) / kSegmentSteps;
    for (auto& lane : m_matches) {
        for (auto& matches : lane) {
            matches.resize(std::min(size, kSegmentSteps));
        }
    }
    auto firstStep = [&](std::size_t segment) { return segment * kSegmentSteps; };
    auto lastStep = [&](std::size_t segment) { return std::min(size, firstStep(segment + 1)); };
    auto runLane = [&](std::size_t lane, std::size_t segment) {
        m_trees[lane]->Run(input, m_owned[lane], firstStep(segment), lastStep(segment),
                           m_matches[lane][segment % 2].data());
    };

    // Segments the coder has finished, or kStopped once the second lane is to stop.
    constexpr std::size_t kStopped = static_cast<std::size_t>(-1);
    std::atomic<std::size_t> coded{0};
    std::atomic<std::size_t> laneDone{0};  // segments the second lane has finished
    // The second lane's CPU time on segments after the first, in nanoseconds.
    std::atomic<std::int64_t> secondLaneNanos{0};
    auto secondLane = [&] {
        for (std::size_t segment = 0; segment < segments; ++segment) {
            // Buffer segment % 2 last held segment - 2, which must be coded by now.
            std::size_t seen = coded.load();
            while (seen != kStopped && seen + 2 <= segment) {
                coded.wait(seen);
                seen = coded.load();
            }
            if (seen == kStopped) {
                return;
            }
            const double start = ThreadSeconds();
            runLane(1, segment);
            if (segment > 0) {
                secondLaneNanos.fetch_add(
                    static_cast<std::int64_t>((ThreadSeconds() - start) * 1e9));
            }
            laneDone.store(segment + 1);
            laneDone.notify_one();
        }
    };
    std::thread worker;
    try {
        worker = std::thread(secondLane);
    } catch (const std::system_error&) {
        secondLane();  // no thread to be had: the same work, one lane after the other
    }
    std::array<bool, 256> all;
    all.fill(true);
    const std::array<bool, 256> none{};
    // On segments after the first: the first lane's waits, and the wall and CPU time of its
    // own work, which tell how much of its core this thread gets.
    double waited = 0;
    double firstLaneWall = 0;
    double firstLaneCpu = 0;
    std::size_t secondLaneEnd = segments;  // where the second lane stopped
    bool alone = false;
    for (std::size_t segment = 0; segment < segments; ++segment) {
        if (segment == secondLaneEnd && !alone) {
            m_trees[0]->TakeTreesFrom(*m_trees[1], m_owned[1]);
            alone = true;
        }
        if (alone) {
            std::uint32_t* matches = m_matches[0][segment % 2].data();
            m_trees[0]->Run(input, all, firstStep(segment), lastStep(segment), matches);
            coder.Run(input, {matches, matches}, none.data(), firstStep(segment),
                      lastStep(segment));
            continue;
        }
        const double laneStart = WallSeconds();
        const double laneCpuStart = ThreadSeconds();
        runLane(0, segment);
        const double waitStart = WallSeconds();
        if (segment > 0) {
            firstLaneWall += waitStart - laneStart;
            firstLaneCpu += ThreadSeconds() - laneCpuStart;
        }
        for (std::size_t seen = laneDone.load(); seen <= segment; seen = laneDone.load()) {
            laneDone.wait(seen);
        }
        if (segment > 0) {
            waited += WallSeconds() - waitStart;
        }
        const std::array<const std::uint32_t*, 2> lists{m_matches[0][segment % 2].data(),
                                                        m_matches[1][segment % 2].data()};
        coder.Run(input, lists, m_owned[1].data(), firstStep(segment), lastStep(segment));
        coded.store(segment + 1);
        coded.notify_one();
        if (secondLaneEnd == segments && segment + 1 < segments &&
            ShouldGoOnAlone(segment + 1, waited,
                            static_cast<double>(secondLaneNanos.load()) * 1e-9 *
                                std::max(1.0, firstLaneWall / std::max(firstLaneCpu, 1e-9)))) {
            coded.store(kStopped);
            coded.notify_one();
            if (worker.joinable()) {
                worker.join();
            }
            secondLaneEnd = laneDone.load();
        }
    }
    if (worker.joinable()) {
        worker.join();
    }
    m_lastLanes = alone ? 1 : 2;
}

std::vector<std::uint8_t> LzssEncoder::Encode(std::span<const std::uint8_t> input) {
    std::vector<std::uint8_t> out;
    Encode(input, out);
    return out;
}

PackedItem LzssEncoder::CompressFile(const std::filesystem::path& path,
                                     std::string_view resourceName) {
    if (resourceName.empty()) {
        return {};
    }
    // Checked before reading: a file too large for the format is never loaded.
    InputFile file(path);
    if (file.Size() > std::numeric_limits<std::uint32_t>::max()) {
        throw FileError(FileError::Kind::BadFormat, path, "4 GiB or larger");
    }
    const ByteBuffer input = file.ReadAll();
    PackedItem item = CompressMemory(input);
    item.name = std::string(resourceName);
    return item;
}

PackedItem LzssEncoder::CompressMemory(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("cannot compress 4 GiB or more into one item");
    }
    PackedItem item;
    item.unpackedSize = static_cast<std::uint32_t>(bytes.size());
    Encode(bytes, item.bytes);
    return item;
}

}  // namespace plk
