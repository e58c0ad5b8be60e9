#pragma once

#include <QStringList>

#include "core/content/profile.h"
#include "editor/app/tool_window.h"

class QLabel;
class QTabWidget;

namespace plk {

// "Profile Browser": owns the character's card (page "キャラクタ") and its play tendency
// (page "麻雀").
class CProfileBrowser : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kPageTabsId = 1118;

    explicit CProfileBrowser(QWidget* owner);

    // Both pages at their defaults.
    void ResetProfile();
    // The 2708-byte block gathered from both pages, for saving and the export.
    ProfileBlock ProfileData() const { return m_block; }
    void LoadProfile(const ProfileBlock& block);
    void ImportLegacyProfile(const LegacyProfileRecord& record);

    const QStringList& CutNames() const { return m_cutNames; }

protected:
    LResult OnWindowMessage(const WindowMessage& message) override;

private:
    void Refresh();
    QString CutText(std::int32_t cut) const;

    ProfileBlock m_block{};
    QStringList m_cutNames;
    QTabWidget* m_tabs;
    QLabel* m_profileText;
    QLabel* m_tendencyText;
};

}  // namespace plk
