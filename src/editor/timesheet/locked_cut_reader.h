#pragma once

#include <mutex>

#include "core/playback/playback_io.h"
#include "core/timesheet/cut.h"

namespace plk {

// Reads a page's cut for a playback thread: every call holds the page's mutex, under which
// the user-interface thread makes each edit of the cut. An edit made while the cut plays
// shows from the next frame.
class LockedCutReader final : public CutReader {
public:
    LockedCutReader(const Cut& cut, std::mutex& mutex) : m_cut(cut), m_mutex(mutex) {}

    int RowCount() const override {
        std::lock_guard lock(m_mutex);
        return m_cut.FrameCount();
    }
    bool CopyRow(int row, FrameRecord& out) const override {
        std::lock_guard lock(m_mutex);
        if (row < 0 || row >= m_cut.FrameCount()) {
            return false;
        }
        out = m_cut.Frame(row);
        return true;
    }
    int RowOfFrameNumber(int n) const override {
        std::lock_guard lock(m_mutex);
        return m_cut.RowOfFrameNumber(n);
    }
    int NormalFramesBefore(int row) const override {
        std::lock_guard lock(m_mutex);
        return m_cut.NormalFramesBefore(row);
    }
    int RowAfterFrameNumber(int n) const override {
        std::lock_guard lock(m_mutex);
        return m_cut.RowAfterFrameNumber(n);
    }

private:
    const Cut& m_cut;
    std::mutex& m_mutex;
};

}  // namespace plk
