#pragma once

#include <memory>
#include <vector>

#include "core/timesheet/cut.h"
#include "editor/app/tool_window.h"

class QTabWidget;

namespace plk {

class CResourcePalette;

// "TimeSheet": owns every cut of the character (one tab per cut) and the cut-name table.
// Whenever the names change it tells the message and profile browsers.
class CTimeSheetBase : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kCutTabsId = 1101;

    // `palette` is the palette the cuts draw their resources from.
    CTimeSheetBase(QWidget* owner, CResourcePalette* palette);
    ~CTimeSheetBase() override;

    void RemoveAllCuts();
    // Three new cuts with the default name table, as a new project has.
    void CreateDefaultCuts();

    int CutCount() const { return static_cast<int>(m_cuts.size()); }
    const Cut& CutAt(int index) const { return m_cuts[static_cast<std::size_t>(index)]; }
    const std::vector<Cut>& Cuts() const { return m_cuts; }
    // Appends a cut read from a file; false (and nothing changes) when 16 cuts exist.
    bool AppendCut(Cut cut);

    // The 4096-byte name table, read and written directly by the project file.
    CutNameTable& CutNames() { return *m_names; }
    const CutNameTable& CutNames() const { return *m_names; }
    // Labels every tab from the name table and announces the names.
    void RelabelTabs();

    // Index of the cut last copied; -1 when none.
    int CopiedCut() const { return m_copiedCut; }

private:
    void AddTab(int index);
    void SendCutNames();

    CResourcePalette* m_palette;
    std::vector<Cut> m_cuts;
    std::unique_ptr<CutNameTable> m_names;
    int m_copiedCut = -1;
    QTabWidget* m_tabs;
};

}  // namespace plk
