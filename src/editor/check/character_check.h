#pragma once

#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/check/finding.h"
#include "core/project/project.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace plk {

class CheckWorker;

// "キャラクターチェック": the findings of the character check, grouped by severity and
// place. Double-clicking one brings its place into view. While shown it runs the check
// again after each edit, once the author pauses; the resource files are read off the
// user-interface thread, by a worker that owns its copy of the character.
class CCharacterCheck : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRerunDelayMs = 300;

    using GatherFunction = std::function<Project()>;
    using PathFunction = std::function<std::filesystem::path()>;
    using NavigateFunction = std::function<void(const Place&)>;

    // `gather` copies the character out of the windows (on the user-interface thread);
    // `projectFile` names the project's file, against which moved resources are looked for.
    CCharacterCheck(QWidget* owner, GatherFunction gather, PathFunction projectFile);
    ~CCharacterCheck() override;

    void SetNavigator(NavigateFunction navigate) { m_navigate = std::move(navigate); }

    // An edit was made: check again once no edit has come for kRerunDelayMs (only while
    // the window is shown; a hidden window checks when it is shown).
    void ScheduleRerun();
    // Starts a check at once, in the background.
    void RunNow();
    // Shows findings checked elsewhere (the export checks before it writes).
    void ShowFindings(const Findings& findings);

    const Findings& CurrentFindings() const { return m_findings; }
    bool IsChecking() const { return m_running; }
    QTreeWidget* Tree() const { return m_tree; }
    // The leaf item of finding `index` of CurrentFindings().
    QTreeWidgetItem* ItemOfFinding(int index) const;

Q_SIGNALS:
    // New findings are shown.
    void findingsShown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Takes what the worker handed back; queued from the worker's thread.
    Q_INVOKABLE void DeliverFromWorker();
    void Deliver(std::uint64_t generation, Findings findings);
    void Fill();
    void OnActivated(QTreeWidgetItem* item);

    GatherFunction m_gather;
    PathFunction m_projectFile;
    NavigateFunction m_navigate;
    std::unique_ptr<CheckWorker> m_worker;
    QTimer m_debounce;
    QTreeWidget* m_tree = nullptr;
    QLabel* m_summary = nullptr;
    Findings m_findings;
    std::uint64_t m_generation = 0;
    bool m_running = false;
    bool m_pending = false;  // an edit came while hidden or while a check ran
};

// Brings a finding's place into view in the window that holds it and selects it.
class CResourcePalette;
class CMessageBrowser;
class CProfileBrowser;
class CTimeSheetBase;
void ShowPlace(const Place& place, CResourcePalette* palette, CTimeSheetBase* timeSheet,
               CMessageBrowser* messages, CProfileBrowser* profile);

}  // namespace plk
