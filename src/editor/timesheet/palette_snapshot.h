#pragma once

#include <memory>
#include <mutex>

#include "core/content/resource_table.h"

namespace plk {

// A copy of the palette's slots that playback threads draw with. The user-interface
// thread refreshes it (after the palette changed, and before a playback starts); a thread
// that took a copy keeps it unchanged for the frame it draws.
class PaletteSnapshot {
public:
    void Update(const ResourceTable& table) {
        auto copy = std::make_shared<const ResourceTable>(table);
        std::lock_guard lock(m_mutex);
        m_table = std::move(copy);
    }
    std::shared_ptr<const ResourceTable> Get() const {
        std::lock_guard lock(m_mutex);
        return m_table;
    }

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<const ResourceTable> m_table;
};

}  // namespace plk
