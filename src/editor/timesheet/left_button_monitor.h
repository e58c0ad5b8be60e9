#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <map>

namespace plk {

// Watches the left mouse button for playback threads: counts presses anywhere in the
// application (for "pressed since the last query") and knows whether it is held.
class LeftButtonMonitor : public QObject {
    Q_OBJECT
public:
    // The application-wide monitor, installed on first use (user-interface thread).
    static LeftButtonMonitor& Instance();

    std::uint64_t PressCount() const { return m_presses.load(std::memory_order_acquire); }
    bool Held() const { return m_held.load(std::memory_order_acquire); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LeftButtonMonitor() = default;
    std::atomic<std::uint64_t> m_presses{0};
    std::atomic<bool> m_held{false};
    std::map<int, quint64> m_lastTimestamp;  // by event type; user-interface thread only
};

}  // namespace plk
