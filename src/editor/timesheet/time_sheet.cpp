#include "editor/timesheet/time_sheet.h"

#include <QKeySequence>
#include <QShortcut>

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "core/timesheet/cut_editing.h"
#include "editor/app/control_id.h"
#include "editor/app/qt_text.h"
#include "editor/app/user_dialogs.h"
#include "editor/content/resource_palette.h"
#include "editor/timesheet/cell_dialog.h"
#include "editor/timesheet/cell_properties_panel.h"
#include "editor/timesheet/control_command.h"
#include "editor/timesheet/cut_grid.h"
#include "editor/timesheet/cut_table_model.h"
#include "editor/timesheet/page_playback.h"
#include "editor/timesheet/page_properties_host.h"
#include "editor/timesheet/playback_controls.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor/timesheet/time_sheet_menus.h"

namespace plk {
namespace {

using namespace timesheet_command;

constexpr int kPaintMergeKey = 1;
QString EditText(int id) {
    return PopupCommandName(id);
}

// A small brush: the cursor of resource mode, which paints cells.
QCursor BrushCursor() {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(120, 70, 20), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(18, 2, 8, 12);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(40, 90, 220));
    painter.drawEllipse(QRectF(1.5, 11.5, 7, 7));
    painter.end();
    return QCursor(pixmap, 3, 17);
}

}  // namespace

CTimeSheet::CTimeSheet(CTimeSheetBase* sheet, CResourcePalette* palette, Cut cut)
    : QWidget(nullptr),
      m_sheet(sheet),
      m_palette(palette),
      m_cut(std::move(cut)),
      m_model(std::make_unique<CutTableModel>(m_cut)) {
    BuildLayout();
    m_controlFrameDialog = [this](QWidget* parent, const ControlBlock& initial, bool change) {
        return CControlCommand::Ask(parent, initial, change, Boxes());
    };
    m_countDialog = [this](QWidget* parent, bool insert) {
        return CCelldlg::AskCount(parent, insert ? CCelldlg::Mode::Insert : CCelldlg::Mode::Delete,
                                  Boxes());
    };
    m_playback = AttachPlaybackControls(this);
    auto* playSelection = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), this);
    playSelection->setContext(Qt::WidgetWithChildrenShortcut);
    connect(playSelection, &QShortcut::activated, this, [this] { PlaySelection(-1); });
    m_upperScroll->setFixedHeight(m_upperScroll->widget()->sizeHint().height() +
                                  m_upperScroll->horizontalScrollBar()->sizeHint().height());
}

CResourcePalette* CTimeSheet::Palette() const {
    return m_palette;
}

CTimeSheet::~CTimeSheet() {
    // A playback still reading the cut ends before the cut goes.
    StopPlaybackAndWait();
    // The grid's view goes first: it still refers to the model.
    delete m_grid;
    m_grid = nullptr;
}

