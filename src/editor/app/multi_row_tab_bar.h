#pragma once

#include <QStringList>
#include <QWidget>
#include <vector>

namespace plk {

// A tab bar that wraps its tabs onto as many rows as its width needs, so every tab stays
// visible without scroll arrows. Rows fill from the top, left to right, in tab order.
class MultiRowTabBar : public QWidget {
    Q_OBJECT
public:
    explicit MultiRowTabBar(QWidget* parent = nullptr);

    int Count() const { return static_cast<int>(m_labels.size()); }
    void InsertTab(int index, const QString& label);
    void RemoveTab(int index);
    QString TabText(int index) const { return m_labels.value(index); }
    void SetTabText(int index, const QString& label);
    // A marked tab carries a dot beside its label (a situation with lines, for example).
    void SetTabMarked(int index, bool marked);
    bool IsTabMarked(int index) const { return m_marked.value(index, false); }

    int CurrentIndex() const { return m_current; }
    // Selects a tab (-1 with no tabs); emits currentChanged when the selection moves.
    void SetCurrentIndex(int index);

    // The tab under a point of this widget; -1 when the point hits no tab.
    int TabAt(const QPoint& point) const;
    QRect TabRect(int index) const;
    int RowCount() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void currentChanged(int index);
    // A right click on the bar: the global position and the tab hit (-1 for none).
    void contextMenuRequested(const QPoint& globalPosition, int tab);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QSize TabSize(int index) const;
    // The rectangle of every tab when the bar is `width` pixels wide.
    std::vector<QRect> LayOut(int width) const;
    void Relayout();

    QStringList m_labels;
    QList<bool> m_marked;
    std::vector<QRect> m_rects;
    int m_current = -1;
};

}  // namespace plk
