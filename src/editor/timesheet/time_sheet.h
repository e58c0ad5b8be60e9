#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "core/timesheet/cell_range.h"
#include "core/timesheet/cut.h"
#include "core/timesheet/frame_steps.h"
#include "editor/timesheet/cut_edits.h"

class QPushButton;
class QToolButton;
class QScrollArea;
class QHBoxLayout;
class QMenu;

namespace plk {

class CellPropertiesPanel;
class CPlaybackControls;
class CResourcePalette;
class CTimeSheetBase;
class CutGrid;
class CutTableModel;
class MessageBoxes;

// One cut's page of the time sheet: its frames (the page owns the cut), the grid, the
// selection rectangle, the copy buffers, and the part and frame commands of its popups.
// Every change of the cut is an undoable edit on the project's history.
class CTimeSheet : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGridId = 1002;
    static constexpr int kModeCheckId = 1075;

    // Opens the control-frame dialog with `initial` (the row's block when `change` is set);
    // nothing when the author cancels.
    using ControlFrameDialog = std::function<std::optional<ControlBlock>(
        QWidget*, const ControlBlock& initial, bool change)>;
    // Asks the count of frames to insert (`insert`) or delete; nothing on cancel.
    using CountDialog = std::function<std::optional<int>(QWidget*, bool insert)>;

    CTimeSheet(CTimeSheetBase* sheet, CResourcePalette* palette, Cut cut);
    ~CTimeSheet() override;

    // The cut as the page holds it. Read it on the UI thread; other threads copy what they
    // need while holding CutMutex(), which every change of the cut holds too.
    const Cut& GetCut() const { return m_cut; }
    std::mutex& CutMutex() const { return m_cutMutex; }
    int CutIndex() const;
    CTimeSheetBase* Sheet() const { return m_sheet; }
    CResourcePalette* Palette() const;
    MessageBoxes& Boxes() const;

    // The selection rectangle (empty before the first click).
    const CellRange& Selection() const { return m_selection; }
    void SetSelection(const CellRange& range);
    // Rows painted at once with the palette's selected resource.
    int LimitedUnit() const { return m_limitedUnit; }
    void SetLimitedUnit(int unit) { m_limitedUnit = unit; }
    bool IsRangeMode() const { return m_rangeMode; }
    void SetRangeMode(bool on);
    bool PartCopied() const { return m_partCopied; }
    // The frames copied last, on this page or another: one clipboard for the whole sheet.
    const std::vector<FrameRecord>& FrameCopyBuffer() const;

    // The row the author last chose (click, keys, a step); -1 before any. The preview shows
    // its frame.
    int ActiveRow() const { return m_activeRow; }
    // Selects row `row` whole, as a click on its frame number does, and shows its frame.
    void SelectRow(int row);
    // Moves to the row a step from the chosen row lands on; false when there is none.
    bool Step(FrameStep step);
    // Brings the page and `range` into view and selects it: undo and redo show what they
    // changed.
    void Reveal(const CellRange& range);
    // The frame commands of the Edit menu and the toolbar on the selected rows. Copy and cut
    // need a selection, paste frames in the clipboard and a row to insert before.
    bool CanCopyFrames() const;
    bool CanPasteFrames() const;
    void CopySelectedFrames();
    void CutSelectedFrames();
    void PasteFramesAtSelection();
    // Delete (the key, and the popup's delete on a row of the rectangle): every selected
    // row goes as one step; the sheet keeps at least one row.
    void DeleteSelectedRows();

    // Where the property groups and the playback controls stand, above the grid.
    QHBoxLayout* UpperLayout() const { return m_upper; }
    // The strip that holds them; hidden while the sheet's fields are folded away.
    QWidget* FieldsArea() const;
    // The toggle beside the mode button that folds them away and back.
    QToolButton* FoldButton() const { return m_foldButton; }
    CutGrid* Grid() const { return m_grid; }
    // The playback controls of the page (speed, frame slider, the four buttons).
    CPlaybackControls* Playback() const { return m_playback; }
    CutTableModel* Model() const { return m_model.get(); }
    // Groups "セルの情報" and "設定": the cell fields and the tween.
    CellPropertiesPanel* Properties() const { return m_properties; }

    // Undoable edits of the cut. Cells edited with the same non-zero merge key merge into one
    // step until CloseMerge().
    void EditCells(std::span<const CellWrite> changes, const QString& text, int mergeKey = 0);
    void CloseMerge() { ++m_mergeSerial; }
    void InsertRows(int row, std::vector<FrameRecord> records, const QString& text);
    void ReplaceRow(int row, const FrameRecord& record, const QString& text);
    void AppendRow(const FrameRecord& record, const QString& text);
    void EraseRows(int row, int count, const QString& text);

