#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/codec/lzss_decoder.h"
#include "core/codec/lzss_encoder.h"
#include "core/codec/lzss_format.h"
#include "reference_lzss.h"
#include "test_inputs.h"

namespace plk {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace inputs = testing_inputs;

Bytes Repeat(std::size_t count, std::uint8_t value) {
    return Bytes(count, value);
}

struct EncodeVector {
    const char* name;
    Bytes input;
    Bytes stream;
};

TEST(LzssEncoderTest, KnownStreams) {
    const std::vector<EncodeVector> vectors = {
        {"empty", {}, {}},
        {"three literals", {0x61, 0x62, 0x63}, {0x07, 0x61, 0x62, 0x63}},
        // A literal, then matches of 18, 18 and 3 bytes that overlap what they produce.
        {"40 x 41", Repeat(40, 0x41), {0x01, 0x41, 0xEE, 0xFF, 0x00, 0x0F, 0x04, 0x00}},
        // Matches taken from the zero-filled ring.
        {"40 zeros", Repeat(40, 0x00), {0x00, 0xDC, 0xFF, 0xFF, 0xFF, 0x11, 0x01}},
    };
    LzssEncoder encoder;
    for (const EncodeVector& v : vectors) {
        SCOPED_TRACE(v.name);
        EXPECT_EQ(encoder.Encode(v.input), v.stream);
        EXPECT_EQ(reference::LzssEncoder().Encode(v.input), v.stream);
        EXPECT_EQ(LzssDecode(v.stream, v.input.size()), v.input);
    }
}

struct DecodeVector {
    const char* name;
    Bytes stream;
    std::size_t unpackedSize;
    Bytes output;
};

TEST(LzssDecoderTest, KnownStreams) {
    // Flag 0xFF and the eight bytes of the PNG signature as literals, then flag 0xFE and a
    // match of 3 at 0xFEB.
    const Bytes signatureStream = {0xFF, 0x89, 0x50, 0x4E, 0x47, 0x0D,
                                   0x0A, 0x1A, 0x0A, 0xFE, 0xEB, 0xF0};
    const Bytes signatureThenZeros = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0};

    const std::vector<DecodeVector> vectors = {
        // Eight literals, then a match of 3 at 0xFEB, which the ring still holds as zeros.
        {"png signature", signatureStream, 11, signatureThenZeros},
        // A match just behind the write position repeats the last bytes one by one.
        {"overlapping match", {0x03, 'a', 'b', 0xEE, 0xF2}, 7, {'a', 'b', 'a', 'b', 'a', 'b', 'a'}},
        {"flag byte with no items", {0x07, 'x', 'y', 'z', 0xFF}, 3, {'x', 'y', 'z'}},
        {"match cut after one byte", {0x01, 'q', 0xEE}, 1, {'q'}},
        // The unpacked size ends a stream that holds more.
        {"cut at the unpacked size", {0x01, 0x41, 0xEE, 0xFF}, 5, Repeat(5, 0x41)},
        // A short stream leaves the rest zeroed.
        {"short stream", {0x07, 'a', 'b', 'c'}, 6, {'a', 'b', 'c', 0, 0, 0}},
        {"empty stream", {}, 4, {0, 0, 0, 0}},
        {"nothing wanted", {0x07, 'a', 'b', 'c'}, 0, {}},
    };
    for (const DecodeVector& v : vectors) {
        SCOPED_TRACE(v.name);
        // An exactly sized heap buffer lets the address sanitizer catch any write past it.
        EXPECT_EQ(LzssDecode(v.stream, v.unpackedSize), v.output);
        EXPECT_EQ(reference::Decode(v.stream, v.unpackedSize), v.output);
    }
}

TEST(LzssDecoderTest, CountsWhatAStreamProduces) {
    EXPECT_EQ(LzssDecodedSize({}), 0u);
    EXPECT_EQ(LzssDecodedSize(Bytes{0x01, 0x41, 0xEE, 0xFF, 0x00, 0x0F, 0x04, 0x00}), 40u);
    EXPECT_EQ(LzssDecodedSize(Bytes{0x01, 'q', 0xEE}), 1u);
    EXPECT_EQ(LzssDecodedSize(Bytes{0x07, 'x', 'y', 'z', 0xFF}), 3u);
}

