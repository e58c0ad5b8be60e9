#include "editor/timesheet/time_sheet_base.h"

#include "editor/content/resource_palette.h"

#include <QCoreApplication>
#include <QVBoxLayout>
#include <cstring>

#include "core/project/project.h"
#include "core/text/sjis.h"
#include "editor/app/control_id.h"
#include "editor/app/multi_row_tab_bar.h"
#include "editor/app/multi_row_tab_widget.h"
#include "editor/app/qt_text.h"
#include "editor/app/user_dialogs.h"
#include "editor/timesheet/cell_dialog.h"
#include "editor/timesheet/cut_edits.h"
#include "editor/timesheet/cut_list_edits.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_menus.h"

namespace plk {
namespace {

using namespace timesheet_command;

QString EditText(int id) {
    return PopupCommandName(id);
}

}  // namespace

CTimeSheetBase::CTimeSheetBase(QWidget* owner, CResourcePalette* palette)
    : CToolWindow(QStringLiteral("TimeSheet"), owner),
      m_palette(palette),
      m_names(std::make_unique<CutNameTable>(DefaultCutNames())),
      m_tabs(new MultiRowTabWidget(this)),
      m_boxes(std::make_unique<QtMessageBoxes>()),
      m_nameDialog(&CCutName::AskName) {
    SetControlId(m_tabs, kCutTabsId);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_tabs);
    connect(m_tabs, &MultiRowTabWidget::currentChanged, this, &CTimeSheetBase::OnTabChanged);
    connect(m_tabs, &MultiRowTabWidget::tabContextMenuRequested, this,
            &CTimeSheetBase::OpenCutMenu);
    resize(900, 520);
    CreateDefaultCuts();
}

CTimeSheetBase::~CTimeSheetBase() {
    RemoveAllCuts();
}

void CTimeSheetBase::SetFieldsFolded(bool folded) {
    if (folded != m_fieldsFolded) {
        m_fieldsFolded = folded;
        Q_EMIT fieldsFoldedChanged(folded);
    }
}

void CTimeSheetBase::SetMessageBoxes(std::unique_ptr<MessageBoxes> boxes) {
    m_boxes = std::move(boxes);
}

int CTimeSheetBase::CutCount() const {
    return m_tabs->Count();
}

CTimeSheet* CTimeSheetBase::Page(int index) const {
    return static_cast<CTimeSheet*>(m_tabs->Page(index));
}

int CTimeSheetBase::IndexOfPage(const CTimeSheet* page) const {
    return m_tabs->IndexOf(const_cast<CTimeSheet*>(page));
}

int CTimeSheetBase::CurrentIndex() const {
    return m_tabs->CurrentIndex();
}

CTimeSheet* CTimeSheetBase::CurrentPage() const {
    return CurrentIndex() >= 0 ? Page(CurrentIndex()) : nullptr;
}

void CTimeSheetBase::SelectCut(int index) {
    m_tabs->SetCurrentIndex(index);
}

std::vector<Cut> CTimeSheetBase::Cuts() const {
    std::vector<Cut> cuts;
    cuts.reserve(static_cast<std::size_t>(CutCount()));
    for (int i = 0; i < CutCount(); ++i) {
        cuts.push_back(Page(i)->GetCut());
    }
    return cuts;
}

CTimeSheet* CTimeSheetBase::CreatePage(Cut cut) {
    auto* page = new CTimeSheet(this, m_palette, std::move(cut));
    Q_EMIT pageCreated(page);
    return page;
}

void CTimeSheetBase::SetFrameClipboard(std::vector<FrameRecord> frames) {
    m_frameClipboard = std::move(frames);
    Q_EMIT frameClipboardChanged();
}

void CTimeSheetBase::RemoveAllCuts() {
    while (CutCount() > 0) {
        CTimeSheet* page = Page(CutCount() - 1);
        page->StopPlaybackAndWait();
        m_tabs->RemoveTab(CutCount() - 1);
        delete page;
    }
}

void CTimeSheetBase::CreateDefaultCuts() {
    *m_names = DefaultCutNames();
    for (int i = 0; i < kNewProjectCuts; ++i) {
        m_tabs->AddTab(CreatePage(Cut::New()), QStringFromSjis(m_names->Name(i)));
    }
    m_tabs->SetCurrentIndex(0);
    SendCutNames();
    m_copiedCut = -1;
}

