#include "editor/content/profile_browser.h"

#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/text/sjis.h"
#include "core/timesheet/cut.h"
#include "editor/app/control_id.h"
#include "editor/app/cut_name_list.h"
#include "editor/app/field_reading.h"
#include "editor/app/qt_text.h"
#include "editor/app/user_dialogs.h"
#include "editor/content/profile_editer.h"
#include "editor/content/profile_tendency.h"

namespace plk {

CProfileBrowser::CProfileBrowser(QWidget* owner)
    : CToolWindow(QStringLiteral("Profile Browser"), owner),
      m_boxes(std::make_unique<QtMessageBoxes>()),
      m_tabs(new QTabWidget(this)) {
    SetControlId(m_tabs, kPageTabsId);
    m_editer = new CProfileEditer(this, [this]() -> MessageBoxes& { return *m_boxes; });
    m_tendency = new CProfileTendency(this);
    // QTabWidget sizes its display area around the larger page.
    m_tabs->addTab(m_editer, tr("キャラクタ"));
    m_tabs->addTab(m_tendency, tr("麻雀"));
    connect(m_editer, &CProfileEditer::revealed, this, [this] { m_tabs->setCurrentIndex(0); });
    connect(m_tendency, &CProfileTendency::revealed, this, [this] { m_tabs->setCurrentIndex(1); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_cutItems = {QStringLiteral("カット：1"), QStringLiteral("カット：2"),
                  QStringLiteral("カット：3")};
    ResetProfile();
}

CProfileBrowser::~CProfileBrowser() = default;

void CProfileBrowser::SetMessageBoxes(std::unique_ptr<MessageBoxes> boxes) {
    m_boxes = std::move(boxes);
}

ProfileBlock CProfileBrowser::ProfileData() const {
    ProfileBlock block{};
    block.profile = m_editer->Record();
    block.tendency = m_tendency->Record();
    return block;
}

void CProfileBrowser::ResetProfile() {
    ShowBlock(::plk::ResetProfile());
}

void CProfileBrowser::LoadProfile(const ProfileBlock& block) {
    ShowBlock(::plk::LoadProfile(block));
    WarnAboutStoredNames(m_editer->Record());
}

void CProfileBrowser::ImportLegacyProfile(const LegacyProfileRecord& record) {
    ShowBlock(::plk::ImportLegacyProfile(record));
    WarnAboutStoredNames(m_editer->Record());
}

void CProfileBrowser::ShowBlock(const ProfileBlock& block) {
    m_editer->Show(block.profile);
    m_tendency->Show(block.tendency);
    m_editer->ForgetCutHistory();
    m_tabs->setCurrentIndex(0);
}

void CProfileBrowser::WarnAboutStoredNames(const ProfileRecord& record) {
    const ProfileNameCheck check = CheckProfileNames(record);
    QStringList problems;
    // Each failing field is named with its stored text, then the rule it breaks.
    if (check.characterNameFails) {
        problems.append(
            tr("キャラクター名「%1」:%2")
                .arg(QStringFromSjis(FieldText(record.characterName)), CharacterNameErrorText()));
    }
    if (check.romanNameFails) {
        problems.append(
            tr("英字名「%1」:%2")
                .arg(QStringFromSjis(FieldText(record.romanName)), RomanNameErrorText()));
    }
    if (!problems.isEmpty()) {
        m_boxes->ShowCaptionedError(
            this, InputErrorCaption(),
            tr("このプロジェクトに保存されている次の名前は入力の規則に合いませんが、"
               "変えずにそのまま残しました。\n%1")
                .arg(problems.join(QLatin1Char('\n'))));
    }
}

LResult CProfileBrowser::OnWindowMessage(const WindowMessage& message) {
    switch (message.Message()) {
        case WM_CUT_NAMES:
            m_cutItems = CutNamesFromMessage(message.WParameter(), message.LParameter());
            m_editer->OnCutNames(m_cutItems);
            break;
        case WM_CUT_INSERTED:
        case WM_CUT_DELETED: {
            const auto count =
                static_cast<std::int32_t>(std::clamp<LParam>(message.LParameter(), 0, kMaxCuts));
            m_cutItems = NumberedCutItems(count);
            // The position is a signed cut index (-1 announces a new first cut).
            m_editer->OnCutListChanged(
                message.Message() == WM_CUT_INSERTED ? CutListChange::Inserted
                                                     : CutListChange::Deleted,
                static_cast<std::int32_t>(static_cast<LParam>(message.WParameter())), count);
            break;
        }
        default:
            break;
    }
    return 0;
}

}  // namespace plk
