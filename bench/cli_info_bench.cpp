// `plkce-cli info` on a maximal project (16 cuts of 2048 frames, about 38 MB), process to
// process, against `cat` of the same file: both started with posix_spawn, their output
// thrown away, waited for, in pairs whose order swaps every other time. "x_cat" is the median
// over the pairs of the CLI's time over cat's; "x_cat_min" and "x_cat_max" bound the pairs.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/project/project_file.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Fixture {
    fs::path dir;
    fs::path project;

    Fixture() {
        const char* folder = std::getenv("PLKCE_BENCH_DIR");
        dir =
            fs::path(folder ? folder : fs::temp_directory_path().string()) / "plkce-bench-cli-info";
        fs::create_directories(dir);
        auto maximal = std::make_unique<plk::Project>(plk::NewProject());
        maximal->cuts.clear();
        for (int c = 0; c < plk::kMaxCuts; ++c) {
            std::vector<plk::FrameRecord> frames(2048, plk::NewNormalFrame());
            for (std::size_t f = 0; f < frames.size(); f += 3) {
                frames[f].cells[1].resource = static_cast<int>(f % 255) + 1;
            }
            maximal->cuts.emplace_back(std::move(frames), 27);
        }
        project = dir / "max.cre";
        plk::WriteProjectFile(project, *maximal);
    }
    ~Fixture() { fs::remove_all(dir); }
};

// Wall time of one run of `argv`, its output to /dev/null; throws unless it exits with 0.
double RunSeconds(std::vector<std::string> argv) {
    std::vector<char*> words;
    for (std::string& word : argv) {
        words.push_back(word.data());
    }
    words.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, words[0], &actions, nullptr, words.data(), environ);
    int status = 0;
    if (failed == 0) {
        waitpid(pid, &status, 0);
    }
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("could not run " + argv[0]);
    }
    return std::chrono::duration<double>(end - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void BM_CliInfoVsCat(benchmark::State& state) {
    Fixture fixture;
    const std::string project = fixture.project.string();
    // Both read the file once before timing, so both find it in the page cache.
    RunSeconds({"cat", project});
    RunSeconds({PLKCE_CLI_PATH, "info", project});
    std::vector<double> ratios;
    bool cliFirst = true;
    for (auto _ : state) {
        double cli = 0;
        double cat = 0;
        if (cliFirst) {
            cli = RunSeconds({PLKCE_CLI_PATH, "info", project});
            cat = RunSeconds({"cat", project});
        } else {
            cat = RunSeconds({"cat", project});
            cli = RunSeconds({PLKCE_CLI_PATH, "info", project});
        }
        cliFirst = !cliFirst;
        ratios.push_back(cli / cat);
        state.SetIterationTime(cli);
    }
    state.counters["x_cat"] = Median(ratios);
    state.counters["x_cat_min"] = *std::min_element(ratios.begin(), ratios.end());
    state.counters["x_cat_max"] = *std::max_element(ratios.begin(), ratios.end());
}
BENCHMARK(BM_CliInfoVsCat)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

}  // namespace
