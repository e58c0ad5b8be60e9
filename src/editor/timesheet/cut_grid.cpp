#include "editor/timesheet/cut_grid.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "core/timesheet/cut_editing.h"
#include "editor/timesheet/cut_cell_delegate.h"
#include "editor/timesheet/cut_table_model.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_menus.h"

namespace plk {

CutGrid::CutGrid(CTimeSheet* page, CutTableModel* model) : QTableView(page), m_page(page) {
    setModel(model);
    setItemDelegate(new CutCellDelegate(this));
    // The page draws its own rectangle; the view's selection is not used.
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setMouseTracking(true);
    setWordWrap(false);
    verticalHeader()->hide();
    // Uniform rows keep scrolling and row changes independent of the cut's length.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    // Column 0 is wide enough for the longest command label and can be widened by hand.
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    horizontalHeader()->resizeSection(
        0, std::max(kColumnWidth, fontMetrics().horizontalAdvance(QStringLiteral("CHARGESTACK")) +
                                      2 * fontMetrics().averageCharWidth()));
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    for (auto signal :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
          &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved}) {
        connect(model, signal, this, [this] { RefreshSpans(); });
    }
    connect(model, &QAbstractItemModel::modelReset, this, [this] { RefreshSpans(); });
    connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from) {
        if (from.column() == 0) {
            RefreshSpans();  // a row may have become a control frame
        }
    });
    RefreshSpans();
    connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& point) {
                m_page->OpenHeaderMenu(horizontalHeader()->mapToGlobal(point),
                                       horizontalHeader()->logicalIndexAt(point));
            });
}

void CutGrid::RefreshSpans() {
    clearSpans();
    auto* cuts = static_cast<CutTableModel*>(model());
    const int columns = cuts->columnCount();
    if (columns < 3) {
        return;
    }
    const Cut& cut = m_page->GetCut();
    for (int row = 0; row < cut.FrameCount() && row < cuts->rowCount(); ++row) {
        if (!cut.Frame(row).IsNormal()) {
            setSpan(row, 1, 1, columns - 1);
        }
    }
}

std::pair<int, int> CutGrid::CellAt(const QPoint& point) const {
    const QModelIndex index = indexAt(point);
    if (!index.isValid()) {
        return {-1, -1};
    }
    return {index.row(), index.column()};
}

std::pair<int, int> CutGrid::ClampedCellAt(const QPoint& point) const {
    auto cell = CellAt(point);
    if (cell.first >= 0) {
        return cell;
    }
    const int rows = model()->rowCount();
    const int columns = model()->columnCount();
    if (rows == 0 || columns < 2) {
        return cell;
    }
    const int firstRow = std::max(rowAt(0), 0);
    int lastRow = rowAt(viewport()->height() - 1);
    if (lastRow < 0) {
        lastRow = rows - 1;
    }
    const QRect first = visualRect(model()->index(firstRow, 1));
    const QRect last = visualRect(model()->index(lastRow, columns - 1));
    const QRect visible = first.united(last).adjusted(2, 2, -2, -2);
    const QPoint clamped(std::clamp(point.x(), visible.left(), visible.right()),
                         std::clamp(point.y(), visible.top(), visible.bottom()));
    return CellAt(clamped);
}

void CutGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_leftDown = true;
    const auto [row, column] = CellAt(event->position().toPoint());
    if (row >= 0) {
        setCurrentIndex(model()->index(row, column));
    }
    m_page->OnGridPressed(row, column, event->modifiers());
    event->accept();
}

void CutGrid::mouseMoveEvent(QMouseEvent* event) {
    if (m_leftDown && event->buttons().testFlag(Qt::LeftButton)) {
        const QPoint point = event->position().toPoint();
        // Dragging past the top or bottom edge scrolls on, a row per move, and goes on
        // with the row that comes into view.
        const bool above = point.y() < 0;
        const bool below = point.y() >= viewport()->height();
        if (above || below) {
            verticalScrollBar()->setValue(verticalScrollBar()->value() + (above ? -1 : 1));
        }
        const auto [row, column] = above || below ? ClampedCellAt(point) : CellAt(point);
        m_page->OnGridDragged(row, column);
    }
    event->accept();
}

void CutGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_leftDown) {
        QTableView::mouseReleaseEvent(event);
        return;
    }
    m_leftDown = false;
    const auto [row, column] = ClampedCellAt(event->position().toPoint());
    m_page->OnGridReleased(row, column, event->modifiers());
    event->accept();
}

void CutGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // A second click is another click, as far as the rectangle is concerned.
    mousePressEvent(event);
}

void CutGrid::contextMenuEvent(QContextMenuEvent* event) {
    m_page->OpenCellMenu(event->globalPos(), CellAt(event->pos()).first);
    event->accept();
}

void CutGrid::keyPressEvent(QKeyEvent* event) {
    using namespace timesheet_command;
    const QModelIndex current = currentIndex();
    const int row = current.isValid() ? current.row() : -1;
    if (event->matches(QKeySequence::Copy)) {
        m_page->CopySelectedFrames();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        m_page->CutSelectedFrames();
        return;
    }
    // Frame stepping, as in the preview: , and . the previous and next normal frame, Home
    // and End the first and last, Ctrl+Left and Ctrl+Right the control frames.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        switch (event->key()) {
            case Qt::Key_Comma:
                m_page->Step(FrameStep::PreviousNormal);
                return;
            case Qt::Key_Period:
                m_page->Step(FrameStep::NextNormal);
                return;
            case Qt::Key_Home:
                m_page->Step(FrameStep::FirstNormal);
                return;
            case Qt::Key_End:
                m_page->Step(FrameStep::LastNormal);
                return;
            default:
                break;
        }
    }
    if (modifiers == Qt::ControlModifier &&
        (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        m_page->Step(event->key() == Qt::Key_Left ? FrameStep::PreviousControl
                                                  : FrameStep::NextControl);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        m_page->RunCellCommand(kPasteFrames, row);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Insert:
            if (event->modifiers() == Qt::NoModifier) {
                m_page->RunCellCommand(kInsertFrame, row);
                return;
            }
            break;
        case Qt::Key_Delete:
            if (event->modifiers() == Qt::NoModifier) {
                // Every row of the rectangle goes, as one step.
                m_page->DeleteSelectedRows();
                return;
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End: {
            QTableView::keyPressEvent(event);
            const QModelIndex moved = currentIndex();
            if (moved.isValid() && moved != current) {
                m_page->OnGridKeyMoved(moved.row(), moved.column(),
                                       event->modifiers().testFlag(Qt::ShiftModifier));
            }
            return;
        }
        default:
            break;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace plk
