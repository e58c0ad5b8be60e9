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
    ShiftCutReferences(after, change, position);
    m_set(after);

    if (history == nullptr) {
        return;
    }
    if (history != m_history) {
        if (m_history) {
            disconnect(m_history, nullptr, this, nullptr);
        }
        m_deletions.clear();
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
    m_deletions.clear();
}

void CutListFollower::OnHistoryIndexChanged(int index) {
    DropStaleDeletions();
    if (!m_pending) {
        return;
    }
    Announcement announced = std::move(*m_pending);
    m_pending.reset();
    if (announced.change == CutListChange::Deleted && index == announced.historyIndex + 1) {
        // A deletion done or redone: its command now sits just below the index.
        const int at = announced.historyIndex;
        std::erase_if(m_deletions, [at](const Deletion& d) { return d.commandIndex >= at; });
        m_deletions.push_back(Deletion{at, m_history->command(at), announced.newCount,
                                       std::move(announced.before), std::move(announced.after)});
        return;
    }
    if (announced.change == CutListChange::Inserted && index == announced.historyIndex - 1) {
        // An insertion that undoes a command: when that command is a remembered deletion and
        // nothing else moved the positions since, they go back to what they were before it.
        auto it = std::find_if(m_deletions.begin(), m_deletions.end(), [&](const Deletion& d) {
            return d.commandIndex == index && d.command == m_history->command(index);
        });
        if (it != m_deletions.end() && it->countAfter + 1 == announced.newCount &&
            it->after == announced.before && m_get() == announced.after) {
            m_set(it->before);
        }
    }
}

void CutListFollower::DropStaleDeletions() {
    if (!m_history) {
        m_deletions.clear();
        return;
    }
    const QUndoStack* history = m_history;
    std::erase_if(m_deletions, [history](const Deletion& d) {
        return d.commandIndex >= history->count() || history->command(d.commandIndex) != d.command;
    });
}

}  // namespace plk
