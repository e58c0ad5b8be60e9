#include "editor/app/end_signal_watcher.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>

#include "core/io/file_io.h"
#include "core/io/temp_file_registry.h"

namespace plk {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

int g_pipe[2] = {-1, -1};
std::atomic<bool> g_pending{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler sets it");

void OnEndSignal(int signal) {
    if (g_pending.exchange(true)) {
        // The first request is still waiting for the UI thread: end now, as without us.
        RemoveRegisteredTemporaryFiles();
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

EndSignalWatcher::EndSignalWatcher(QObject* parent) : QObject(parent) {
    if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;  // the signals keep their plain cleanup
    }
    g_pending = false;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignalWatcher::ReadPipe);
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) {
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(signal, &action, nullptr);
    }
}

EndSignalWatcher::~EndSignalWatcher() {
    if (m_notifier != nullptr) {
        InstallTemporaryFileCleanup();
    }
}

void EndSignalWatcher::ReadPipe() {
    unsigned char byte = 0;
    int last = 0;
    while (::read(g_pipe[0], &byte, 1) == 1) {
        last = byte;
    }
    if (last != 0) {
        Q_EMIT endRequested(last);
    }
}

}  // namespace plk
