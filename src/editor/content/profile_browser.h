#pragma once

#include <QStringList>
#include <memory>

#include "core/content/profile.h"
#include "editor/app/tool_window.h"

class QTabWidget;

namespace plk {

class CProfileEditer;
class CProfileTendency;
class MessageBoxes;

// "Profile Browser": the character's card (page "キャラクタ") and its play tendency (page
// "麻雀"). Each page owns its record; the browser hands out both as one block.
class CProfileBrowser : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kPageTabsId = 1118;

    explicit CProfileBrowser(QWidget* owner);
    ~CProfileBrowser() override;

    void SetMessageBoxes(std::unique_ptr<MessageBoxes> boxes);

    // Both pages at their defaults.
    void ResetProfile();
    // The 2708-byte block gathered from both pages, for saving and the export.
    ProfileBlock ProfileData() const;
    // Shows a stored block on both pages and selects the profile page. Names that fail their
    // character check are kept, with one warning.
    void LoadProfile(const ProfileBlock& block);
    void ImportLegacyProfile(const LegacyProfileRecord& record);

    // What the cut combos list.
    const QStringList& CutNames() const { return m_cutItems; }
    QTabWidget* Tabs() const { return m_tabs; }
    CProfileEditer* ProfilePage() const { return m_editer; }
    CProfileTendency* TendencyPage() const { return m_tendency; }

protected:
    LResult OnWindowMessage(const WindowMessage& message) override;

private:
    void ShowBlock(const ProfileBlock& block);
    void WarnAboutStoredNames(const ProfileRecord& record);

    std::unique_ptr<MessageBoxes> m_boxes;
    QTabWidget* m_tabs;
    CProfileEditer* m_editer;
    CProfileTendency* m_tendency;
    QStringList m_cutItems;
};

}  // namespace plk
