#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <vector>

#include "core/content/cut_references.h"

class QUndoCommand;
class QUndoStack;

namespace plk {

// Keeps one window's stored cut positions in step with the time sheet's cut list.
//
// The time sheet announces every insertion and deletion, also when its own undo and redo
// replay them. Shifting back is not always the inverse of shifting (the references to a
// deleted cut move to the one before it; a number past the list stays while the list grows
// to reach it), so the positions held before each change are remembered together with the
// time sheet's command; when that very command is undone the held positions are put back
// exactly instead of being shifted again.
class CutListFollower : public QObject {
    Q_OBJECT
public:
    using Getter = std::function<CutReferences()>;
    using Setter = std::function<void(const CutReferences&)>;

    CutListFollower(QObject* parent, Getter get, Setter set);

    // Applies an announced change. `history` is the undo history the time sheet records its
    // commands in (the project's one stack); null when there is none.
    void Follow(QUndoStack* history, CutListChange change, std::int32_t position,
                std::int32_t newCount);
    // A new or opened project: nothing remembered applies any more.
    void Forget();

private:
    struct Announcement {
        CutListChange change;
        int historyIndex;  // the history's index while the change was announced
        std::int32_t newCount;
        CutReferences before;
        CutReferences after;
    };
    struct Done {
        int commandIndex;
        const QUndoCommand* command;
        CutListChange change;
        std::int32_t countAfter;
        CutReferences before;
        CutReferences after;
    };

    void OnHistoryIndexChanged(int index);
    void DropStaleChanges();

    Getter m_get;
    Setter m_set;
    QPointer<QUndoStack> m_history;
    std::optional<Announcement> m_pending;
    std::vector<Done> m_done;
};

}  // namespace plk