void CTimeSheet::BuildLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    // The fields and the playback controls scroll sideways in a narrow window instead of
    // forcing the time sheet wider than the screen.
    m_upperScroll = new QScrollArea(this);
    m_upperScroll->setFrameShape(QFrame::NoFrame);
    m_upperScroll->setWidgetResizable(true);
    m_upperScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_upperScroll->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* upperHost = new QWidget(m_upperScroll);
    m_upper = new QHBoxLayout(upperHost);
    m_upper->setContentsMargins(0, 0, 0, 0);
    m_upperScroll->setWidget(upperHost);
    layout->addWidget(m_upperScroll);
    m_properties = new CellPropertiesPanel(this, MakePagePropertiesHost(this));
    m_upper->addWidget(m_properties);
    connect(this, &CTimeSheet::showCell, m_properties, &CellPropertiesPanel::ShowCell);
    connect(this, &CTimeSheet::propertyFieldsEnabled, m_properties,
            &CellPropertiesPanel::SetPropertyFieldsEnabled);
    connect(this, &CTimeSheet::tweenEnabled, m_properties, &CellPropertiesPanel::SetTweenEnabled);
    connect(this, &CTimeSheet::paletteSelectionChanged, m_properties,
            &CellPropertiesPanel::UpdateThumbnail);

    auto* modeRow = new QHBoxLayout();
    // A push-like check box: a button that stays down in range mode.
    m_modeCheck = new QPushButton(tr("リソース指定"), this);
    m_modeCheck->setCheckable(true);
    SetControlId(m_modeCheck, kModeCheckId);
    modeRow->addWidget(m_modeCheck);
    modeRow->addStretch(1);
    m_foldButton = new QToolButton(this);
    m_foldButton->setObjectName(QStringLiteral("foldFields"));
    m_foldButton->setCheckable(true);
    m_foldButton->setAutoRaise(true);
    modeRow->addWidget(m_foldButton);
    layout->addLayout(modeRow);
    connect(m_foldButton, &QToolButton::clicked, this, [this](bool folded) {
        if (m_sheet != nullptr) {
            m_sheet->SetFieldsFolded(folded);
        } else {
            ShowFieldsFolded(folded);
        }
    });
    if (m_sheet != nullptr) {
        connect(m_sheet, &CTimeSheetBase::fieldsFoldedChanged, this, &CTimeSheet::ShowFieldsFolded);
    }
    ShowFieldsFolded(m_sheet != nullptr && m_sheet->FieldsFolded());
    connect(m_modeCheck, &QPushButton::toggled, this, [this](bool on) { SetRangeMode(on); });

    m_model->SetSlotNames([this](int slot) {
        if (m_palette == nullptr || slot < 0 || slot >= kResourceSlots) {
            return QString();
        }
        const ResourceSlot& entry = m_palette->Table().slot[static_cast<std::size_t>(slot)];
        return entry.IsEmpty() ? QString() : QStringFromSjis(entry.Name());
    });
    m_grid = new CutGrid(this, m_model.get());
    SetControlId(m_grid, kGridId);
    layout->addWidget(m_grid, 1);
    SetRangeMode(false);  // the brush cursor and the mode's hint
}

QWidget* CTimeSheet::FieldsArea() const {
    return m_upperScroll;
}

void CTimeSheet::ShowFieldsFolded(bool folded) {
    m_upperScroll->setVisible(!folded);
    m_foldButton->setChecked(folded);
    m_foldButton->setArrowType(folded ? Qt::DownArrow : Qt::UpArrow);
    m_foldButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_foldButton->setText(folded ? tr("セルの情報・設定・再生を表示")
                                 : tr("セルの情報・設定・再生をたたむ"));
    m_foldButton->setToolTip(
        folded ? tr("セルの情報、設定と再生の操作をグリッドの上に戻します")
               : tr("セルの情報、設定と再生の操作をたたんで、グリッドの行を増やします"));
}

void CTimeSheet::PlaySelection(int fallbackRow) {
    int first = m_selection.firstRow;
    int last = m_selection.lastRow;
    if (m_selection.IsEmpty()) {
        first = last = fallbackRow;
    }
    if (first < 0 || first >= m_cut.FrameCount() || m_playback == nullptr) {
        return;
    }
    m_playback->PlayRows(first, last);
}

int CTimeSheet::CutIndex() const {
    return m_sheet != nullptr ? m_sheet->IndexOfPage(this) : 0;
}

MessageBoxes& CTimeSheet::Boxes() const {
    return m_sheet->Boxes();
}

void CTimeSheet::SetRangeMode(bool on) {
    if (m_modeCheck->isChecked() != on) {
        m_modeCheck->setChecked(on);  // comes back here through toggled
        return;
    }
    m_rangeMode = on;
    m_modeCheck->setText(on ? tr("範囲指定") : tr("リソース指定"));
    // The rectangle stays highlighted in both modes: the fields and the tween act on it.
    // Resource mode paints: the grid shows a brush and says what a click does.
    m_grid->viewport()->setCursor(on ? QCursor(Qt::ArrowCursor) : BrushCursor());
    m_modeCheck->setToolTip(
        on ? tr("範囲指定: クリック、Shift+クリック、ドラッグで範囲を選びます")
           : tr("リソース指定: クリックしたセルにパレットで選んだリソースを指定します"));
    m_grid->setStatusTip(m_modeCheck->toolTip());
    m_dragging = false;
    m_painting = false;
}

