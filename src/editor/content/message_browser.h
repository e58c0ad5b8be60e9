#pragma once

#include <QStringList>
#include <memory>
#include <span>

#include "core/content/message_table.h"
#include "editor/app/tool_window.h"

class QTreeWidget;

namespace plk {

// "Message Browser": owns the lines spoken in the 41 game situations.
class CMessageBrowser : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kSituationTreeId = 1089;

    explicit CMessageBrowser(QWidget* owner);
    ~CMessageBrowser() override;

    // The defaults of a new project (line 1 of each situation is its label).
    void ResetMessages();
    // The 85444-byte table, for saving and the export.
    const MessageTable& MessageData() const { return *m_table; }
    // Takes situations 0..block.size()-1 from a read block and shows the first situation.
    void ImportMessages(std::span<const SituationMessages> block);

    // The cut names last announced by the time-sheet window.
    const QStringList& CutNames() const { return m_cutNames; }

protected:
    LResult OnWindowMessage(const WindowMessage& message) override;

private:
    void ShowFirstSituation();
    void Refresh();
    QString CutText(std::int32_t cut) const;

    std::unique_ptr<MessageTable> m_table;
    QStringList m_cutNames;
    QTreeWidget* m_tree;
};

}  // namespace plk
