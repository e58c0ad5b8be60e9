#pragma once

#include <QObject>

class QSocketNotifier;

namespace plk {

// Turns SIGTERM, SIGHUP and SIGINT into a signal of the UI thread, so that a logout, a
// plain kill or Ctrl+C in the terminal ends the editor as closing it does. The handler only
// writes to a pipe; a notifier on the pipe's other end emits endRequested. A second signal
// that arrives before the first was handled (the UI thread is stuck) ends the process at
// once, removing the temporary files of saves in progress. Signals the parent set to be
// ignored (nohup) stay ignored. One watcher per process.
class EndSignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit EndSignalWatcher(QObject* parent = nullptr);
    // Gives the signals back to the cleanup that removes temporary files and ends.
    ~EndSignalWatcher() override;

Q_SIGNALS:
    void endRequested(int signal);

private:
    void ReadPipe();

    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace plk