void CTimeSheet::SetSelection(const CellRange& range) {
    m_selection = range;
    m_model->SetHighlight(range);
    Q_EMIT selectionChanged(range);
}

const std::vector<FrameRecord>& CTimeSheet::FrameCopyBuffer() const {
    return m_sheet != nullptr ? m_sheet->FrameClipboard() : m_ownFrameCopy;
}

void CTimeSheet::SetActiveRow(int row) {
    if (row < 0 || row >= m_cut.FrameCount()) {
        return;
    }
    m_activeRow = row;
    if (m_grid != nullptr) {
        const int column = std::max(m_grid->currentIndex().column(), 0);
        m_grid->setCurrentIndex(m_model->index(row, column));
        m_grid->scrollTo(m_model->index(row, column));
    }
    Q_EMIT activeRowChanged(row);
}

void CTimeSheet::SelectRow(int row) {
    if (row < 0 || row >= m_cut.FrameCount()) {
        return;
    }
    m_anchorRow = row;
    m_anchorColumn = 0;
    m_selection = PartRectangle(m_cut, {row, row, 0, 0});
    AnnounceSelection();
    SetActiveRow(row);
}

bool CTimeSheet::Step(FrameStep step) {
    int from = m_activeRow;
    if (from < 0 && m_playback != nullptr) {
        from = m_cut.RowOfFrameNumber(m_playback->FramePosition());
    }
    const int row = StepRow(m_cut, from, step);
    if (row < 0) {
        return false;
    }
    SelectRow(row);
    return true;
}

void CTimeSheet::Reveal(const CellRange& range) {
    if (m_sheet != nullptr && m_sheet->CurrentPage() != this) {
        m_sheet->SelectCut(CutIndex());
    }
    if (range.IsEmpty() || m_cut.FrameCount() == 0) {
        return;
    }
    CellRange shown = range;
    shown.lastRow = std::min(shown.lastRow, m_cut.FrameCount() - 1);
    shown.firstRow = std::min(shown.firstRow, shown.lastRow);
    m_anchorRow = shown.firstRow;
    m_anchorColumn = shown.firstColumn;
    m_selection = PartRectangle(m_cut, shown);
    AnnounceSelection();
    SetActiveRow(shown.firstRow);
}

std::pair<int, int> CTimeSheet::SelectedRows() const {
    if (!m_selection.IsEmpty() && m_selection.lastRow < m_cut.FrameCount()) {
        return {m_selection.firstRow, m_selection.RowCount()};
    }
    if (m_activeRow >= 0 && m_activeRow < m_cut.FrameCount()) {
        return {m_activeRow, 1};
    }
    return {-1, 0};
}

bool CTimeSheet::CanCopyFrames() const {
    return SelectedRows().second > 0;
}

bool CTimeSheet::CanPasteFrames() const {
    return !FrameCopyBuffer().empty() && SelectedRows().second > 0;
}

void CTimeSheet::CopySelectedFrames() {
    const auto [row, count] = SelectedRows();
    if (count < 1) {
        return;
    }
    // The clipboard is the sheet's; copying changes nothing of the project.
    std::vector<FrameRecord> frames = CopyFrames(m_cut, row, row + count - 1);
    if (m_sheet != nullptr) {
        m_sheet->SetFrameClipboard(std::move(frames));
    } else {
        m_ownFrameCopy = std::move(frames);
    }
}

