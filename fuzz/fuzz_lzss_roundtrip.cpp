// The LZSS encoder on arbitrary bytes, with one lane or two: what it writes must decode to
// the input, and both lane counts must write the same stream.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/codec/lzss_decoder.h"
#include "core/codec/lzss_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> input(data, data + size);
    // Two lanes only run on inputs of 32 KiB or more: an input starting with 'L' is repeated
    // up to 40 KiB so that they are covered without making every run slow.
    if (size > 1 && data[0] == 'L') {
        input.erase(input.begin());
        while (input.size() < 40 * 1024) {
            input.insert(input.end(), data + 1, data + size);
        }
    }
    static plk::LzssEncoder oneLane(1);
    // Two lanes whether or not they would pay, so that the shared-out trees are what runs.
    static plk::LzssEncoder twoLanes(2, plk::LzssEncoder::LaneChoice::Always);
    const std::vector<std::uint8_t> stream = oneLane.Encode(input);
    if (plk::LzssDecodedSize(stream) != input.size() ||
        plk::LzssDecode(stream, input.size()) != input) {
        std::abort();
    }
    // Below 32 KiB the two-lane encoder runs one lane: nothing to compare.
    if (input.size() >= 32 * 1024 && twoLanes.Encode(input) != stream) {
        std::abort();
    }
    return 0;
}
