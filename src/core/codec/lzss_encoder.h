#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "core/codec/lzss_format.h"
#include "core/codec/lzss_trees.h"
#include "core/codec/packed_item.h"

namespace plk {

// The LZSS compressor of the game export. Its output is fixed byte for byte: matches are
// found with one binary search tree per first byte over the ring positions, and of equally
// long matches the one met first on the search path wins. Any change to the order in which
// strings enter and leave the trees changes the stream.
//
// The trees can be shared out between two lanes that run on two threads (see LzssTrees);
// the stream is the same either way. Two lanes are used only when a model of the work a
// step brings to each lane, from how often each byte value occurs, promises a clear gain,
// and when the machine has a core free for the second lane.
// One encoder is reused for many items; each Encode starts afresh. Not thread-safe: use one
// encoder per thread.
class LzssEncoder {
public:
    // Whether two lanes are used whenever they may be, or only when they are expected to pay.
    enum class LaneChoice { ByWork, Always };

    // `lanes` is 1 or 2; the export, which already compresses one file per core, uses 1.
    explicit LzssEncoder(unsigned lanes = 1, LaneChoice choice = LaneChoice::ByWork);
    ~LzssEncoder();
    LzssEncoder(const LzssEncoder&) = delete;
    LzssEncoder& operator=(const LzssEncoder&) = delete;

    // Two lanes when the machine has two cores or more.
    static unsigned LanesForThisMachine();

    // Compresses `input` and appends the stream to `out`; returns the stream's length.
    // The stream is at most lzss::MaxStreamSize(input.size()) bytes; an empty input gives
    // an empty stream. Throws std::length_error for 4 GiB or more (less 18 bytes), which
    // the steps' ranks cannot count.
    std::size_t Encode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& out);
    std::vector<std::uint8_t> Encode(std::span<const std::uint8_t> input);
    // The lanes the last Encode finished on: 1 when it started on two and went on alone.
    unsigned LastLanes() const { return m_lastLanes; }

    // Two lanes chosen by the work go on in one when the first lane waits on the second for
    // most of what the second does (another program has its core, or its trees hold most
    // of the work). For tests: go on in one lane after this many segments, whatever the
    // waits; kByWaits (the default) leaves it to the waits.
    static constexpr std::size_t kByWaits = static_cast<std::size_t>(-1);
    void SetOneLaneAfterSegmentsForTesting(std::size_t segments) { m_forcedDrop = segments; }

    // The whole file at `path`, compressed and named `resourceName`. An empty name gives an
    // empty item without touching the file system. Throws FileError (BadFormat for a file
    // of 4 GiB or more, which the 32-bit sizes cannot describe).
    PackedItem CompressFile(const std::filesystem::path& path, std::string_view resourceName);
    // `bytes` compressed, with an empty name. The caller keeps the input.
    PackedItem CompressMemory(std::span<const std::uint8_t> bytes);

private:
    // Steps are run, and their matches kept, this many at a time.
    static constexpr std::size_t kSegmentSteps = std::size_t{1} << 16;
    // Below this a second thread costs more than it saves.
    static constexpr std::size_t kMinInputForLanes = 32 * 1024;
    // Two lanes are judged on their waits from this many segments on, the first left out.
    static constexpr std::size_t kSegmentsBeforeJudging = 3;
    // The first lane may wait at most this part of the second lane's work.
    static constexpr double kMostWaitPerWork = 0.6;

    // Writes the stream: items behind flag bytes; a group's flag byte is filled in when the
    // group closes.
    struct Coder {
        std::uint8_t* dst = nullptr;
        std::size_t position = 0;  // next input position to code
        std::size_t flagAt = 0;
        std::size_t written = 1;
        unsigned flags = 0;
        unsigned mask = 1;

        // A step's match is in the list of the lane that owns its string's first byte:
        // `matches[inSecond[byte]]`.
        void Run(std::span<const std::uint8_t> input,
                 const std::array<const std::uint32_t*, 2>& matches, const bool* inSecond,
                 std::size_t matchesStart, std::size_t end);
        // The stream's length.
        std::size_t Finish();
    };

    void EncodeInOneLane(std::span<const std::uint8_t> input, Coder& coder);
    void EncodeInTwoLanes(std::span<const std::uint8_t> input, Coder& coder);

    // Whether the first lane has waited on the second long enough to go on alone;
    // `secondLaneWork` is the wall time the first lane would take for the second's work.
    bool ShouldGoOnAlone(std::size_t segmentsCoded, double waited, double secondLaneWork) const;

    unsigned m_lanes;
    LaneChoice m_choice;
    std::size_t m_forcedDrop = kByWaits;
    unsigned m_lastLanes = 1;
    std::vector<std::unique_ptr<LzssTrees>> m_trees;
    std::array<std::array<bool, 256>, 2> m_owned{};
    // Matches by lane and segment % 2. Each lane writes its own lists: lanes writing
    // into one list would fight over its cache lines.
    std::array<std::array<std::vector<std::uint32_t>, 2>, 2> m_matches;
};

}  // namespace plk