void CTimeSheet::CutSelectedFrames() {
    const auto [row, count] = SelectedRows();
    const int deleted = ClampedDeleteCount(m_cut, row, count);
    if (deleted < 1) {
        return;
    }
    CopySelectedFrames();
    EraseRows(row, deleted, tr("フレームの切り取り"));
}

void CTimeSheet::PasteFramesAtSelection() {
    const int row = SelectedRows().first;
    if (row >= 0) {
        InsertRows(row, FrameCopyBuffer(), EditText(kPasteFrames));
    }
}

void CTimeSheet::DeleteSelectedRows() {
    const auto [row, count] = SelectedRows();
    const int deleted = ClampedDeleteCount(m_cut, row, count);
    if (deleted >= 1) {
        EraseRows(row, deleted, EditText(kDeleteFrame));
    }
}

// ---- Undoable edits -------------------------------------------------------------------

void CTimeSheet::PushEdit(std::unique_ptr<QUndoCommand> edit) {
    m_sheet->PushEdit(std::move(edit));
}

void CTimeSheet::EditCells(std::span<const CellWrite> changes, const QString& text, int mergeKey) {
    std::vector<CellWrite> before;
    std::vector<CellWrite> after;
    before.reserve(changes.size());
    for (const CellWrite& change : changes) {
        if (change.row < 0 || change.row >= m_cut.FrameCount() || change.slot < 0 ||
            change.slot >= kCellSlots) {
            continue;
        }
        before.push_back({change.row, change.slot, m_cut.Frame(change.row).cells[change.slot]});
        after.push_back(change);
    }
    if (after.empty()) {
        return;
    }
    PushEdit(std::make_unique<CellsEdit>(m_sheet, CutIndex(), std::move(before), std::move(after),
                                         text, mergeKey == 0 ? -1 : mergeKey, m_mergeSerial));
}

void CTimeSheet::InsertRows(int row, std::vector<FrameRecord> records, const QString& text) {
    if (records.empty() || row < 0 || row > m_cut.FrameCount()) {
        return;
    }
    PushEdit(std::make_unique<RowsEdit>(m_sheet, CutIndex(), row, std::vector<FrameRecord>{},
                                        std::move(records), text));
}

void CTimeSheet::ReplaceRow(int row, const FrameRecord& record, const QString& text) {
    if (row < 0 || row >= m_cut.FrameCount() ||
        std::memcmp(&m_cut.Frame(row), &record, sizeof(FrameRecord)) == 0) {
        return;  // a change to what the row already holds is no step
    }
    PushEdit(std::make_unique<RowsEdit>(m_sheet, CutIndex(), row,
                                        std::vector<FrameRecord>{m_cut.Frame(row)},
                                        std::vector<FrameRecord>{record}, text));
}

void CTimeSheet::AppendRow(const FrameRecord& record, const QString& text) {
    InsertRows(m_cut.FrameCount(), {record}, text);
}

void CTimeSheet::EraseRows(int row, int count, const QString& text) {
    if (count < 1 || row < 0 || row + count > m_cut.FrameCount()) {
        return;
    }
    PushEdit(std::make_unique<RowsEdit>(m_sheet, CutIndex(), row,
                                        CopyFrames(m_cut, row, row + count - 1),
                                        std::vector<FrameRecord>{}, text));
}

// ---- Applying changes -----------------------------------------------------------------

void CTimeSheet::ApplyRows(int row, int removed, std::span<const FrameRecord> inserted) {
    const int normalBefore = m_cut.CountNormalFrames(0, m_cut.FrameCount());
    const int insertedCount = static_cast<int>(inserted.size());
    m_model->BeginRowsReplaced(row, removed, insertedCount);
    {
        std::lock_guard lock(m_cutMutex);
        const int replaced = std::min(removed, insertedCount);
        for (int i = 0; i < replaced; ++i) {
            m_cut.Frame(row + i) = inserted[static_cast<std::size_t>(i)];
        }
        if (removed > replaced) {
            m_cut.EraseFrames(row + replaced, removed - replaced);
        } else if (insertedCount > replaced) {
            m_cut.InsertFrames(row + replaced,
                               inserted.subspan(static_cast<std::size_t>(replaced)));
        }
    }
    m_model->EndRowsReplaced(row, removed, insertedCount);
    AfterRowCountChange(normalBefore);
    Q_EMIT cutEdited();
}

