#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QPointer>

#include "core/timesheet/cut.h"
#include "editor/app/tool_window.h"

namespace plk {

class CResourcePalette;
class CTimeSheet;
class MessageBoxes;
class MultiRowTabWidget;

// "TimeSheet": one tab per cut, each with the cut's page, plus the cut-name table. It
// inserts, deletes, copies, pastes and renames cuts, and tells the message and profile
// browsers whenever the list of cuts or their names change.
class CTimeSheetBase : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kCutTabsId = 1101;

    // Asks a cut's new name, starting from its current one; nothing on cancel.
    using NameDialog = std::function<std::optional<QString>(QWidget*, const QString& current)>;

    // `palette` is the palette the cuts draw their resources from.
    CTimeSheetBase(QWidget* owner, CResourcePalette* palette);
    ~CTimeSheetBase() override;

    void RemoveAllCuts();
    // Three new cuts with the default name table, as a new project has.
    void CreateDefaultCuts();

    int CutCount() const;
    CTimeSheet* Page(int index) const;
    int IndexOfPage(const CTimeSheet* page) const;
    // The selected tab (-1 with no cuts) and its page.
    int CurrentIndex() const;
    CTimeSheet* CurrentPage() const;
    void SelectCut(int index);
    // The pages' cell fields and playback controls folded away, leaving their room to the
    // grid: one toggle for every page.
    bool FieldsFolded() const { return m_fieldsFolded; }
    void SetFieldsFolded(bool folded);
    // Every cut as its page holds it, in tab order, for saving and the export.
    std::vector<Cut> Cuts() const;
    // Appends a cut read from a file; false (and nothing changes) when 16 cuts exist.
    bool AppendCut(Cut cut);

    // The 4096-byte name table, read and written directly by the project file.
    CutNameTable& CutNames() { return *m_names; }
    const CutNameTable& CutNames() const { return *m_names; }
    // Labels every tab from the name table and announces the names.
    void RelabelTabs();

    // Index of the cut last copied; -1 when none.
    int CopiedCut() const { return m_copiedCut; }
    // Frames copied on any page; they paste into any cut.
    const std::vector<FrameRecord>& FrameClipboard() const { return m_frameClipboard; }
    void SetFrameClipboard(std::vector<FrameRecord> frames);

    // The cut menu's commands by id (213, 214, 216, 217, 231) for a right click on tab
    // `clickedTab` (-1 when the click hit no tab).
    bool IsCutCommandEnabled(int id, int clickedTab) const;
    void RunCutCommand(int id, int clickedTab);

    MessageBoxes& Boxes() const { return *m_boxes; }
    void SetMessageBoxes(std::unique_ptr<MessageBoxes> boxes);
    void SetNameDialog(NameDialog dialog) { m_nameDialog = std::move(dialog); }
    MultiRowTabWidget* Tabs() const { return m_tabs; }

    // Changes of the cut list without recording them; the cut edits call these.
    // Inserts `cut` at `index` (the names from there move up one place, entry `index`
    // takes `name`) and selects `select`.
    void ApplyInsertCut(int index, Cut cut, const std::array<char, kCutNameSize>& name, int select);
    // Deletes cut `index`; the names after it move down one place, the last entry keeping
    // its bytes unless `lastEntry` is given.
    void ApplyDeleteCut(int index, std::optional<std::array<char, kCutNameSize>> lastEntry);
    void ApplyCutName(int index, const std::array<char, kCutNameSize>& name);

Q_SIGNALS:
    void fieldsFoldedChanged(bool folded);
    // A page was made (for a new, read, inserted or restored cut).
    void pageCreated(CTimeSheet* page);
    // Frames were copied into the clipboard.
    void frameClipboardChanged();

protected:
    bool event(QEvent* event) override;
    LResult OnWindowMessage(const WindowMessage& message) override;

private:
    CTimeSheet* CreatePage(Cut cut);
    void OpenCutMenu(const QPoint& globalPosition, int clickedTab);
    void OnTabChanged(int index);
    void SendCutNames();
    void SendCutListChange(std::uint32_t message, int position);

    QPointer<CResourcePalette> m_palette;  // goes before the pages when the frame closes
    std::unique_ptr<CutNameTable> m_names;
    int m_copiedCut = -1;
    bool m_fieldsFolded = false;
    std::vector<FrameRecord> m_frameClipboard;
    MultiRowTabWidget* m_tabs;
    std::unique_ptr<MessageBoxes> m_boxes;
    NameDialog m_nameDialog;
};

}  // namespace plk
