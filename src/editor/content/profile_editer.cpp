#include "editor/content/profile_editer.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QUndoStack>
#include <QVBoxLayout>

#include "core/text/name_validation.h"
#include "core/text/sjis.h"
#include "editor/app/control_id.h"
#include "editor/app/cut_name_list.h"
#include "editor/app/field_reading.h"
#include "editor/app/qt_text.h"
#include "editor/app/sjis_input_guard.h"
#include "editor/app/tool_window.h"
#include "editor/app/user_dialogs.h"
#include "editor/content/cut_list_follower.h"
#include "editor/content/profile_browser.h"
#include "editor/content/profile_commands.h"

namespace plk {
namespace {

const char* const kTextLabels[CProfileEditer::kTextCount] = {
    QT_TRANSLATE_NOOP("plk::CProfileBrowser", "キャラクター名"),
    QT_TRANSLATE_NOOP("plk::CProfileBrowser", "英字名"),
    QT_TRANSLATE_NOOP("plk::CProfileBrowser", "愛称"),
    QT_TRANSLATE_NOOP("plk::CProfileBrowser", "年齢"),
    QT_TRANSLATE_NOOP("plk::CProfileBrowser", "国籍"),
    QT_TRANSLATE_NOOP("plk::CProfileBrowser", "身長/体重"),
    QT_TRANSLATE_NOOP("plk::CProfileBrowser", "スリーサイズ"),
    "",
    "",
    "",
};
const char* const kCutLabels[kProfileCuts] = {
    QT_TRANSLATE_NOOP("plk::CProfileBrowser", "プロフィールカット"),
    QT_TRANSLATE_NOOP("plk::CProfileBrowser", "メニューアイコンカット"),
    QT_TRANSLATE_NOOP("plk::CProfileBrowser", "メッセージウインドウカット"),
};
const char* const kInitialCutItems[] = {"カット：1", "カット：2", "カット：3"};

}  // namespace

CProfileEditer::CProfileEditer(CToolWindow* browser, std::function<MessageBoxes&()> boxes)
    : QWidget(browser), m_browser(browser), m_boxes(std::move(boxes)) {
    auto* layout = new QVBoxLayout(this);

    auto* texts = new QGroupBox(CProfileBrowser::tr("テキスト"), this);
    auto* textForm = new QFormLayout(texts);
    auto* freeWords = new QGroupBox(CProfileBrowser::tr("フリーワード"), texts);
    auto* freeForm = new QVBoxLayout(freeWords);
    for (int i = 0; i < kTextCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        m_edits[at] = new QLineEdit(this);
        SetControlId(m_edits[at], kTextEditIds[at]);
        m_edits[at]->installEventFilter(this);
        new SjisInputGuard(m_edits[at], [this](QWidget*, const QString& message) {
            m_boxes().ShowError(m_browser, message);
        });
        if (*kTextLabels[i] != '\0') {
            textForm->addRow(CProfileBrowser::tr(kTextLabels[i]), m_edits[at]);
        } else {
            freeForm->addWidget(m_edits[at]);
        }
        connect(m_edits[at], &QLineEdit::textChanged, this, [this, i] {
            if (!m_showing) {
                OnTextEdited(i);
            }
        });
    }
    textForm->addRow(freeWords);
    layout->addWidget(texts);

    auto* pictures = new QGroupBox(CProfileBrowser::tr("グラフィック"), this);
    auto* pictureForm = new QFormLayout(pictures);
    for (int c = 0; c < kProfileCuts; ++c) {
        const auto at = static_cast<std::size_t>(c);
        m_combos[at] = new QComboBox(pictures);
        SetControlId(m_combos[at], kCutComboIds[at]);
        m_combos[at]->setMinimumContentsLength(14);
        m_combos[at]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        pictureForm->addRow(CProfileBrowser::tr(kCutLabels[c]), m_combos[at]);
        connect(m_combos[at], &QComboBox::activated, this,
                [this, c](int item) { OnCutActivated(c, item); });
    }
    layout->addWidget(pictures);
    layout->addStretch(1);

    m_follower = new CutListFollower(
        this, [this] { return CutReferencesOf(m_record); },
        [this](const CutReferences& cuts) {
            SetCutReferences(m_record, cuts);
            SelectCuts();
        });

    QStringList initial;
    for (const char* item : kInitialCutItems) {
        initial.append(QString::fromUtf8(item));
    }
    FillCombos(initial);
}

std::span<char> CProfileEditer::Field(int field) {
    // The ten texts lie back to back at the start of the record, 256 bytes each.
    constexpr std::size_t kFieldSize = sizeof(ProfileRecord::characterName);
    static_assert(offsetof(ProfileRecord, freeWord3) == 9 * kFieldSize);
    return {reinterpret_cast<char*>(&m_record) + static_cast<std::size_t>(field) * kFieldSize,
            kFieldSize};
}

void CProfileEditer::Show(const ProfileRecord& record) {
    m_record = record;
    for (int i = 0; i < kTextCount; ++i) {
        ShowText(i);
    }
    SelectCuts();
}

void CProfileEditer::ShowText(int field) {
    QLineEdit* edit = TextEdit(field);
    const QString text = QStringFromSjis(FieldText(Field(field), kProfileTextMax));
    if (edit->text() == text) {
        return;
    }
    m_showing = true;
    const int cursor = edit->cursorPosition();
    edit->setText(text);
    edit->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
    m_showing = false;
}

void CProfileEditer::SelectCuts() {
    const CutReferences cuts = CutReferencesOf(m_record);
    for (int c = 0; c < kProfileCuts; ++c) {
        QComboBox* combo = CutCombo(c);
        const std::int32_t cut = cuts[static_cast<std::size_t>(c)];
        // A stored position past the list stays in the record and shows no selection.
        combo->setCurrentIndex(cut >= 0 && cut < combo->count() ? cut : -1);
    }
}

void CProfileEditer::FillCombos(const QStringList& items) {
    for (QComboBox* combo : m_combos) {
        combo->clear();
        combo->addItems(items);
    }
    SelectCuts();
}

void CProfileEditer::OnCutNames(const QStringList& names) {
    FillCombos(names);
}

void CProfileEditer::OnCutListChanged(CutListChange change, std::int32_t position,
                                      std::int32_t newCount) {
    FillCombos(NumberedCutItems(newCount));
    m_follower->Follow(m_browser->UndoStack(), change, position, newCount);
    SelectCuts();
}

void CProfileEditer::ForgetCutHistory() {
    m_follower->Forget();
}

void CProfileEditer::OnTextEdited(int field) {
    QLineEdit* edit = TextEdit(field);
    const std::string typed = SjisFromQString(edit->text());
    std::string text = ProfileFieldText(typed);
    std::string before(FieldText(Field(field), kProfileTextMax));
    if (field == kCharacterNameField || field == kRomanNameField) {
        // Only what the edit put in is checked, so a stored name that fails its check can
        // still be corrected. A rejected change puts back the text the field had.
        const bool characterName = field == kCharacterNameField;
        const std::string_view inserted = InsertedCharacters(before, text);
        const bool valid =
            characterName ? IsValidCharacterName(inserted) : IsValidRomanName(inserted);
        if (!valid) {
            const int cursor = edit->cursorPosition();
            const int grown = static_cast<int>(edit->text().size()) -
                              static_cast<int>(QStringFromSjis(before).size());
            ShowText(field);
            edit->setCursorPosition(std::max(0, cursor - std::max(0, grown)));
            m_boxes().ShowCaptionedError(
                m_browser, InputErrorCaption(),
                characterName ? CharacterNameErrorText() : RomanNameErrorText());
            return;
        }
    }
    if (text == before) {
        if (text != typed) {
            ShowText(field);  // a second line or bytes past the field: the edit shows the rest
        }
        return;
    }
    m_browser->PushEdit(std::make_unique<SetProfileTextCommand>(this, field, std::move(before),
                                                                std::move(text), m_typingSession));
}

void CProfileEditer::OnCutActivated(int which, int item) {
    if (item < 0) {
        return;
    }
    const std::int32_t before = CutReferencesOf(m_record)[static_cast<std::size_t>(which)];
    const bool changes = before != item;
    if (which != kMessageWindowCutCombo) {
        if (changes) {
            m_browser->PushEdit(std::make_unique<SetProfileCutCommand>(this, which, before, item));
        }
        return;
    }
    // The message window cut also goes to every situation of the messages: both changes
    // make one step of the history.
    QUndoStack* history = m_browser->UndoStack();
    if (changes) {
        history->beginMacro(CProfileBrowser::tr("メッセージウインドウカットの変更"));
        m_browser->PushEdit(std::make_unique<SetProfileCutCommand>(this, which, before, item));
    }
    SendWindowMessage(FindWindowByTitle(QStringLiteral("Message Browser")), WM_WINDOW_CUT_FOR_ALL,
                      0, item);
    if (changes) {
        history->endMacro();
    }
}

void CProfileEditer::ApplyText(int field, std::string_view sjis) {
    SetFieldText(Field(field), sjis);
    Q_EMIT revealed();
    ShowText(field);
}

void CProfileEditer::ApplyCut(int which, std::int32_t cut) {
    CutReferences cuts = CutReferencesOf(m_record);
    cuts[static_cast<std::size_t>(which)] = cut;
    SetCutReferences(m_record, cuts);
    Q_EMIT revealed();
    SelectCuts();
}

bool CProfileEditer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        ++m_typingSession;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace plk