bool CTimeSheetBase::AppendCut(Cut cut) {
    if (CutCount() >= kMaxCuts) {
        return false;
    }
    const int index = CutCount();
    m_tabs->AddTab(CreatePage(std::move(cut)), QStringFromSjis(m_names->Name(index)));
    m_tabs->SetCurrentIndex(0);
    SendCutNames();
    return true;
}

void CTimeSheetBase::RelabelTabs() {
    for (int i = 0; i < CutCount(); ++i) {
        m_tabs->SetTabText(i, QStringFromSjis(m_names->Name(i)));
    }
    SendCutNames();
}

void CTimeSheetBase::SendCutNames() {
    const auto names = reinterpret_cast<WParam>(m_names.get());
    for (const char* title : {"Message Browser", "Profile Browser"}) {
        SendWindowMessage(FindWindowByTitle(QString::fromLatin1(title)), WM_CUT_NAMES, names,
                          CutCount());
    }
}

void CTimeSheetBase::SendCutListChange(std::uint32_t message, int position) {
    // The browsers shift their stored cut indices first; the names that follow let their
    // cut lists show the real names again.
    for (const char* title : {"Message Browser", "Profile Browser"}) {
        SendWindowMessage(FindWindowByTitle(QString::fromLatin1(title)), message,
                          static_cast<WParam>(static_cast<LParam>(position)), CutCount());
    }
    SendCutNames();
}

void CTimeSheetBase::OnTabChanged(int index) {
    // Command playback stops on a page that is no longer shown; simple playback goes on.
    for (int i = 0; i < CutCount(); ++i) {
        if (i != index) {
            Page(i)->RequestCommandPlaybackStop();
        }
    }
}

// ---- Cut menu -----------------------------------------------------------------------

bool CTimeSheetBase::IsCutCommandEnabled(int id, int clickedTab) const {
    const bool hit = clickedTab >= 0 && clickedTab < CutCount();
    switch (id) {
        case kInsertCut:
            // With no cut at all there is no tab to hit; insertion is still offered.
            return (hit || CutCount() == 0) && CutCount() < kMaxCuts;
        case kDeleteCut:
            return hit && CutCount() >= 2;
        case kCopyCut:
            return hit;
        case kPasteCut:
            return hit && m_copiedCut >= 0 && m_copiedCut < CutCount();
        case kRenameCut:
            return true;
        default:
            return false;
    }
}

void CTimeSheetBase::RunCutCommand(int id, int clickedTab) {
    if (!IsCutCommandEnabled(id, clickedTab)) {
        return;
    }
    const QString text = EditText(id);
    const int selected = CurrentIndex();
    switch (id) {
        case kInsertCut:
            PushEdit(std::make_unique<InsertCutEdit>(this, text));
            break;
        case kDeleteCut:
            PushEdit(std::make_unique<DeleteCutEdit>(this, clickedTab, text));
            break;
        case kCopyCut:
            m_copiedCut = clickedTab;
            break;
        case kPasteCut:
            if (selected >= 0 && selected != m_copiedCut) {
                const Cut& target = Page(selected)->GetCut();
                const Cut& copied = Page(m_copiedCut)->GetCut();
                const bool same = target.ColumnCount() == copied.ColumnCount() &&
                                  target.FrameCount() == copied.FrameCount() &&
                                  std::memcmp(target.Frames().data(), copied.Frames().data(),
                                              target.Frames().size_bytes()) == 0;
                if (!same) {
                    PushEdit(std::make_unique<PasteCutEdit>(this, selected, target, copied, text));
                }
            }
            break;
        case kRenameCut: {
            // The tab that was right-clicked; the selected one when the click hit none.
            const int target = clickedTab >= 0 && clickedTab < CutCount() ? clickedTab : selected;
            if (target < 0) {
                break;
            }
            if (std::optional<QString> name =
                    m_nameDialog(this, QStringFromSjis(m_names->Name(target)))) {
                // The entry holds 255 bytes of text at most, cut at a character boundary.
                CutNameTable entry{};
                entry.SetName(0, SjisFromQString(*name));
                std::array<char, kCutNameSize> bytes{};
                std::memcpy(bytes.data(), entry.names[0], kCutNameSize);
                if (std::memcmp(bytes.data(), m_names->names[target], kCutNameSize) != 0) {
                    PushEdit(std::make_unique<RenameCutEdit>(this, target, bytes, text));
                }
            }
            break;
        }
        default:
            break;
    }
}

