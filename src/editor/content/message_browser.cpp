#include "editor/content/message_browser.h"

#include <QComboBox>
#include <QLineEdit>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>

#include "core/content/message_text.h"
#include "core/project/project.h"
#include "core/text/sjis.h"
#include "core/timesheet/cut.h"
#include "editor/app/control_id.h"
#include "editor/app/cut_name_list.h"
#include "editor/app/edit_reveal.h"
#include "editor/app/multi_row_tab_widget.h"
#include "editor/app/qt_text.h"
#include "editor/app/sjis_input_guard.h"
#include "editor/app/user_dialogs.h"
#include "editor/content/cut_list_follower.h"
#include "editor/content/message_line_preview.h"
#include "editor/content/message_menu.h"
#include "editor/content/situation_names.h"

namespace plk {
namespace {

constexpr int kLines = 4;

bool IsLine(WParam number) {
    return number >= 1 && number <= kLines;
}

// The escape check's findings in the shown language, one line each (the core's own warning
// carries the Japanese of the same lines).
QString EscapeWarningText(const CharaEscapeCheck& check) {
    QStringList lines;
    if (check.commaMismatch) {
        lines.append(
            CMessageBrowser::tr("\\charaの書式に誤りがあります：','が抜けている可能性があります"));
    }
    if (check.parenthesisMismatch) {
        lines.append(
            CMessageBrowser::tr("\\charaの書式に誤りがあります：')'が抜けている可能性があります"));
    }
    return lines.join(QLatin1Char('\n'));
}

SituationCuts CutsOf(const SituationMessages& situation) {
    return {situation.windowCut, situation.lineCut[0], situation.lineCut[1], situation.lineCut[2],
            situation.lineCut[3]};
}

}  // namespace

CMessageBrowser::CMessageBrowser(QWidget* owner)
    : CToolWindow(QStringLiteral("Message Browser"), owner),
      m_table(std::make_unique<MessageTable>()),
      m_boxes(std::make_unique<QtMessageBoxes>()),
      m_tabs(new MultiRowTabWidget(this)) {
    SetControlId(m_tabs, kSituationTabsId);
    m_page = new CMessageMenu(this);
    m_follower = new CutListFollower(
        this, [this] { return CutReferencesOf(*m_table); },
        [this](const CutReferences& cuts) {
            SetCutReferences(*m_table, cuts);
            SelectCuts(SelectedSituation());
        });

    // One page serves every tab: it moves into the display area of the selected tab.
    for (int k = 0; k < kSituationCount; ++k) {
        auto* area = new QWidget;
        auto* areaLayout = new QVBoxLayout(area);
        areaLayout->setContentsMargins(0, 0, 0, 0);
        m_tabs->AddTab(area, SituationName(k));
    }
    connect(m_tabs, &MultiRowTabWidget::currentChanged, this, [this](int k) {
        if (k < 0) {
            return;
        }
        // A line still being written when the situation changes under it (Ctrl+Tab leaves
        // the focus where it is) gets its check for the situation it belongs to.
        for (int j = 0; j < kLines; ++j) {
            if (m_page->LineEdit(j)->hasFocus() && m_shownSituation != k) {
                ++m_typingSession;
                CheckEscapes(m_shownSituation, j);
            }
        }
        ShowSituation(k, true);
    });
    connect(m_page, &CMessageMenu::lineLeft, this, &CMessageBrowser::OnLineLeft);
    connect(m_page, &CMessageMenu::lineEntered, this, [this](int line) {
        m_previewLine = line;
        ShowPreview();
    });
    for (int j = 0; j < kLines; ++j) {
        new SjisInputGuard(m_page->LineEdit(j), [this](QWidget*, const QString& message) {
            m_boxes->ShowError(this, message);
        });
    }

    m_preview = new MessageLinePreview(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_preview);
    ::plk::ResetMessages(*m_table, MessageDefaults::FirstCreation);
    m_tabs->SetCurrentIndex(0);
    ShowSituation(0, true);
    // A fixed dialog: the tab rows are laid out for this width from the start, so the
    // window never grows to the height of one tab per row.
    setFixedSize(620, 690);
}

void CMessageBrowser::showEvent(QShowEvent* event) {
    // The page's sizes are known once the style has polished and laid it out, just after
    // its first showing.
    if (!m_pageFitted) {
        m_pageFitted = true;
        QMetaObject::invokeMethod(this, &CMessageBrowser::MakeRoomForThePage, Qt::QueuedConnection);
    }
    CToolWindow::showEvent(event);
}

void CMessageBrowser::MakeRoomForThePage() {
    // The Japanese tab rows leave the page nearly its room: its fields give up a little
    // padding. Longer labels (English) make more rows, and rather than cut its fields' text
    // the page puts the line titles beside the lines.
    if (m_page->FieldsCutText()) {
        m_page->PlaceLineTitlesBeside();
    }
}

CMessageBrowser::~CMessageBrowser() {
    // The page's fields lose the focus while they are torn down; this window is gone by then.
    disconnect(m_page, nullptr, this, nullptr);
}

void CMessageBrowser::SetMessageBoxes(std::unique_ptr<MessageBoxes> boxes) {
    m_boxes = std::move(boxes);
}

int CMessageBrowser::SelectedSituation() const {
    return std::max(0, m_tabs->CurrentIndex());
}

void CMessageBrowser::ResetMessages() {
    ::plk::ResetMessages(*m_table, MessageDefaults::NewProject);
    m_follower->Forget();
    ShowSituation(SelectedSituation(), false);
}

void CMessageBrowser::ImportMessages(std::span<const SituationMessages> block) {
    ::plk::ImportMessages(*m_table, block);
    m_follower->Forget();
    ShowSituation(SelectedSituation(), true);
}

void CMessageBrowser::ShowSituation(int k, bool settle) {
    QWidget* area = m_tabs->Page(k);
    if (m_page->parentWidget() != area) {
        if (QLayout* previous = m_page->parentWidget()->layout()) {
            previous->removeWidget(m_page);
        }
        area->layout()->addWidget(m_page);
        m_page->show();
    }
    SelectCuts(k);
    SituationMessages& situation = Situation(k);
    for (int j = 0; j < kLines; ++j) {
        m_page->ShowLineText(j, QStringFromSjis(FieldText(situation.line[j].text)));
    }
    if (settle) {
        ::plk::ShowSituation(*m_table, k);
    }
    for (int j = 0; j < kLines; ++j) {
        m_page->SelectFrequencyItem(j, 3 - situation.line[j].frequency);
    }
    m_shownSituation = k;
    for (int s = 0; s < kSituationCount; ++s) {
        UpdateTabMark(s);
    }
    ShowPreview();
}

void CMessageBrowser::UpdateTabMark(int k) {
    m_tabs->SetTabMarked(k, HasLineText(Situation(k)));
}

void CMessageBrowser::ShowPreview() {
    m_preview->ShowLine(m_previewLine,
                        FieldText(Situation(SelectedSituation()).line[m_previewLine].text));
}

void CMessageBrowser::SelectCuts(int k) {
    const SituationCuts cuts = CutsOf(Situation(k));
    for (int c = 0; c < CMessageMenu::kCutComboCount; ++c) {
        m_page->SelectCutItem(c, cuts[static_cast<std::size_t>(c)]);
    }
}

void CMessageBrowser::BringToFront(int situation) {
    if (m_tabs->CurrentIndex() != situation) {
        m_tabs->SetCurrentIndex(situation);
    }
}

void CMessageBrowser::ApplyLineText(int situation, int line, std::string_view sjis) {
    SetFieldText(Situation(situation).line[line].text, sjis);
    BringToFront(situation);
    m_page->ShowLineText(line, QStringFromSjis(FieldText(Situation(situation).line[line].text)));
    UpdateTabMark(situation);
    m_previewLine = line;
    ShowPreview();
}

void CMessageBrowser::ApplyFrequency(int situation, int line, std::int32_t frequency) {
    Situation(situation).line[line].frequency = frequency;
    BringToFront(situation);
    m_page->SelectFrequencyItem(line, 3 - frequency);
}

void CMessageBrowser::ApplySituationCuts(int situation, const SituationCuts& cuts) {
    SituationMessages& s = Situation(situation);
    s.windowCut = cuts[0];
    for (int j = 0; j < kLines; ++j) {
        s.lineCut[j] = cuts[static_cast<std::size_t>(j) + 1];
    }
    BringToFront(situation);
    SelectCuts(situation);
}

void CMessageBrowser::ApplyAllCuts(const CutReferences& cuts) {
    SetCutReferences(*m_table, cuts);
    SelectCuts(SelectedSituation());
}

void CMessageBrowser::Reveal(int situation, QWidget* control) {
    BringToFront(situation);
    RevealEditedControl(control);
}

void CMessageBrowser::OnTextChanged(int line) {
    const int k = SelectedSituation();
    const std::string typed = SjisFromQString(m_page->LineEdit(line)->text());
    std::string text = MessageLineText(typed);
    std::string before(FieldText(Situation(k).line[line].text));
    if (text == before) {
        if (text != typed) {
            // Typed past the end of the field: the edit shows what the line keeps.
            m_page->ShowLineText(line, QStringFromSjis(text));
        }
        return;
    }
    const std::int32_t frequency = Situation(k).line[line].frequency;
    const SetMessageTextCommand::Frequency change{frequency,
                                                  FrequencyAfterTyping(before, text, frequency)};
    PushEdit(std::make_unique<SetMessageTextCommand>(this, k, line, std::move(before),
                                                     std::move(text), m_typingSession, change));
}

void CMessageBrowser::OnFrequencyChanged(int line, int item) {
    const int k = SelectedSituation();
    const std::int32_t before = Situation(k).line[line].frequency;
    const std::int32_t after = 3 - item;
    if (before != after) {
        PushEdit(std::make_unique<SetMessageFrequencyCommand>(this, k, line, before, after));
    }
}

void CMessageBrowser::OnCutChanged(int combo, int item) {
    const int k = SelectedSituation();
    const SituationCuts before = CutsOf(Situation(k));
    SituationCuts after = before;
    if (combo == 0) {
        after.fill(item);  // the message window cut goes to every line as well
    } else {
        after[static_cast<std::size_t>(combo)] = item;
    }
    if (after != before) {
        PushEdit(std::make_unique<SetSituationCutsCommand>(this, k, before, after));
    } else {
        SelectCuts(k);
    }
}

void CMessageBrowser::OnCutForAll(std::int32_t cut) {
    CutReferences before = CutReferencesOf(*m_table);
    CutReferences after(before.size(), cut);
    if (after != before) {
        PushEdit(
            std::make_unique<SetAllMessageCutsCommand>(this, std::move(before), std::move(after)));
    }
}

void CMessageBrowser::OnLineLeft(int line) {
    ++m_typingSession;
    CheckEscapes(m_shownSituation, line);
}

void CMessageBrowser::CheckEscapes(int k, int line) {
    const CharaEscapeCheck check = CheckCharaEscapes(FieldText(Situation(k).line[line].text));
    if (check.Passed()) {
        return;
    }
    const QString text =
        tr("%1 のセリフ%2:\n%3").arg(SituationName(k)).arg(line + 1).arg(EscapeWarningText(check));
    // The box waits until the focus has moved: a modal loop started in the middle of a
    // focus change never gets its window painted.
    QMetaObject::invokeMethod(
        this, [this, text] { m_boxes->ShowError(this, text); }, Qt::QueuedConnection);
}

void CMessageBrowser::SetCutItems(const QStringList& items) {
    m_cutItems = items;
    m_page->FillCutCombos(items);
    SelectCuts(SelectedSituation());
}

LResult CMessageBrowser::OnWindowMessage(const WindowMessage& message) {
    const WParam w = message.WParameter();
    const LParam l = message.LParameter();
    switch (message.Message()) {
        case WM_MESSAGE_TEXT_CHANGED:
            if (IsLine(w)) {
                OnTextChanged(static_cast<int>(w) - 1);
            }
            break;
        case WM_MESSAGE_FREQUENCY_CHANGED:
            if (IsLine(w) && l >= 0 && l <= 3) {
                OnFrequencyChanged(static_cast<int>(w) - 1, static_cast<int>(l));
            }
            break;
        case WM_MESSAGE_CUT_CHANGED:
            if (w >= 1 && w <= CMessageMenu::kCutComboCount && l >= 0) {
                OnCutChanged(static_cast<int>(w) - 1, static_cast<std::int32_t>(l));
            }
            break;
        case WM_WINDOW_CUT_FOR_ALL:
            OnCutForAll(static_cast<std::int32_t>(l));
            break;
        case WM_CUT_INSERTED:
        case WM_CUT_DELETED: {
            // The combos list numbered cuts at once; the names follow in WM_CUT_NAMES.
            const LParam count = std::clamp<LParam>(l, 0, kMaxCuts);
            m_cutItems = NumberedCutItems(count);
            m_page->FillCutCombos(m_cutItems);
            const CutListChange change = message.Message() == WM_CUT_INSERTED
                                             ? CutListChange::Inserted
                                             : CutListChange::Deleted;
            // The position is a signed cut index (-1 announces a new first cut).
            m_follower->Follow(UndoStack(), change,
                               static_cast<std::int32_t>(static_cast<LParam>(w)),
                               static_cast<std::int32_t>(count));
            SelectCuts(SelectedSituation());
            break;
        }
        case WM_CUT_NAMES:
            SetCutItems(CutNamesFromMessage(w, l));
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace plk
