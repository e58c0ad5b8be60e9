#pragma once

#include <QTableView>

namespace plk {

class CTimeSheet;
class CutTableModel;

// The time-sheet grid (control 1002): reports presses, drags, releases, right clicks and
// keys to its page, which owns the selection and the edits.
class CutGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int kColumnWidth = 48;

    CutGrid(CTimeSheet* page, CutTableModel* model);
    CTimeSheet* Page() const { return m_page; }

    // The cell under a point of the viewport; (-1, -1) when it hits none.
    std::pair<int, int> CellAt(const QPoint& point) const;
    // As CellAt, but a point outside the cells is first moved 2 pixels inside the visible
    // part cells, so a release beside the grid still ends on a cell.
    std::pair<int, int> ClampedCellAt(const QPoint& point) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A control row's cell 1 spans the part columns, so its message and values read whole.
    void RefreshSpans();

    CTimeSheet* m_page;
    bool m_leftDown = false;
};

}  // namespace plk
