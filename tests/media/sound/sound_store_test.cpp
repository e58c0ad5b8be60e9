#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "media/sound/sound_store.h"

namespace plk {
namespace {

namespace fs = std::filesystem;

// A mono 16-bit WAV at the mixer's rate holding a square wave of +-amplitude.
std::vector<std::uint8_t> SquareWaveWav(int samples, std::int16_t amplitude) {
    auto put32 = [](std::vector<std::uint8_t>& out, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto put16 = [](std::vector<std::uint8_t>& out, std::uint16_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples) * 2;
    std::vector<std::uint8_t> wav = {'R', 'I', 'F', 'F'};
    put32(wav, 36 + dataBytes);
    for (char c : std::string("WAVEfmt "))
        wav.push_back(static_cast<std::uint8_t>(c));
    put32(wav, 16);
    put16(wav, 1);  // PCM
    put16(wav, 1);  // mono
    put32(wav, SoundStore::kSampleRate);
    put32(wav, SoundStore::kSampleRate * 2);
    put16(wav, 2);
    put16(wav, 16);
    for (char c : std::string("data"))
        wav.push_back(static_cast<std::uint8_t>(c));
    put32(wav, dataBytes);
    for (int i = 0; i < samples; ++i) {
        put16(wav, static_cast<std::uint16_t>((i / 50) % 2 ? amplitude : -amplitude));
    }
    return wav;
}

class SoundStoreTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("plkce-sound-" +
                 std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_previous = fs::current_path();
        fs::current_path(m_dir);  // the store opens sounds by name in the current folder
        Write("beep.wav", SquareWaveWav(4410, 4000));
        Write("broken.wav", {'R', 'I', 'F', 'F', 1, 2, 3});
        // A sound the mixer itself would play, but not a WAVE: an AIFF, 8-bit mono, 44.1 kHz.
        std::vector<std::uint8_t> aiff = {
            'F',  'O',  'R', 'M', 0,  0, 0, 50, 'A', 'I', 'F', 'F', 'C', 'O',  'M',
            'M',  0,    0,   0,   18, 0, 1, 0,  0,   0,   4,   0,   8,   0x40, 0x0E,
            0xAC, 0x44, 0,   0,   0,  0, 0, 0,  'S', 'S', 'N', 'D', 0,   0,    0,
            12,   0,    0,   0,   0,  0, 0, 0,  0,   1,   2,   3,   4};
        Write("aiff.wav", aiff);
    }
    void TearDown() override {
        SoundStore::Shutdown();
        fs::current_path(m_previous);
        fs::remove_all(m_dir);
    }
    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(m_dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    // Starts the store on SDL's disk driver and returns the file it mixes into.
    fs::path StartOnDisk() {
        fs::path out = m_dir / "mixed.raw";
        SDL_setenv("SDL_AUDIODRIVER", "disk", 1);
        SDL_setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
        SDL_setenv("SDL_DISKAUDIODELAY", "0", 1);
        EXPECT_TRUE(SoundStore::Instance().Start());
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        return out;
    }
    static int Peak(const fs::path& raw) {
        std::ifstream in(raw, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        int peak = 0;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                    static_cast<std::uint8_t>(bytes[i + 1]) << 8);
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        return peak;
    }

    fs::path m_dir;
    fs::path m_previous;
};

TEST_F(SoundStoreTest, UseCountsDecideWhenASoundIsFreed) {
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    SoundStore& store = SoundStore::Instance();
    ASSERT_TRUE(store.Start());
    store.Load("beep.wav");
    store.Load("beep.wav");
    EXPECT_EQ(store.UseCount("beep.wav"), 2);
    EXPECT_TRUE(store.Remove("beep.wav"));
    EXPECT_TRUE(store.Play("beep.wav"));
    EXPECT_TRUE(store.Remove("beep.wav"));
    EXPECT_FALSE(store.Play("beep.wav"));
    EXPECT_FALSE(store.Remove("beep.wav"));

    store.Load("broken.wav");  // undecodable: no entry
    store.Load("aiff.wav");    // not a WAVE, whatever the mixer could make of it
    store.Load("missing.wav");
    EXPECT_FALSE(store.Contains("broken.wav"));
    EXPECT_FALSE(store.Contains("aiff.wav"));
    EXPECT_FALSE(store.Play("missing.wav"));

    store.Load("beep.wav");
    EXPECT_TRUE(store.Play("beep.wav"));
    store.ClearAll();
    EXPECT_FALSE(store.Play("beep.wav"));
}

TEST_F(SoundStoreTest, TwoPlaysOfOneSoundMix) {
    fs::path single = StartOnDisk();
    SoundStore::Instance().Load("beep.wav");
    SoundStore::Instance().Play("beep.wav");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    SoundStore::Shutdown();
    const int once = Peak(single);
    fs::rename(single, m_dir / "once.raw");

    fs::path both = StartOnDisk();
    SoundStore::Instance().Load("beep.wav");
    SoundStore::Instance().Play("beep.wav");
    SoundStore::Instance().Play("beep.wav");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    SoundStore::Shutdown();
    const int twice = Peak(both);

    EXPECT_GT(once, 1000);
    EXPECT_GT(twice, once * 3 / 2) << "once " << once << ", twice " << twice;
}

}  // namespace
}  // namespace plk