void CTimeSheet::AfterRowCountChange(int normalBefore) {
    // A rectangle past the last row would make later commands read outside the cut.
    if (!m_selection.IsEmpty() && m_selection.lastRow >= m_cut.FrameCount()) {
        CellRange clipped = m_selection;
        clipped.lastRow = m_cut.FrameCount() - 1;
        SetSelection(clipped.firstRow <= clipped.lastRow ? clipped : CellRange{});
    }
    const int normalAfter = m_cut.CountNormalFrames(0, m_cut.FrameCount());
    if (normalAfter != normalBefore) {
        Q_EMIT normalFrameCountChanged(normalAfter);
    }
}

void CTimeSheet::ApplyCells(std::span<const CellWrite> writes, bool inReverse) {
    if (writes.empty()) {
        return;
    }
    CellRange touched{writes.front().row, writes.front().row, writes.front().slot,
                      writes.front().slot};
    {
        std::lock_guard lock(m_cutMutex);
        auto apply = [&](const CellWrite& write) {
            m_cut.Frame(write.row).cells[write.slot] = write.value;
            touched.firstRow = std::min(touched.firstRow, write.row);
            touched.lastRow = std::max(touched.lastRow, write.row);
            touched.firstColumn = std::min(touched.firstColumn, write.slot);
            touched.lastColumn = std::max(touched.lastColumn, write.slot);
        };
        if (inReverse) {
            std::for_each(writes.rbegin(), writes.rend(), apply);
        } else {
            std::for_each(writes.begin(), writes.end(), apply);
        }
    }
    m_model->CellsChanged(touched);
    Q_EMIT cutEdited();
}

void CTimeSheet::ApplyPartShift(bool insert, int slot) {
    const int oldColumns = m_cut.ColumnCount();
    {
        std::lock_guard lock(m_cutMutex);
        if (insert) {
            InsertPart(m_cut, slot);
        } else {
            DeletePart(m_cut, slot);
        }
    }
    m_model->ColumnsChanged(oldColumns);
    if (!m_selection.IsEmpty() && m_selection.lastColumn >= m_cut.ColumnCount()) {
        CellRange clipped = m_selection;
        clipped.lastColumn = m_cut.ColumnCount() - 1;
        SetSelection(clipped.firstColumn <= clipped.lastColumn ? clipped : CellRange{});
    }
    Q_EMIT cutEdited();
}

void CTimeSheet::ApplyNormalFrameCells(int slot, std::span<const CellRecord> cells) {
    {
        std::lock_guard lock(m_cutMutex);
        SetNormalFrameCells(m_cut, slot, cells);
    }
    m_model->CellsChanged({0, m_cut.FrameCount() - 1, slot, slot});
    Q_EMIT cutEdited();
}

void CTimeSheet::ApplyWholeCut(const Cut& cut) {
    const int normalBefore = m_cut.CountNormalFrames(0, m_cut.FrameCount());
    {
        std::lock_guard lock(m_cutMutex);
        m_cut = cut;
    }
    m_model->Reset();
    if (!m_selection.IsEmpty()) {
        const CellRange clipped = PartRectangle(m_cut, m_selection);
        if (clipped != m_selection || m_selection.lastRow >= m_cut.FrameCount()) {
            SetSelection({});
        }
    }
    if (m_activeRow >= m_cut.FrameCount()) {
        m_activeRow = -1;
    }
    AfterRowCountChange(normalBefore);
    Q_EMIT cutEdited();
}

// ---- Popup commands -------------------------------------------------------------------

