#include "editor/content/cut_list_follower.h"

#include <QTimer>
#include <QUndoStack>
#include <algorithm>

namespace plk {

CutListFollower::CutListFollower(QObject* parent, Getter get, Setter set)
    : QObject(parent), m_get(std::move(get)), m_set(std::move(set)) {}

void CutListFollower::Follow(QUndoStack* history, CutListChange change, std::int32_t position,
                             std::int32_t newCount) {
    CutReferences before = m_get();
    CutReferences after = before;
    ShiftCutReferences(after, change, position, newCount);
    m_set(after);

    if (history == nullptr) {
        return;
    }
    if (history != m_history) {
        if (m_history) {
            disconnect(m_history, nullptr, this, nullptr);
        }
        m_done.clear();
        m_history = history;
        connect(history, &QUndoStack::indexChanged, this, &CutListFollower::OnHistoryIndexChanged);
    }
    // Whether the change was a command being done, redone or undone shows in the history's
    // index right after it; a change announced outside any command is forgotten once the
    // event that caused it is over.
    m_pending =
        Announcement{change, history->index(), newCount, std::move(before), std::move(after)};
    QTimer::singleShot(0, this, [this] { m_pending.reset(); });
}

void CutListFollower::Forget() {
    m_pending.reset();
    m_done.clear();
}

void CutListFollower::OnHistoryIndexChanged(int index) {
    DropStaleChanges();
    if (!m_pending) {
        return;
    }
    Announcement announced = std::move(*m_pending);
    m_pending.reset();
    if (index == announced.historyIndex + 1) {
        // A change done or redone: its command now sits just below the index.
        const int at = announced.historyIndex;
        std::erase_if(m_done, [at](const Done& d) { return d.commandIndex >= at; });
        m_done.push_back(Done{at, m_history->command(at), announced.change, announced.newCount,
                              std::move(announced.before), std::move(announced.after)});
        return;
    }
    if (index == announced.historyIndex - 1) {
        // The opposite change undoes a command: when that command is a remembered change and
        // nothing else moved the positions since, they go back to what they were before it.
        auto it = std::find_if(m_done.begin(), m_done.end(), [&](const Done& d) {
            return d.commandIndex == index && d.command == m_history->command(index);
        });
        if (it == m_done.end() || it->change == announced.change) {
            return;
        }
        const std::int64_t countBefore =
            std::int64_t{it->countAfter} + (it->change == CutListChange::Deleted ? 1 : -1);
        if (countBefore == announced.newCount && it->after == announced.before &&
            m_get() == announced.after) {
            m_set(it->before);
        }
    }
}

void CutListFollower::DropStaleChanges() {
    if (!m_history) {
        m_done.clear();
        return;
    }
    const QUndoStack* history = m_history;
    std::erase_if(m_done, [history](const Done& d) {
        return d.commandIndex >= history->count() || history->command(d.commandIndex) != d.command;
    });
}

}  // namespace plk
