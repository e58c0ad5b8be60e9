#pragma once

#include <QStringList>
#include <memory>
#include <span>
#include <string_view>

#include "core/content/message_table.h"
#include "editor/app/tool_window.h"
#include "editor/content/message_commands.h"

namespace plk {

class CMessageMenu;
class CutListFollower;
class MessageLinePreview;
class MessageBoxes;
class MultiRowTabWidget;

// "Message Browser": owns the lines spoken in the 41 game situations, one tab per
// situation; the page under the tabs shows the selected one.
class CMessageBrowser : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kSituationTabsId = 1089;

    explicit CMessageBrowser(QWidget* owner);
    ~CMessageBrowser() override;

    void SetMessageBoxes(std::unique_ptr<MessageBoxes> boxes);

    // The defaults of a new project (line 1 of each situation is its label). The page shows
    // the new data as it stands.
    void ResetMessages();
    // The 85444-byte table, for saving and the export.
    const MessageTable& MessageData() const { return *m_table; }
    // Takes situations 0..block.size()-1 from a read block and shows the selected situation.
    void ImportMessages(std::span<const SituationMessages> block);

    // What the cut combos list.
    const QStringList& CutNames() const { return m_cutItems; }
    MultiRowTabWidget* Tabs() const { return m_tabs; }
    CMessageMenu* Page() const { return m_page; }
    MessageLinePreview* Preview() const { return m_preview; }
    int SelectedSituation() const;

    // The edits the undo commands make: each sets its fields and shows them, bringing the
    // situation's tab to the front.
    void ApplyLineText(int situation, int line, std::string_view sjis);
    void ApplyFrequency(int situation, int line, std::int32_t frequency);
    void ApplySituationCuts(int situation, const SituationCuts& cuts);
    void ApplyAllCuts(const CutReferences& cuts);
    // After an undo or redo: the situation's tab in front and `control` of the page focused.
    void Reveal(int situation, QWidget* control);

protected:
    LResult OnWindowMessage(const WindowMessage& message) override;
    void showEvent(QShowEvent* event) override;

private:
    SituationMessages& Situation(int k) { return m_table->situations[static_cast<std::size_t>(k)]; }
    // The four steps of showing situation k; `settle` also gives empty lines frequency 0.
    void ShowSituation(int k, bool settle);
    void SelectCuts(int k);
    void BringToFront(int situation);
    void OnTextChanged(int line);
    void OnFrequencyChanged(int line, int item);
    void OnCutChanged(int combo, int item);
    void OnCutForAll(std::int32_t cut);
    void OnLineLeft(int line);
    // The "\\chara" check of line `line` of situation `k`; a failure is reported naming both.
    void CheckEscapes(int k, int line);
    void ShowPreview();
    // Lays the page out more tightly when the tab rows leave it too little room.
    void MakeRoomForThePage();
    void UpdateTabMark(int k);
    void SetCutItems(const QStringList& items);

    std::unique_ptr<MessageTable> m_table;
    std::unique_ptr<MessageBoxes> m_boxes;
    MultiRowTabWidget* m_tabs;
    CMessageMenu* m_page;
    CutListFollower* m_follower;
    MessageLinePreview* m_preview;
    int m_previewLine = 0;     // the line the author is writing (the last one focused)
    int m_shownSituation = 0;  // the situation the page shows
    bool m_pageFitted = false;
    QStringList m_cutItems;
    // Keystrokes merge into one undo step until a line's edit loses the focus.
    int m_typingSession = 0;
};

}  // namespace plk