// Arbitrary bytes as a stream: the fast decoder must agree with the ring decoder on every
// unpacked size, whether the stream is shorter or longer than that.
TEST(LzssDecoderTest, MatchesTheRingDecoderOnArbitraryStreams) {
    for (unsigned seed = 0; seed < 40; ++seed) {
        Bytes stream = inputs::RandomBytes(50 + seed * 97, seed);
        std::uint64_t produced = LzssDecodedSize(stream);
        for (std::size_t size : {std::size_t{0}, std::size_t{17}, std::size_t{produced / 2},
                                 std::size_t{produced}, std::size_t{produced + 300}}) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", size " << size);
            ASSERT_EQ(LzssDecode(stream, size), reference::Decode(stream, size));
        }
    }
}

struct DifferentialCase {
    std::string name;
    Bytes input;
};

std::vector<DifferentialCase> DifferentialCases() {
    std::vector<DifferentialCase> cases;
    for (std::size_t size : {1, 2, 3, 17, 18, 19, 4077, 4078, 4096, 4114, 10000}) {
        cases.push_back({"random " + std::to_string(size), inputs::RandomBytes(size, 1)});
        cases.push_back({"zeros " + std::to_string(size), Bytes(size, 0)});
    }
    for (unsigned seed = 0; seed < 4; ++seed) {
        std::string tag = " seed " + std::to_string(seed);
        cases.push_back({"four letters" + tag, inputs::RandomBytes(30000, seed, 4)});
        cases.push_back({"text" + tag, inputs::TextLike(60000 + seed * 1111, seed)});
        cases.push_back({"runs" + tag, inputs::Runs(40000, seed)});
        cases.push_back({"blocks near the ring size" + tag,
                         inputs::RepeatedBlocks(50000, 4000 + seed * 60, seed)});
        cases.push_back({"png-like" + tag, inputs::PngLike(50000, seed)});
        cases.push_back({"shifting alphabets" + tag, inputs::ShiftingAlphabets(80000, seed)});
        cases.push_back({"sound-like" + tag, inputs::SoundLike(70001, seed)});
        cases.push_back({"text with rare bytes" + tag, inputs::TextWithRareBytes(50000, seed)});
    }
    cases.push_back({"zero runs with a counter", inputs::ZeroRunsWithCounter(12000)});
    return cases;
}

// The production encoder must give the reference's bytes on every input, and both
// decoders must give the input back.
TEST(LzssEncoderTest, MatchesTheReferenceEncoder) {
    LzssEncoder encoder;  // reused, as the export does
    for (const DifferentialCase& c : DifferentialCases()) {
        SCOPED_TRACE(c.name);
        Bytes stream = encoder.Encode(c.input);
        ASSERT_EQ(stream, reference::LzssEncoder().Encode(c.input));
        EXPECT_LE(stream.size(), lzss::MaxStreamSize(c.input.size()));
        EXPECT_EQ(LzssDecodedSize(stream), c.input.size());
        EXPECT_EQ(LzssDecode(stream, c.input.size()), c.input);
        EXPECT_EQ(reference::Decode(stream, c.input.size()), c.input);
    }
}

// Two lanes share the trees out by first byte and run the steps in segments; the stream
// must not change. The inputs span several segments, and their ends fall at odd places.
TEST(LzssEncoderTest, TwoLanesGiveTheReferenceStream) {
    LzssEncoder encoder(2, LzssEncoder::LaneChoice::Always);  // reused
    const std::vector<std::pair<std::string, Bytes>> cases = {
        {"text", inputs::TextLike(150001, 3)},
        {"png-like", inputs::PngLike(140003, 4)},
        {"runs", inputs::Runs(70000, 5)},
        {"two symbols", inputs::RandomBytes(66000, 6, 2)},
        {"shifting alphabets", inputs::ShiftingAlphabets(200000, 7)},
        {"zero runs with a counter", inputs::ZeroRunsWithCounter(70000)},
        {"random", inputs::RandomBytes(70000, 8)},
        {"sound-like", inputs::SoundLike(150000, 9)},
        {"text with rare bytes", inputs::TextWithRareBytes(120001, 10)},
        {"one byte value", Bytes(131072 + 17, 0x41)},
    };
    for (const auto& [name, input] : cases) {
        SCOPED_TRACE(name);
        ASSERT_EQ(encoder.Encode(input), reference::LzssEncoder().Encode(input));
        EXPECT_EQ(encoder.LastLanes(), 2u);
    }
}

