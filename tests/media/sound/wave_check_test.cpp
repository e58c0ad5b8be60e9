#include "media/sound/wave_check.h"

#include "core/check/resource_files.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace plk {
namespace {

// A RIFF file of `form` holding the given chunks (tag, body) in order.
std::vector<std::uint8_t> Riff(
    const std::string& form,
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& chunks,
    std::uint32_t dataLengthBonus = 0) {
    std::vector<std::uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0};
    auto put32 = [&out](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    out.insert(out.end(), form.begin(), form.end());
    for (const auto& [tag, body] : chunks) {
        out.insert(out.end(), tag.begin(), tag.end());
        put32(static_cast<std::uint32_t>(body.size()) + (tag == "data" ? dataLengthBonus : 0));
        out.insert(out.end(), body.begin(), body.end());
        if (body.size() % 2 != 0)
            out.push_back(0);
    }
    const auto riffLength = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + i] = static_cast<std::uint8_t>(riffLength >> (8 * i));
    return out;
}

std::vector<std::uint8_t> Format(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                                 std::uint16_t bits) {
    std::vector<std::uint8_t> fmt;
    auto put = [&fmt](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            fmt.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
    put(tag, 2);
    put(channels, 2);
    put(rate, 4);
    put(rate * align, 4);
    put(align, 2);
    put(bits, 2);
    return fmt;
}

const std::vector<std::uint8_t> kSamples(64, 0x40);

TEST(WaveCheckTest, OnlyWaveContentWithChunksInsideTheFileIsAccepted) {
    const std::vector<std::uint8_t> creative = {
        'C', 'r', 'e', 'a',  't',  'i', 'v',  'e',  ' ',  'V',  'o',  'i',  'c',  'e',  ' ',  'F',
        'i', 'l', 'e', 0x1A, 0x1A, 0,   0x0A, 0x01, 0x29, 0x11, 0x09, 0xFF, 0xFF, 0xFF, 0x00, 0x00};
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool layout;
        bool decodes;
    } cases[] = {
        {"8-bit PCM", Riff("WAVE", {{"fmt ", Format(1, 1, 8000, 8)}, {"data", kSamples}}), true,
         true},
        {"16-bit stereo with a LIST chunk first",
         Riff("WAVE", {{"LIST", {'I', 'N', 'F', 'O', 1}},
                       {"fmt ", Format(1, 2, 44100, 16)},
                       {"data", kSamples}}),
         true, true},
        {"an unknown coding",
         Riff("WAVE", {{"fmt ", Format(0x1234, 1, 8000, 8)}, {"data", kSamples}}), true, false},
        {"AIFF", Riff("AIFF", {{"COMM", kSamples}}), false, false},
        {"VOC", creative, false, false},
        {"data before fmt", Riff("WAVE", {{"data", kSamples}, {"fmt ", Format(1, 1, 8000, 8)}}),
         false, false},
        {"no data chunk", Riff("WAVE", {{"fmt ", Format(1, 1, 8000, 8)}}), false, false},
        {"data longer than the file",
         Riff("WAVE", {{"fmt ", Format(1, 1, 8000, 8)}, {"data", kSamples}}, 0xFFFF0000u), false,
         false},
        {"no channels", Riff("WAVE", {{"fmt ", Format(1, 0, 8000, 8)}, {"data", kSamples}}), false,
         false},
        {"a rate of 1 Hz", Riff("WAVE", {{"fmt ", Format(1, 1, 1, 8)}, {"data", kSamples}}), false,
         false},
        {"short fmt", Riff("WAVE", {{"fmt ", {1, 0, 1, 0}}, {"data", kSamples}}), false, false},
        {"RIFF alone", {'R', 'I', 'F', 'F', 1, 2, 3}, false, false},
        {"nothing", {}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(HasWaveLayout(c.bytes), c.layout);
        // The character check reads only a file's first bytes and its size; it must judge
        // every file as the sound store does.
        EXPECT_EQ(HasWaveHeader(c.bytes, c.bytes.size()), std::optional<bool>(c.layout));
        // No audio device is open in this test: decoding does not need one.
        EXPECT_EQ(IsDecodableWave(c.bytes), c.decodes);
    }
}

}  // namespace
}  // namespace plk
