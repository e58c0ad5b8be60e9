#include "editor/check/check_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "support/character_fixture.h"

namespace plk {
namespace {

using namespace testing_support;

// A clean character with an unknown command on row 4 of cut `cut`.
Project WithUnknownCommandIn(int cut) {
    Project project = CleanProject();
    project.cuts[static_cast<std::size_t>(cut)].Frame(3) = Ctl(13);
    return project;
}

TEST(CheckWorkerTest, EachResultIsTheCheckOfItsOwnCopyAndTheNewestComesLast) {
    std::mutex mutex;
    std::condition_variable woken;
    int wakeUps = 0;
    CheckWorker worker([&] {
        std::lock_guard lock(mutex);
        ++wakeUps;
        woken.notify_one();
    });

    // Handed over faster than they are checked: a waiting one may be replaced, never mixed.
    for (int cut = 0; cut < 3; ++cut) {
        worker.Submit(static_cast<std::uint64_t>(cut + 1), WithUnknownCommandIn(cut), {});
    }
    std::vector<CheckWorker::Result> results;
    while (results.empty() || results.back().generation != 3) {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(woken.wait_for(lock, std::chrono::seconds(10), [&] { return wakeUps > 0; }));
        --wakeUps;
        lock.unlock();
        if (std::optional<CheckWorker::Result> result = worker.TakeResult()) {
            results.push_back(std::move(*result));
        }
    }
    std::uint64_t previous = 0;
    for (const CheckWorker::Result& result : results) {
        EXPECT_GT(result.generation, previous);
        previous = result.generation;
        EXPECT_TRUE(result.error.empty());
        const int cut = static_cast<int>(result.generation) - 1;
        EXPECT_EQ(CodesAndPlaces(result.findings),
                  (std::vector<std::pair<std::string, Place>>{
                      {"cut.unknown-command", Place::Row(cut, 3)}}));
    }
}

}  // namespace
}  // namespace plk