bool CTimeSheet::IsCellCommandEnabled(int id, int row) const {
    const bool hit = row >= 0 && row < m_cut.FrameCount();
    switch (id) {
        case kInsertFrame:
        case kInsertFrames:
        case kInsertControlFrame:
            return hit;
        case kDeleteFrame:
        case kDeleteFrames:
            return hit && m_cut.FrameCount() >= 2;
        case kChangeControlFrame:
            return hit && !m_cut.Frame(row).IsNormal();
        case kCopyFrames:
        case kPasteFrames:
        case kAppendFrame:
        case kAppendControlFrame:
            return true;
        case kPlaySelection:
            return !m_selection.IsEmpty() || hit;
        default:
            return false;
    }
}

void CTimeSheet::RunCellCommand(int id, int row) {
    if (!IsCellCommandEnabled(id, row)) {
        return;
    }
    if (id == kPlaySelection) {
        PlaySelection(row);
        return;
    }
    const QString text = EditText(id);
    switch (id) {
        case kInsertFrame:
            InsertRows(row, {NewNormalFrame()}, text);
            break;
        case kDeleteFrame:
            // On a row of the rectangle the whole rectangle's rows go.
            if (!m_selection.IsEmpty() && row >= m_selection.firstRow &&
                row <= m_selection.lastRow) {
                DeleteSelectedRows();
            } else {
                EraseRows(row, 1, text);
            }
            break;
        case kCopyFrames:
            if (m_selection.IsEmpty()) {
                if (m_sheet != nullptr) {
                    m_sheet->SetFrameClipboard({});
                } else {
                    m_ownFrameCopy.clear();
                }
            } else {
                CopySelectedFrames();
            }
            break;
        case kPasteFrames:
            if (row >= 0 && row < m_cut.FrameCount()) {
                InsertRows(row, FrameCopyBuffer(), text);
            }
            break;
        case kInsertFrames:
            if (std::optional<int> count = m_countDialog(this, true)) {
                InsertRows(
                    row,
                    std::vector<FrameRecord>(static_cast<std::size_t>(*count), NewNormalFrame()),
                    text);
            }
            break;
        case kDeleteFrames:
            if (std::optional<int> count = m_countDialog(this, false)) {
                EraseRows(row, ClampedDeleteCount(m_cut, row, *count), text);
            }
            break;
        case kInsertControlFrame:
        case kAppendControlFrame:
            if (m_controlFrameDialog) {
                if (std::optional<ControlBlock> block =
                        m_controlFrameDialog(this, ControlBlock{}, false)) {
                    InsertRows(id == kAppendControlFrame ? m_cut.FrameCount() : row,
                               {NewControlFrame(*block)}, text);
                }
            }
            break;
        case kChangeControlFrame:
            if (m_controlFrameDialog) {
                const FrameRecord& old = m_cut.Frame(row);
                if (std::optional<ControlBlock> block =
                        m_controlFrameDialog(this, old.control, true)) {
                    // The row stays a control frame: parts 0..26 cleared, the copy buffer
                    // slot and the reserved words kept.
                    FrameRecord changed = old;
                    std::fill(changed.cells, changed.cells + kPartCopySlot, CellRecord{});
                    changed.control = *block;
                    changed.control.reserved1 = old.control.reserved1;
                    changed.control.reserved2 = old.control.reserved2;
                    ReplaceRow(row, changed, text);
                }
            }
            break;
        case kAppendFrame:
            AppendRow(NewNormalFrame(), text);
            break;
        default:
            break;
    }
}

bool CTimeSheet::IsHeaderCommandEnabled(int id, int column) const {
    (void)column;
    switch (id) {
        case kInsertPart:
            return CanInsertPart(m_cut);
        case kDeletePart:
            return CanDeletePart(m_cut);
        case kCopyPart:
            return true;
        case kPastePart:
            return m_partCopied;
        default:
            return false;
    }
}

