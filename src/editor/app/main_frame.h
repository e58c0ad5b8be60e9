#pragma once

#include <QMainWindow>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "editor/app/plkce_doc.h"
#include "editor/app/window_layout.h"

class QLabel;
class QPrinter;

namespace plk {

class CCharacterCheck;
class CMessageBrowser;
class CPLKCEView;
class CPreView;
class CProfileBrowser;
class CResourcePalette;
class CTimeSheetBase;
class CToolWindow;
class AutosaveController;
class FocusEditCommands;
class FileCommands;
class HiddenWindowsStrip;

// The main frame: menu, toolbar and status bar over an empty view, the owner of the five
// tool windows, and the keeper of their screen layout between runs.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The action of a menu, toolbar or accelerator command; null for an unknown id.
    QAction* Action(int id) const;
    FileCommands& Commands() { return *m_commands; }
    AutosaveController& Autosave() { return *m_autosave; }

    // Ends as closing does, except that unsaved edits go to the recovery copy instead of a
    // question (a terminating signal: logout, kill).
    void EndBySignal();

    CResourcePalette* Palette() const { return m_palette; }
    CMessageBrowser* MessageBrowser() const { return m_messages; }
    CProfileBrowser* ProfileBrowser() const { return m_profile; }
    CPreView* PreView() const { return m_preview; }
    CTimeSheetBase* TimeSheet() const { return m_timeSheet; }
    CCharacterCheck* CharacterCheck() const { return m_check; }

    // Shows the frame (maximized when it was at the last close), then the tool windows.
    void ShowAll();

    // The screen area the first start tiles (the primary screen's available area unless a
    // test gives another); frames made afterwards use it.
    static void SetFirstStartArea(std::optional<QRect> area);
    // The strip that names the hidden tool windows.
    HiddenWindowsStrip* HiddenStrip() const { return m_hiddenStrip; }

    // The layout as it stands now, as it is stored at close.
    WindowLayoutRecord CurrentLayout() const;

Q_SIGNALS:
    // The frame was closed for good; the application ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Keeps the 表示 items of the tool windows in step with their visibility.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolbar();
    void CreateStatusBar();
    void CreateToolWindows();
    void PlaceToolWindows(const WindowLayoutRecord& layout);
    void PlaceToolWindowsByDefault();
    void UpdateRecentFileMenu();
    void ConnectCommands();
    void ConnectUndoCommands();
    void ConnectViewCommands();
    // The character check window, its two menu items and the check before an export.
    void InstallCharacterCheck();
    // "<file name>[*] - PLK-CE", "無題" for a project not yet saved.
    void UpdateTitle();
    void UpdateLockIndicators();
    // The window layout, hidden windows and frame rectangle, stored for the next start.
    void StoreLayout();
    void RememberNormalFrame();
    // Every tool window, the preview's control panel included.
    std::vector<CToolWindow*> ToolWindows() const;

    QPrinter* Printer();
    void OnPrint();
    void OnPrintPreview();
    void OnPrinterSetup();
    void OnAbout();

    CPLKCEDoc m_doc;
    CPLKCEView* m_view = nullptr;
    // Tool windows, owned as children of the frame.
    CPreView* m_preview = nullptr;
    CResourcePalette* m_palette = nullptr;
    CTimeSheetBase* m_timeSheet = nullptr;
    CProfileBrowser* m_profile = nullptr;
    CMessageBrowser* m_messages = nullptr;
    CCharacterCheck* m_check = nullptr;
    QToolBar* m_toolBar = nullptr;
    HiddenWindowsStrip* m_hiddenStrip = nullptr;

    std::map<int, QAction*> m_actions;
    QList<QAction*> m_recentActions;
    std::optional<WindowLayoutRecord> m_storedLayout;
    FileCommands* m_commands = nullptr;
    AutosaveController* m_autosave = nullptr;
    FocusEditCommands* m_focusEdit = nullptr;
    bool m_endingBySignal = false;
    std::unique_ptr<QPrinter> m_printer;
    std::map<QWidget*, QAction*> m_viewActions;
    std::map<QWidget*, bool> m_startHidden;
    std::array<QLabel*, 3> m_lockPanes{};
    // The frame's outer rectangle in its last normal (not maximized) state.
    QRect m_normalFrame;
    QRect m_normalCandidate;
    QRect m_firstStartFrame;
};

}  // namespace plk