void CTimeSheetBase::OpenCutMenu(const QPoint& globalPosition, int clickedTab) {
    const int id = ExecPopup(this, globalPosition, CutPopup(), [this, clickedTab](int item) {
        return IsCutCommandEnabled(item, clickedTab);
    });
    if (id != 0) {
        RunCutCommand(id, clickedTab);
    }
}

// ---- Applying cut-list changes ----------------------------------------------------------

void CTimeSheetBase::ApplyInsertCut(int index, Cut cut, const std::array<char, kCutNameSize>& name,
                                    int select) {
    const int newCount = CutCount() + 1;
    for (int j = newCount - 1; j > index; --j) {
        std::memcpy(m_names->names[j], m_names->names[j - 1], kCutNameSize);
    }
    std::memcpy(m_names->names[index], name.data(), kCutNameSize);
    const int selected = CurrentIndex();
    m_tabs->InsertTab(index, CreatePage(std::move(cut)), QString());
    for (int i = 0; i < CutCount(); ++i) {
        m_tabs->SetTabText(i, QStringFromSjis(m_names->Name(i)));
    }
    // The selected cut stays selected unless the caller restores another selection.
    m_tabs->SetCurrentIndex(select >= 0 && select < CutCount() ? select
                            : selected >= index                ? selected + 1
                                                               : selected);
    SendCutListChange(WM_CUT_INSERTED, index - 1);
}

void CTimeSheetBase::ApplyDeleteCut(int index,
                                    std::optional<std::array<char, kCutNameSize>> lastEntry) {
    const int oldCount = CutCount();
    const int selected = CurrentIndex();
    CTimeSheet* page = Page(index);
    page->StopPlaybackAndWait();
    m_tabs->RemoveTab(index);
    delete page;
    for (int j = index + 1; j < oldCount; ++j) {
        std::memcpy(m_names->names[j - 1], m_names->names[j], kCutNameSize);
    }
    if (lastEntry) {
        std::memcpy(m_names->names[oldCount - 1], lastEntry->data(), kCutNameSize);
    }
    for (int i = 0; i < CutCount(); ++i) {
        m_tabs->SetTabText(i, QStringFromSjis(m_names->Name(i)));
    }
    // The page shown and the selected tab always agree: the selected cut stays selected,
    // and a deleted selection falls back to the cut before it.
    int select = selected;
    if (index == selected) {
        select = std::max(index - 1, 0);
    } else if (index < selected) {
        select = selected - 1;
    }
    m_tabs->SetCurrentIndex(CutCount() > 0 ? select : -1);
    SendCutListChange(WM_CUT_DELETED, index);
}

void CTimeSheetBase::ApplyCutName(int index, const std::array<char, kCutNameSize>& name) {
    std::memcpy(m_names->names[index], name.data(), kCutNameSize);
    m_tabs->SetTabText(index, QStringFromSjis(m_names->Name(index)));
    SendCutNames();
}

bool CTimeSheetBase::event(QEvent* event) {
    // The sheet has no status bar of its own: hints (what a click in the grid does) show in
    // the main frame's.
    if (event->type() == QEvent::StatusTip && parentWidget() != nullptr) {
        QCoreApplication::sendEvent(parentWidget(), event);
        return true;
    }
    return CToolWindow::event(event);
}

LResult CTimeSheetBase::OnWindowMessage(const WindowMessage& message) {
    if (message.Message() == WM_RESOURCE_SELECTED) {
        // Every page: a hidden page's thumbnail is shown again on a tab switch.
        for (int i = 0; i < CutCount(); ++i) {
            Q_EMIT Page(i)->paletteSelectionChanged(static_cast<int>(message.WParameter()));
        }
    }
    return 0;
}

}  // namespace plk