void CTimeSheet::RunHeaderCommand(int id, int column) {
    if (!IsHeaderCommandEnabled(id, column) || column < 0 || column >= m_cut.ColumnCount()) {
        return;  // the menu point lies on no column
    }
    const QString text = EditText(id);
    switch (id) {
        case kInsertPart:
            PushEdit(std::make_unique<PartShiftEdit>(m_sheet, CutIndex(),
                                                     PartShiftEdit::Kind::Insert, column, text));
            break;
        case kDeletePart:
            PushEdit(std::make_unique<PartShiftEdit>(m_sheet, CutIndex(),
                                                     PartShiftEdit::Kind::Delete, column, text));
            break;
        case kCopyPart:
            PushEdit(std::make_unique<PartColumnEdit>(m_sheet, CutIndex(),
                                                      PartColumnEdit::Kind::Copy, column, text));
            break;
        case kPastePart:
            PushEdit(std::make_unique<PartColumnEdit>(m_sheet, CutIndex(),
                                                      PartColumnEdit::Kind::Paste, column, text));
            break;
        default:
            break;
    }
}

void CTimeSheet::OpenCellMenu(const QPoint& globalPosition, int row) {
    const int id = ExecPopup(this, globalPosition, CellPopup(),
                             [this, row](int item) { return IsCellCommandEnabled(item, row); });
    if (id != 0) {
        RunCellCommand(id, row);
    }
}

void CTimeSheet::OpenHeaderMenu(const QPoint& globalPosition, int column) {
    // The part commands, and a switch between slot numbers and slot names in the cells.
    QMenu menu(this);
    for (const PopupItem& item : HeaderPopup().items) {
        QAction* action = menu.addAction(PopupItemLabel(item));
        action->setData(item.id);
        action->setEnabled(IsHeaderCommandEnabled(item.id, column));
    }
    menu.addSeparator();
    QAction* names = menu.addAction(tr("リソース名で表示"));
    names->setCheckable(true);
    names->setChecked(m_model->ShowsSlotNames());
    QAction* chosen = menu.exec(globalPosition);
    if (chosen == names) {
        m_model->SetShowSlotNames(names->isChecked());
    } else if (chosen != nullptr) {
        RunHeaderCommand(chosen->data().toInt(), column);
    }
}

// ---- Selection and painting -----------------------------------------------------------

void CTimeSheet::OnGridPressed(int row, int column, Qt::KeyboardModifiers modifiers) {
    if (!m_rangeMode) {
        if (row < 0 || column < 0) {
            return;
        }
        if (column == 0) {
            // Frame numbers select rows in both modes and never paint.
            const bool extend = modifiers.testFlag(Qt::ShiftModifier) && m_anchorRow >= 0 &&
                                m_anchorRow < m_cut.FrameCount();
            if (!extend) {
                m_anchorRow = row;
                m_anchorColumn = 0;
            }
            m_selection =
                PartRectangle(m_cut, CellRange::Spanning(m_anchorRow, m_anchorColumn, row, 0));
            AnnounceSelection();
            SetActiveRow(row);
            return;
        }
        m_anchorRow = row;
        m_anchorColumn = column;
        SetSelection({row, row, column, column});
        SetActiveRow(row);
        if (column >= 1 && m_cut.Frame(row).IsNormal()) {
            Q_EMIT propertyFieldsEnabled(true);
            Q_EMIT showCell(row, column);
        }
        // One stroke of painting is one step of the history.
        CloseMerge();
        m_painting = true;
        m_lastPaintRow = -1;
        m_lastPaintColumn = -1;
        PaintCell(row, column);
        return;
    }
    m_model->SetHighlight({});
    if (!modifiers.testFlag(Qt::ShiftModifier)) {
        m_dragging = true;
        m_anchorRow = row;
        m_anchorColumn = column;
    }
}

void CTimeSheet::OnGridDragged(int row, int column) {
    if (!m_rangeMode) {
        if (m_painting) {
            PaintCell(row, column);
        }
        return;
    }
    // While dragging, the rectangle being spanned is shown as it grows.
    if (m_dragging && m_anchorRow >= 0 && m_anchorColumn >= 0 && row >= 0 && column >= 0) {
        m_model->SetHighlight(CellRange::Spanning(m_anchorRow, m_anchorColumn, row, column));
    }
}