// Two lanes may go on as one, the first lane taking over the second's trees; wherever that
// happens (before the second lane ran ahead, while it is ahead, at the last segment) the
// stream must not change.
TEST(LzssEncoderTest, GoingOnInOneLaneKeepsTheStream) {
    const std::vector<std::pair<std::string, Bytes>> cases = {
        {"text", inputs::TextLike(400001, 3)},
        {"shifting alphabets", inputs::ShiftingAlphabets(330000, 7)},
        {"zero runs with a counter", inputs::ZeroRunsWithCounter(300000)},
    };
    for (const auto& [name, input] : cases) {
        const Bytes expected = reference::LzssEncoder().Encode(input);
        for (std::size_t after : {1, 2, 3, 5}) {
            SCOPED_TRACE(name + ", alone after segment " + std::to_string(after));
            LzssEncoder encoder(2, LzssEncoder::LaneChoice::Always);
            encoder.SetOneLaneAfterSegmentsForTesting(after);
            ASSERT_EQ(encoder.Encode(input), expected);
            // The second lane runs at most two segments ahead of the coder.
            const std::size_t segments = (input.size() + 0xFFFF) >> 16;
            if (after + 3 <= segments) {
                EXPECT_EQ(encoder.LastLanes(), 1u);
            }
        }
    }
}

// Zero runs with a counter make deep chains whose strings share 17 bytes, where a deleted
// node's predecessor lies far down its left subtree; with words between the runs the trees
// also switch between the array and the linked form many times.
TEST(LzssEncoderTest, ChainsAndFormSwitchesKeepTheStream) {
    Bytes chainsAndWords = inputs::ZeroRunsWithCounter(30000);
    for (unsigned seed = 0; seed < 4; ++seed) {
        const Bytes words = inputs::TextLike(9000, seed);
        chainsAndWords.insert(chainsAndWords.end(), words.begin(), words.end());
        const Bytes runs = inputs::ZeroRunsWithCounter(7000 + seed * 1111);
        chainsAndWords.insert(chainsAndWords.end(), runs.begin(), runs.end());
    }
    LzssEncoder encoder;
    for (const Bytes& input : {inputs::ZeroRunsWithCounter(60000), chainsAndWords}) {
        ASSERT_EQ(encoder.Encode(input), reference::LzssEncoder().Encode(input));
    }
}

// Two lanes are chosen only where they pay: never for bytes that keep every tree small.
TEST(LzssEncoderTest, ChoosesLanesByTheWorkOfTheInput) {
    LzssEncoder encoder(2);
    const Bytes random = inputs::RandomBytes(200000, 9);
    EXPECT_EQ(encoder.Encode(random), reference::LzssEncoder().Encode(random));
    EXPECT_EQ(encoder.LastLanes(), 1u);
    const Bytes small = inputs::TextLike(20000, 2);
    encoder.Encode(small);
    EXPECT_EQ(encoder.LastLanes(), 1u);
    LzssEncoder oneLane(1, LzssEncoder::LaneChoice::Always);
    oneLane.Encode(inputs::TextLike(200000, 2));
    EXPECT_EQ(oneLane.LastLanes(), 1u);
}

// Every short length, where the look-ahead runs out before it ever fills or while matches
// are still being found, on data with few and with many distinct bytes.
TEST(LzssEncoderTest, MatchesTheReferenceAtTheEndOfShortInputs) {
    LzssEncoder encoder;
    for (int alphabet : {2, 256}) {
        Bytes source = inputs::RandomBytes(300, static_cast<unsigned>(alphabet), alphabet);
        for (std::size_t size = 0; size <= source.size(); ++size) {
            SCOPED_TRACE(testing::Message() << "alphabet " << alphabet << ", size " << size);
            Bytes input(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(size));
            ASSERT_EQ(encoder.Encode(input), reference::LzssEncoder().Encode(input));
        }
    }
}

TEST(LzssEncoderTest, AppendsToWhatTheBufferHolds) {
    LzssEncoder encoder;
    Bytes out = {0xAA, 0xBB};
    EXPECT_EQ(encoder.Encode(Bytes{0x61, 0x62, 0x63}, out), 4u);
    EXPECT_EQ(out, (Bytes{0xAA, 0xBB, 0x07, 0x61, 0x62, 0x63}));
}

}  // namespace
}  // namespace plk
