// The character check of a maximal character: 16 cuts of 2048 frames, 255 resources and
// all 164 lines written. BM_CheckRules runs every rule but the file reads, against the
// 50 ms target ("x_50ms"). BM_ReadResourceFiles reads the 255 files as the check does,
// against the baseline of opening each file at its path and reading its first 32 bytes,
// measured in the same iterations ("x_headers").
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <vector>

#include "core/check/check_character.h"
#include "core/io/file_io.h"
#include "core/text/sjis.h"

namespace {

namespace fs = std::filesystem;
constexpr int kFrames = 2048;
constexpr int kSounds = 55;  // slots 201..255

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, bool big) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(value >> (big ? 24 - 8 * i : 8 * i));
    }
}

// A PNG's signature and header chunk, then bytes standing in for its image data.
std::vector<std::uint8_t> PngFile(std::size_t size, std::mt19937& random) {
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    const std::uint8_t head[16] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A,
                                   0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    std::copy(std::begin(head), std::end(head), bytes.begin());
    Put32(bytes, 16, 256, true);
    Put32(bytes, 20, 256, true);
    bytes[24] = 8;
    bytes[25] = 6;
    return bytes;
}

std::vector<std::uint8_t> WaveFile(std::size_t dataBytes) {
    std::vector<std::uint8_t> bytes(44 + dataBytes, 0);
    const char* tags[] = {"RIFF", "WAVE", "fmt ", "data"};
    const std::size_t at[] = {0, 8, 12, 36};
    for (int i = 0; i < 4; ++i) {
        std::copy(tags[i], tags[i] + 4, bytes.begin() + static_cast<std::ptrdiff_t>(at[i]));
    }
    Put32(bytes, 4, static_cast<std::uint32_t>(36 + dataBytes), false);
    Put32(bytes, 16, 16, false);
    bytes[20] = 1;
    bytes[22] = 1;
    Put32(bytes, 24, 22050, false);
    Put32(bytes, 28, 44100, false);
    bytes[32] = 2;
    bytes[34] = 16;
    Put32(bytes, 40, static_cast<std::uint32_t>(dataBytes), false);
    return bytes;
}

struct Fixture {
    fs::path dir;
    std::unique_ptr<plk::Project> project;

    Fixture() {
        const char* folder = std::getenv("PLKCE_BENCH_DIR");
        dir = fs::path(folder ? folder : fs::temp_directory_path().string()) / "plkce-bench-check";
        fs::create_directories(dir);
        project = std::make_unique<plk::Project>(plk::NewProject());
        std::mt19937 random(22);
        for (int s = 1; s < plk::kResourceSlots; ++s) {
            const bool sound = s > plk::kResourceSlots - 1 - kSounds;
            const std::string name = "res" + std::to_string(s) + (sound ? ".wav" : ".png");
            WriteFile(dir / name, sound
                                      ? WaveFile(40000 + 997 * static_cast<std::size_t>(s))
                                      : PngFile(20000 + 311 * static_cast<std::size_t>(s), random));
            plk::ResourceSlot& slot = project->palette.slot[static_cast<std::size_t>(s)];
            plk::SetFieldText(slot.name, name);
            plk::SetFieldText(slot.path, (dir / name).string());
            slot.kind = sound ? 2 : 1;
        }
        project->cuts.clear();
        for (int c = 0; c < plk::kMaxCuts; ++c) {
            std::vector<plk::FrameRecord> frames(kFrames, plk::NewNormalFrame());
            for (int f = 0; f < kFrames; ++f) {
                for (int part = 1; part <= 4; ++part) {
                    frames[static_cast<std::size_t>(f)].cells[part].resource =
                        (c * 31 + f * 7 + part * 13) % 255 + 1;
                }
            }
            // A waiting loop every 256 frames, as a talking character has them.
            for (int f = 255, pairs = 0; f + 2 < kFrames; f += 256, ++pairs) {
                plk::ControlBlock repeat{};
                repeat.command = 9;
                repeat.position = f - 2 * pairs - 8;  // eight frames back
                plk::ControlBlock message{};
                message.command = 1;
                plk::SetFieldText(message.message, plk::ToSjis("どうしたの？　早く切って！"));
                frames[static_cast<std::size_t>(f)] = plk::NewControlFrame(repeat);
                frames[static_cast<std::size_t>(f + 1)] = plk::NewControlFrame(message);
            }
            project->cuts.emplace_back(std::move(frames), 27);
        }
        for (int k = 0; k < plk::kSituationCount; ++k) {
            for (int i = 0; i < 4; ++i) {
                plk::MessageLine& line = project->messages.situations[static_cast<std::size_t>(k)]
                                             .line[static_cast<std::size_t>(i)];
                plk::SetFieldText(line.text, plk::ToSjis("その牌、通らないよ！　ロン、"
                                                         "満貫です。\\\\残念でした〜"));
                line.frequency = 1 + (k + i) % 3;
                project->messages.situations[static_cast<std::size_t>(k)].lineCut[i] = i;
            }
        }
    }
    ~Fixture() { fs::remove_all(dir); }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void ReadHeadersAlone(const plk::ResourceTable& palette) {
    for (int s = 1; s < plk::kResourceSlots; ++s) {
        plk::InputFile file(std::string(palette.slot[static_cast<std::size_t>(s)].Path()));
        benchmark::DoNotOptimize(file.Read(0, 32).data());
    }
}

void BM_CheckRules(benchmark::State& state) {
    Fixture& f = Shared();
    double total = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        plk::Findings findings = plk::CheckCharacter(*f.project);
        benchmark::DoNotOptimize(findings.data());
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (plk::HasErrors(findings)) {
            state.SkipWithError(
                ("the benchmark character should have no errors: " + findings.front().english)
                    .c_str());
            break;
        }
    }
    state.counters["x_50ms"] = total / static_cast<double>(state.iterations()) / 0.050;
}
BENCHMARK(BM_CheckRules)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// Each iteration reads the headers alone and then the files as the check does, so both
// see the same load on a shared machine; the time shown is the check's reads.
void BM_ReadResourceFiles(benchmark::State& state) {
    Fixture& f = Shared();
    double headers = 0;
    double check = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto start = std::chrono::steady_clock::now();
        ReadHeadersAlone(f.project->palette);
        headers += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.ResumeTiming();
        start = std::chrono::steady_clock::now();
        plk::ResourceFileReports reports =
            plk::ReadResourceFiles(f.project->palette, f.dir / "c.cre");
        benchmark::DoNotOptimize(reports.data());
        check += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (reports[1].state != plk::ResourceFileState::Read || !reports[255].contentMatchesKind) {
            state.SkipWithError("the files should read as what their slots say");
            break;
        }
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["headers_us"] = headers / n * 1e6;
    state.counters["x_headers"] = check / headers;
}
BENCHMARK(BM_ReadResourceFiles)->Unit(benchmark::kMicrosecond)->MinTime(2.0)->UseRealTime();

}  // namespace
