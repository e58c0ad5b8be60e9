#pragma once

#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <span>
#include <string_view>

#include "core/content/cut_references.h"
#include "core/content/profile.h"

class QComboBox;
class QLineEdit;

namespace plk {

class CToolWindow;
class CutListFollower;
class MessageBoxes;

// The profile page "キャラクタ" (dialog 193): the ten texts of the character's card and the
// three cuts of its pictures. It owns the ProfileRecord; every edit is an undo command on
// the browser's history.
class CProfileEditer : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTextCount = 10;
    // Edits in the order of the record's text fields: characterName, romanName, nickname,
    // age, nationality, heightWeight, threeSizes, freeWord1..3.
    static constexpr std::array<int, kTextCount> kTextEditIds = {1103, 1104, 1110, 1105, 1106,
                                                                 1108, 1112, 1113, 1114, 1115};
    static constexpr int kCharacterNameField = 0;
    static constexpr int kRomanNameField = 1;
    // Combos in the order profileCut, menuIconCut, messageWindowCut.
    static constexpr std::array<int, kProfileCuts> kCutComboIds = {1107, 1111, 1109};
    static constexpr int kMessageWindowCutCombo = 2;

    // `browser` keeps the undo history and shows the page's boxes.
    CProfileEditer(CToolWindow* browser, std::function<MessageBoxes&()> boxes);

    const ProfileRecord& Record() const { return m_record; }
    // Puts a record on the page (load, legacy import, reset).
    void Show(const ProfileRecord& record);

    QLineEdit* TextEdit(int field) const { return m_edits[static_cast<std::size_t>(field)]; }
    QComboBox* CutCombo(int which) const { return m_combos[static_cast<std::size_t>(which)]; }

    // The cut-list messages the browser passes on.
    void OnCutNames(const QStringList& names);
    void OnCutListChanged(CutListChange change, std::int32_t position, std::int32_t newCount);
    void ForgetCutHistory();

    // The edits the undo commands make.
    void ApplyText(int field, std::string_view sjis);
    void ApplyCut(int which, std::int32_t cut);

Q_SIGNALS:
    // An undo or redo changed the page: its tab should be the one shown.
    void revealed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::span<char> Field(int field);
    void OnTextEdited(int field);
    void OnCutActivated(int which, int item);
    void ShowText(int field);
    void SelectCuts();
    void FillCombos(const QStringList& items);

    CToolWindow* m_browser;
    std::function<MessageBoxes&()> m_boxes;
    ProfileRecord m_record{};
    std::array<QLineEdit*, kTextCount> m_edits{};
    std::array<QComboBox*, kProfileCuts> m_combos{};
    CutListFollower* m_follower;
    bool m_showing = false;
    int m_typingSession = 0;
};

}  // namespace plk