void CTimeSheet::OnGridReleased(int row, int column, Qt::KeyboardModifiers modifiers) {
    if (!m_rangeMode) {
        m_painting = false;
        CloseMerge();
        return;
    }
    if (row < 0 || column < 0) {
        QApplication::beep();
        m_dragging = false;
        m_model->SetHighlight(m_selection);
        return;
    }
    int startRow = row;
    int startColumn = column;
    const bool anchored = m_anchorRow >= 0 && m_anchorRow < m_cut.FrameCount() &&
                          m_anchorColumn >= 0 && m_anchorColumn < m_cut.ColumnCount();
    if (m_dragging && anchored) {
        startRow = m_anchorRow;
        startColumn = m_anchorColumn;
    } else if (modifiers.testFlag(Qt::ShiftModifier) && anchored) {
        // Shift-click spans from where the rectangle started, frame numbers included.
        startRow = m_anchorRow;
        startColumn = m_anchorColumn;
    } else {
        m_anchorRow = row;
        m_anchorColumn = column;
    }
    m_dragging = false;
    m_selection = PartRectangle(m_cut, CellRange::Spanning(startRow, startColumn, row, column));
    AnnounceSelection();
    SetActiveRow(row);
}

void CTimeSheet::AnnounceSelection() {
    const CellRange& range = m_selection;
    Q_EMIT propertyFieldsEnabled(true);
    if (range.CellCount() > 1) {
        Q_EMIT showCell(range.firstRow, range.firstColumn);
        Q_EMIT tweenEnabled(true);
    } else if (range.CellCount() == 1) {
        if (m_cut.Frame(range.firstRow).IsNormal()) {
            Q_EMIT showCell(range.firstRow, range.firstColumn);
        } else {
            Q_EMIT propertyFieldsEnabled(false);
        }
        Q_EMIT tweenEnabled(false);
    }
    m_model->SetHighlight(range);
    Q_EMIT selectionChanged(range);
}

void CTimeSheet::OnGridKeyMoved(int row, int column, bool extend) {
    if (row < 0 || column < 0 || row >= m_cut.FrameCount() || column >= m_cut.ColumnCount()) {
        return;
    }
    int startRow = row;
    int startColumn = column;
    if (extend && !m_selection.IsEmpty()) {
        // The keyboard's anchor is the corner the rectangle started from.
        startRow = m_anchorRow >= 0 ? m_anchorRow : m_selection.firstRow;
        startColumn = m_anchorColumn >= 0 ? m_anchorColumn : m_selection.firstColumn;
    } else {
        m_anchorRow = row;
        m_anchorColumn = column;
    }
    m_selection = PartRectangle(m_cut, CellRange::Spanning(startRow, startColumn, row, column));
    AnnounceSelection();
    SetActiveRow(row);
}

void CTimeSheet::PaintCell(int row, int column) {
    if (row < 0 || column < 1 || row >= m_cut.FrameCount() ||
        (row == m_lastPaintRow && column == m_lastPaintColumn)) {
        return;
    }
    m_lastPaintRow = row;
    m_lastPaintColumn = column;
    const int slot = m_palette != nullptr ? m_palette->SelectedSlot() : -1;
    if (slot < 0) {
        return;
    }
    std::vector<CellWrite> writes;
    const int rows = PaintedRowCount(m_cut, row, m_limitedUnit);
    for (int r = row; r < row + rows; ++r) {
        CellRecord cell = m_cut.Frame(r).cells[column];
        if (cell.resource != slot) {
            cell.resource = slot;
            writes.push_back({r, column, cell});
        }
    }
    EditCells(writes, tr("リソースの指定"), kPaintMergeKey);
    if (m_cut.Frame(row).IsNormal()) {
        Q_EMIT showCell(row, column);
    }
}

}  // namespace plk
