#include "core/io/temp_file_registry.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

#include "core/io/file_io.h"

namespace plk {
namespace {

enum EntryState : int { kFree = 0, kFilling = 1, kLive = 2 };

struct Entry {
    std::atomic<int> state{kFree};
    char path[PATH_MAX] = {};
};

constexpr std::size_t kEntries = 32;
std::array<Entry, kEntries> g_entries;

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads these flags");

void RemoveTemporariesAndDie(int signal) {
    RemoveRegisteredTemporaryFiles();
    // Then end as the signal would have without us: default action, re-raised.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void RemoveRegisteredTemporaryFiles() {
    for (Entry& entry : g_entries) {
        if (entry.state.load() == kLive) {
            ::unlink(entry.path);
        }
    }
}

int RegisterTemporaryFile(const char* path) {
    if (std::strlen(path) >= PATH_MAX) {
        return -1;
    }
    for (std::size_t i = 0; i < kEntries; ++i) {
        int expected = kFree;
        if (g_entries[i].state.compare_exchange_strong(expected, kFilling)) {
            std::strcpy(g_entries[i].path, path);
            g_entries[i].state.store(kLive);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void UnregisterTemporaryFile(int entry) {
    if (entry >= 0 && static_cast<std::size_t>(entry) < kEntries) {
        g_entries[static_cast<std::size_t>(entry)].state.store(kFree);
    }
}

void InstallTemporaryFileCleanup() {
    std::signal(SIGXFSZ, SIG_IGN);
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndDie;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal the parent told us to ignore (nohup) stays ignored.
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace plk
