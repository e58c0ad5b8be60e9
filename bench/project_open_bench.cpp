// Opening a maximal project in the editor (16 cuts of 2048 frames, 255 PNG slots of mixed
// sizes) until it is settled: OpenFile returns once every slot is in place. Baseline: the
// same 255 files decoded with libspng alone on two threads, in the same run. Pairs run back
// to back, their order swapped every other time; "ratio" is the median over the pairs of the
// open's time over the decode's ("ratio_min", "ratio_max" bound them). "ratio_read_first"
// opens as the editor did before the images started decoding during the read: the whole
// file read, then the palette rebuilt.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <atomic>
#include <chrono>
#include <thread>

#include "art_png.h"
#include "bench_data.h"
#include "core/project/project_file.h"
#include "editor/app/file_commands.h"
#include "editor/app/main_frame.h"
#include "support/temp_folder.h"

namespace plk::bench {
namespace {

QApplication& App(const std::filesystem::path& settings) {
    static int argc = 1;
    static char name[] = "project_open_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [&] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        ::setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
        ::setenv("XDG_STATE_HOME", settings.c_str(), 1);
        return new QApplication(argc, argv);
    }();
    return *app;
}

class MaximalCharacter {
public:
    MaximalCharacter() {
        auto project = std::make_unique<Project>(NewProject());
        std::size_t s = 0;
        for (const SlotFile& file : WriteSlotFiles(m_folder.Path())) {
            m_paths.push_back(file.path);
            ResourceSlot& slot = project->palette.slot[++s];
            std::snprintf(slot.name, sizeof slot.name, "%s", file.name.c_str());
            std::snprintf(slot.path, sizeof slot.path, "%s", file.path.c_str());
            slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
        }
        project->cuts.clear();
        for (int c = 0; c < kMaxCuts; ++c) {
            std::vector<FrameRecord> frames(2048, NewNormalFrame());
            for (std::size_t f = 0; f < frames.size(); f += 3) {
                frames[f].cells[1].resource = static_cast<int>(f % kPaletteSlots) + 1;
            }
            project->cuts.emplace_back(std::move(frames), 27);
        }
        m_project = m_folder / "max.cre";
        WriteProjectFile(m_project, *project);
    }

    // libspng alone on two threads, each taking the next file; the pixels are dropped.
    double TwoThreadDecode() const {
        std::atomic<std::size_t> next{0};
        auto decode = [&] {
            for (std::size_t i = next++; i < m_paths.size(); i = next++) {
                DecodeWithSpngAlone(m_paths[i]);
            }
        };
        return Seconds([&] {
            std::thread other(decode);
            decode();
            other.join();
        });
    }

    const std::filesystem::path& ProjectPath() const { return m_project; }
    const std::filesystem::path& Folder() const { return m_folder.Path(); }

private:
    testing_support::TempFolder m_folder;
    std::vector<std::filesystem::path> m_paths;
    std::filesystem::path m_project;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void BM_OpenUntilSettled(benchmark::State& state) {
    static const MaximalCharacter character;
    App(character.Folder());
    CMainFrame frame;
    const QString path = QString::fromStdString(character.ProjectPath().string());
    auto open = [&] {
        return Seconds([&] {
            if (!frame.Commands().OpenFile(path)) {
                throw std::runtime_error("the project did not open");
            }
        });
    };
    auto openReadFirst = [&] {
        return Seconds([&] {
            OpenedProject opened = ReadProjectFile(character.ProjectPath(), std::nullopt);
            frame.Commands().OpenRecovered(std::move(opened.project), path);
        });
    };
    open();  // the first open also starts what stays for later ones
    std::vector<double> ratios;
    double readFirst = 0;
    double decodes = 0;
    bool openFirst = true;
    for (auto _ : state) {
        double opening = 0;
        double decoding = 0;
        if (openFirst) {
            opening = open();
            decoding = character.TwoThreadDecode();
        } else {
            decoding = character.TwoThreadDecode();
            opening = open();
        }
        openFirst = !openFirst;
        ratios.push_back(opening / decoding);
        readFirst += openReadFirst();
        decodes += decoding;
        state.SetIterationTime(opening);
    }
    state.counters["ratio"] = Median(ratios);
    state.counters["ratio_min"] = *std::min_element(ratios.begin(), ratios.end());
    state.counters["ratio_max"] = *std::max_element(ratios.begin(), ratios.end());
    state.counters["ratio_read_first"] = readFirst / decodes;
}
BENCHMARK(BM_OpenUntilSettled)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

}  // namespace
}  // namespace plk::bench
