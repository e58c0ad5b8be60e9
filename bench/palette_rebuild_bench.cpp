// Palette rebuild of 255 PNG slots of mixed sizes (up to 1024 x 768, about 130 MB decoded):
// decode, three thumbnails and texture upload on every core, as RebuildFromTable runs it.
// Baseline: decoding the same files one after another with libspng alone, in the same run.
// "ratio" is rebuild time over baseline time (lower is better).
//
// Memory: "peak_over_decoded" is the rise of the process's peak resident size while one
// rebuild runs, over the decoded pixel bytes. The peak is reset first by writing 5 to
// /proc/self/clear_refs, so it covers that rebuild alone; the rebuild's images stay in the
// texture store until it is measured, as they do in the editor. Allocator caches and page
// rounding count against the rebuild, so the figure is an upper bound; free memory the
// allocator still holds from writing the files is handed back (malloc_trim) first, so that
// it is not silently reused. It is measured before any timed run for the same reason.
// "ratio_one_thread" shows what the pipeline costs beyond the decode itself.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "art_png.h"
#include "bench_data.h"
#include "media/render/resource_image_batch.h"
#include "media/render/texture_store.h"
#include "support/temp_folder.h"

namespace plk::bench {
namespace {

class PaletteFiles {
public:
    PaletteFiles() {
        for (const SlotFile& file : WriteSlotFiles(m_folder.Path())) {
            m_paths.push_back(file.path);
            m_decodedBytes += std::uint64_t{file.size.width} * file.size.height * 4;
            m_fileBytes += file.fileBytes;
        }
    }
    // libspng alone, one file after another; the pixels are dropped at once.
    double SequentialDecode() const {
        return Seconds([&] {
            for (const auto& path : m_paths) {
                DecodeWithSpngAlone(path);
            }
        });
    }

    // The palette's rebuild: one job per image on every core, results applied in slot
    // order to the texture store. The textures stay until ReleaseTextures.
    double Rebuild(int threads = 0) const {
        return Seconds([&] {
            std::vector<ResourceImageBatch::Job> jobs;
            for (std::size_t i = 0; i < m_paths.size(); ++i) {
                jobs.push_back({static_cast<int>(i + 1), m_paths[i], {}});
            }
            ResourceImageBatch batch(threads);
            batch.Start(std::move(jobs));
            while (!batch.AllTaken()) {
                if (auto result = batch.TakeNext(std::chrono::milliseconds(20))) {
                    const std::string name = "slot" + std::to_string(result->slot) + ".png";
                    TextureStore::Instance().LoadFromImage(name, {}, result->decoded.image, 0,
                                                           TextureStore::kFileLevel);
                    benchmark::DoNotOptimize(result->decoded.thumbnails[0].constBits());
                }
            }
        });
    }
    static void ReleaseTextures() { TextureStore::Instance().ReleaseLevel(0); }

    std::uint64_t DecodedBytes() const { return m_decodedBytes; }
    std::uint64_t FileBytes() const { return m_fileBytes; }

private:
    testing_support::TempFolder m_folder;
    std::vector<std::filesystem::path> m_paths;
    std::uint64_t m_decodedBytes = 0;
    std::uint64_t m_fileBytes = 0;
};

// A field of /proc/self/status in bytes; 0 when absent.
std::uint64_t StatusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            std::istringstream values(line.substr(field.size() + 1));
            std::uint64_t kilobytes = 0;
            values >> kilobytes;
            return kilobytes * 1024;
        }
    }
    return 0;
}

bool ResetPeakResident() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    return static_cast<bool>(clear);
}

void BM_PaletteRebuild_AllCores(benchmark::State& state) {
    static const PaletteFiles files;  // written once

    // The memory figure first, before timed runs leave allocator caches behind.
    malloc_trim(0);
    const std::uint64_t before = StatusBytes("VmRSS");
    if (ResetPeakResident()) {
        files.Rebuild();
        const std::uint64_t peak = StatusBytes("VmHWM");
        state.counters["peak_over_decoded"] = static_cast<double>(peak - std::min(peak, before)) /
                                              static_cast<double>(files.DecodedBytes());
        PaletteFiles::ReleaseTextures();
    }

    double oneThreadSeconds = 0;
    double seconds = 0;
    double baselineSeconds = 0;
    for (auto _ : state) {
        baselineSeconds += files.SequentialDecode();
        const double t = files.Rebuild();
        PaletteFiles::ReleaseTextures();
        oneThreadSeconds += files.Rebuild(1);
        PaletteFiles::ReleaseTextures();
        seconds += t;
        state.SetIterationTime(t);
    }
    state.counters["ratio"] = seconds / baselineSeconds;
    state.counters["decoded_MB"] = static_cast<double>(files.DecodedBytes()) / 1e6;
    state.counters["files_MB"] = static_cast<double>(files.FileBytes()) / 1e6;
    state.counters["ratio_one_thread"] = oneThreadSeconds / baselineSeconds;
    state.counters["threads"] = QThread::idealThreadCount();
}
BENCHMARK(BM_PaletteRebuild_AllCores)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace plk::bench
