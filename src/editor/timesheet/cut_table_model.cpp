#include "editor/timesheet/cut_table_model.h"

#include <QApplication>
#include <QPalette>

#include "core/text/sjis.h"
#include "core/timesheet/cut_editing.h"
#include "editor/app/qt_text.h"
#include "editor/timesheet/cell_tooltip.h"
#include "editor/timesheet/control_command_names.h"

namespace plk {

CutTableModel::CutTableModel(const Cut& cut, QObject* parent)
    : QAbstractTableModel(parent), m_cut(cut), m_shownColumns(cut.ColumnCount()) {}

int CutTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cut.FrameCount();
}

int CutTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shownColumns;
}

QString CutTableModel::CellText(int row, int column) const {
    const FrameRecord& frame = m_cut.Frame(row);
    if (frame.IsNormal()) {
        const int number = column == 0 ? FrameNumber(row) : frame.cells[column].resource;
        if (column > 0 && m_showNames && m_slotNames && number > 0) {
            if (const QString name = m_slotNames(number); !name.isEmpty()) {
                return QStringLiteral(" %1 ").arg(name);
            }
        }
        return QString::asprintf(" %3d ", number);
    }
    const ControlBlock& control = frame.control;
    switch (column) {
        case 0:
            return QString::fromLatin1(ControlCommandLabel(control.command));
        case 1: {
            // The row says what it does: its message and what its values mean (the grid
            // spans this cell over the part columns).
            QString text = QStringFromSjis(FieldText(control.message));
            const QString values = ControlValuesDisplayText(control);
            if (!values.isEmpty()) {
                text = text.isEmpty() ? values : QStringLiteral("%1  ｜  %2").arg(text, values);
            }
            return QStringLiteral(" %1 ").arg(text);
        }
        case 2:
            return QString::asprintf(" %d ", control.position);
        case 3:
            return QString::asprintf(" %d ", control.time);
        case 4:
            return QString::asprintf(" %d ", control.reserved2);
        default:
            return {};
    }
}

int CutTableModel::FrameNumber(int row) const {
    if (row >= m_numbersValidUntil) {
        m_normalBefore.resize(static_cast<std::size_t>(m_cut.FrameCount()) + 1);
        int count = m_numbersValidUntil == 0
                        ? 0
                        : m_normalBefore[static_cast<std::size_t>(m_numbersValidUntil)];
        for (int r = m_numbersValidUntil; r <= row; ++r) {
            m_normalBefore[static_cast<std::size_t>(r)] = count;
            count += m_cut.Frame(r).IsNormal() ? 1 : 0;
        }
        m_normalBefore[static_cast<std::size_t>(row) + 1] = count;
        m_numbersValidUntil = row + 1;
    }
    return m_normalBefore[static_cast<std::size_t>(row)] + 1;
}

QVariant CutTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_cut.FrameCount()) {
        return {};
    }
    const bool highlighted = m_highlight.Contains(index.row(), index.column());
    switch (role) {
        case Qt::DisplayRole:
            return CellText(index.row(), index.column());
        case Qt::BackgroundRole:
            if (highlighted) {
                return QApplication::palette().brush(QPalette::Highlight);
            }
            if (!m_cut.Frame(index.row()).IsNormal()) {
                return QApplication::palette().brush(QPalette::AlternateBase);
            }
            return {};
        case Qt::ToolTipRole: {
            // A part cell of a normal frame tells its values; a control row its command,
            // what its values mean and its whole message.
            const FrameRecord& frame = m_cut.Frame(index.row());
            if (index.column() >= 1 && index.column() < kCellSlots && frame.IsNormal()) {
                return CellToolTip(frame.cells[index.column()]);
            }
            if (!frame.IsNormal()) {
                QString tip = QString::fromLatin1(ControlCommandLabel(frame.control.command));
                const QString values = ControlValuesDisplayText(frame.control);
                if (!values.isEmpty()) {
                    tip += QLatin1Char('\n') + values;
                }
                const QString message = QStringFromSjis(FieldText(frame.control.message));
                if (!message.isEmpty()) {
                    tip += QLatin1Char('\n') + message;
                }
                return tip;
            }
            return {};
        }
        case Qt::ForegroundRole:
            return highlighted ? QApplication::palette().brush(QPalette::HighlightedText)
                               : QVariant();
        default:
            return {};
    }
}

QVariant CutTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section;
    }
    // Column 0 has an empty heading; part c is headed by the letter of code 64 + c.
    return section == 0 ? QString() : QString(QChar(64 + section));
}

void CutTableModel::SetHighlight(const CellRange& range) {
    if (range == m_highlight) {
        return;
    }
    const CellRange old = m_highlight;
    m_highlight = range;
    for (const CellRange& r : {old, range}) {
        if (!r.IsEmpty() && r.firstRow < rowCount() && r.firstColumn < columnCount()) {
            const int lastRow = std::min(r.lastRow, rowCount() - 1);
            const int lastColumn = std::min(r.lastColumn, columnCount() - 1);
            Q_EMIT dataChanged(index(r.firstRow, r.firstColumn), index(lastRow, lastColumn),
                               {Qt::BackgroundRole, Qt::ForegroundRole});
        }
    }
}

void CutTableModel::BeginRowsReplaced(int row, int removed, int inserted) {
    m_numbersValidUntil = std::min(m_numbersValidUntil, std::max(row, 0));
    if (removed == inserted) {
        return;
    }
    if (removed > inserted) {
        beginRemoveRows({}, row + inserted, row + removed - 1);
    } else {
        beginInsertRows({}, row + removed, row + inserted - 1);
    }
}

void CutTableModel::EndRowsReplaced(int row, int removed, int inserted) {
    if (removed > inserted) {
        endRemoveRows();
    } else if (inserted > removed) {
        endInsertRows();
    }
    RowsChangedFrom(row);
}

void CutTableModel::RowsChangedFrom(int row) {
    m_numbersValidUntil = std::min(m_numbersValidUntil, std::max(row, 0));
    if (row < rowCount() && columnCount() > 0) {
        Q_EMIT dataChanged(index(row, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

void CutTableModel::CellsChanged(const CellRange& range) {
    if (range.IsEmpty() || range.firstRow >= rowCount() || range.firstColumn >= columnCount()) {
        return;
    }
    Q_EMIT dataChanged(index(range.firstRow, range.firstColumn),
                       index(std::min(range.lastRow, rowCount() - 1),
                             std::min(range.lastColumn, columnCount() - 1)));
}

void CutTableModel::ColumnsChanged(int oldColumnCount) {
    const int columns = m_cut.ColumnCount();
    if (columns > oldColumnCount) {
        beginInsertColumns({}, oldColumnCount, columns - 1);
        m_shownColumns = columns;
        endInsertColumns();
    } else if (columns < oldColumnCount) {
        beginRemoveColumns({}, columns, oldColumnCount - 1);
        m_shownColumns = columns;
        endRemoveColumns();
    }
    RowsChangedFrom(0);
}

void CutTableModel::SetShowSlotNames(bool shown) {
    if (shown == m_showNames) {
        return;
    }
    m_showNames = shown;
    RowsChangedFrom(0);
}

void CutTableModel::Reset() {
    beginResetModel();
    m_numbersValidUntil = 0;
    m_shownColumns = m_cut.ColumnCount();
    endResetModel();
}

}  // namespace plk