    // The popup commands by their menu ids: cell popup 146..149, 153, 154, 222..225 at row
    // `row` (-1 when the click hit no row); header popup 142..145 at grid column `column`.
    bool IsCellCommandEnabled(int id, int row) const;
    void RunCellCommand(int id, int row);
    // "選択範囲を再生" (also Ctrl+Shift+P): the selection's rows, or the row under the
    // popup without one, as a simple playback.
    void PlaySelection(int fallbackRow);
    bool IsHeaderCommandEnabled(int id, int column) const;
    void RunHeaderCommand(int id, int column);

    void SetControlFrameDialog(ControlFrameDialog dialog) {
        m_controlFrameDialog = std::move(dialog);
    }
    void SetCountDialog(CountDialog dialog) { m_countDialog = std::move(dialog); }

    // Applies a change without recording it; the edits call these when done and undone.
    void ApplyRows(int row, int removed, std::span<const FrameRecord> inserted);
    void ApplyCells(std::span<const CellWrite> writes, bool inReverse);
    void ApplyPartShift(bool insert, int slot);
    void ApplyNormalFrameCells(int slot, std::span<const CellRecord> cells);
    // The cut replaced whole, its part columns included (a cut pasted over this one).
    void ApplyWholeCut(const Cut& cut);
    void SetPartCopied(bool copied) { m_partCopied = copied; }

    // Selection by the grid's mouse, in grid cells (-1 for none): see the .cpp.
    void OnGridPressed(int row, int column, Qt::KeyboardModifiers modifiers);
    void OnGridDragged(int row, int column);
    void OnGridReleased(int row, int column, Qt::KeyboardModifiers modifiers);
    void OnGridKeyMoved(int row, int column, bool extend);

    // The popups at a point of the grid (a row or column of -1: the point hit none).
    void OpenCellMenu(const QPoint& globalPosition, int row);
    void OpenHeaderMenu(const QPoint& globalPosition, int column);

    // A stop request for command playback, raised when the page is hidden by a tab change.
    void RequestCommandPlaybackStop() { Q_EMIT commandPlaybackStopRequested(); }
    // Stops any playback of the page and waits until it has ended (before the page goes).
    void StopPlaybackAndWait() { Q_EMIT playbackMustEnd(); }

Q_SIGNALS:
    // The property fields show cell (row, column).
    void showCell(int row, int column);
    void propertyFieldsEnabled(bool enabled);
    void tweenEnabled(bool enabled);
    void selectionChanged(const CellRange& range);
    // The author chose row `row` (see ActiveRow).
    void activeRowChanged(int row);
    // The cut changed (an edit, an undo or a redo): the frame on show is drawn again.
    void cutEdited();
    // The number of normal frames changed: the frame slider's range is 1..count.
    void normalFrameCountChanged(int count);
    void commandPlaybackStopRequested();
    // The palette's selected slot changed (the thumbnail shows the new selection).
    void paletteSelectionChanged(int slot);
    void playbackMustEnd();

private:
    void BuildLayout();
    void ShowFieldsFolded(bool folded);
    void PaintCell(int row, int column);
    void AnnounceSelection();
    void AfterRowCountChange(int normalBefore);
    void PushEdit(std::unique_ptr<QUndoCommand> edit);
    void SetActiveRow(int row);
    // The rows of the rectangle, or the chosen row when there is none: {first, count}.
    std::pair<int, int> SelectedRows() const;

    CTimeSheetBase* m_sheet;
    QPointer<CResourcePalette> m_palette;  // goes before the pages when the frame closes
    Cut m_cut;
    mutable std::mutex m_cutMutex;
    std::unique_ptr<CutTableModel> m_model;
    CutGrid* m_grid = nullptr;
    QPushButton* m_modeCheck = nullptr;
    QToolButton* m_foldButton = nullptr;
    QScrollArea* m_upperScroll = nullptr;
    QHBoxLayout* m_upper = nullptr;
    CPlaybackControls* m_playback = nullptr;
    CellPropertiesPanel* m_properties = nullptr;

    CellRange m_selection;
    bool m_rangeMode = false;
    bool m_dragging = false;
    int m_anchorRow = -1;
    int m_anchorColumn = -1;
    bool m_painting = false;
    int m_lastPaintRow = -1;
    int m_lastPaintColumn = -1;
    int m_paintStroke = 0;
    int m_mergeSerial = 0;
    int m_limitedUnit = 1;
    bool m_partCopied = false;
    int m_activeRow = -1;
    std::vector<FrameRecord> m_ownFrameCopy;  // the clipboard of a page without a sheet

    ControlFrameDialog m_controlFrameDialog;
    CountDialog m_countDialog;
};

}  // namespace plk
