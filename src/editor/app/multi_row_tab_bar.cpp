#include "editor/app/multi_row_tab_bar.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <algorithm>

namespace plk {
namespace {

constexpr int kHorizontalPadding = 10;
constexpr int kVerticalPadding = 5;
constexpr int kMinimumTabWidth = 36;

}  // namespace

MultiRowTabBar::MultiRowTabBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
}

void MultiRowTabBar::InsertTab(int index, const QString& label) {
    index = std::clamp(index, 0, Count());
    m_labels.insert(index, label);
    m_marked.insert(index, false);
    if (m_current >= index) {
        ++m_current;
    }
    Relayout();
    if (m_current < 0) {
        SetCurrentIndex(0);
    }
}

void MultiRowTabBar::RemoveTab(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    m_labels.removeAt(index);
    m_marked.removeAt(index);
    Relayout();
    if (index < m_current) {
        --m_current;
    } else if (index == m_current) {
        // The selection falls back to the tab before the removed one, as a tab control does.
        m_current = -1;
        SetCurrentIndex(Count() == 0 ? -1 : std::max(0, index - 1));
        return;
    }
    update();
}

void MultiRowTabBar::SetTabText(int index, const QString& label) {
    if (index < 0 || index >= Count() || m_labels[index] == label) {
        return;
    }
    m_labels[index] = label;
    Relayout();
}

void MultiRowTabBar::SetTabMarked(int index, bool marked) {
    if (index < 0 || index >= Count() || m_marked[index] == marked) {
        return;
    }
    m_marked[index] = marked;
    update(TabRect(index));
}

void MultiRowTabBar::SetCurrentIndex(int index) {
    if (index < -1 || index >= Count() || index == m_current) {
        return;
    }
    m_current = index;
    update();
    Q_EMIT currentChanged(index);
}

int MultiRowTabBar::TabAt(const QPoint& point) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_rects[static_cast<std::size_t>(i)].contains(point)) {
            return i;
        }
    }
    return -1;
}

QRect MultiRowTabBar::TabRect(int index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    return m_rects[static_cast<std::size_t>(index)];
}

int MultiRowTabBar::RowCount() const {
    int rows = 0;
    int lastTop = -1;
    for (const QRect& rect : m_rects) {
        if (rect.top() != lastTop) {
            ++rows;
            lastTop = rect.top();
        }
    }
    return rows;
}

QSize MultiRowTabBar::TabSize(int index) const {
    const QFontMetrics metrics = fontMetrics();
    QStyleOptionTab option;
    option.initFrom(this);
    option.text = m_labels[index];
    option.shape = QTabBar::RoundedNorth;
    // The style adds its own margins around the label, as it does for a QTabBar.
    const int space = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    const QSize content(metrics.horizontalAdvance(m_labels[index]) + space + kHorizontalPadding,
                        metrics.height() + 2 * kVerticalPadding);
    const QSize size = style()->sizeFromContents(QStyle::CT_TabBarTab, &option, content, this);
    return {std::max(kMinimumTabWidth, size.width()), size.height()};
}

std::vector<QRect> MultiRowTabBar::LayOut(int width) const {
    std::vector<QRect> rects;
    rects.reserve(static_cast<std::size_t>(Count()));
    int x = 0;
    int y = 0;
    for (int i = 0; i < Count(); ++i) {
        const QSize size = TabSize(i);
        if (x > 0 && x + size.width() > width) {
            x = 0;
            y += size.height();
        }
        rects.emplace_back(QPoint(x, y), size);
        x += size.width();
    }
    return rects;
}

int MultiRowTabBar::heightForWidth(int width) const {
    const std::vector<QRect> rects = LayOut(width);
    if (rects.empty()) {
        return fontMetrics().height() + 2 * kVerticalPadding;
    }
    return rects.back().bottom() + 1;
}

QSize MultiRowTabBar::sizeHint() const {
    int width = 0;
    for (int i = 0; i < Count(); ++i) {
        width += TabSize(i).width();
    }
    const int hintWidth = std::max(width, 100);
    return {hintWidth, heightForWidth(this->width() > 0 ? this->width() : hintWidth)};
}

QSize MultiRowTabBar::minimumSizeHint() const {
    return {kMinimumTabWidth, heightForWidth(width() > 0 ? width() : kMinimumTabWidth)};
}

void MultiRowTabBar::Relayout() {
    m_rects = LayOut(width());
    const int height = heightForWidth(width());
    if (minimumHeight() != height || maximumHeight() != height) {
        setFixedHeight(height);
    }
    updateGeometry();
    update();
}

void MultiRowTabBar::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    for (int i = 0; i < Count(); ++i) {
        QStyleOptionTab option;
        option.initFrom(this);
        option.rect = m_rects[static_cast<std::size_t>(i)];
        option.text = m_labels[i];
        option.shape = QTabBar::RoundedNorth;
        option.position = QStyleOptionTab::Middle;
        option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        if (i == m_current) {
            option.state |= QStyle::State_Selected;
        }
        painter.drawControl(QStyle::CE_TabBarTab, option);
        if (m_marked[i]) {
            // The dot sits in the padding right of the label, so marking moves no tab.
            const QRect& rect = option.rect;
            const int diameter = std::max(4, kHorizontalPadding / 2 + 1);
            const QPoint centre(rect.right() - kHorizontalPadding / 2 - 2, rect.center().y());
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(32, 120, 200));
            painter.drawEllipse(centre, diameter / 2, diameter / 2);
            painter.restore();
        }
    }
}

void MultiRowTabBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const int tab = TabAt(event->position().toPoint());
        if (tab >= 0) {
            SetCurrentIndex(tab);
        }
    }
    QWidget::mousePressEvent(event);
}

void MultiRowTabBar::contextMenuEvent(QContextMenuEvent* event) {
    Q_EMIT contextMenuRequested(event->globalPos(), TabAt(event->pos()));
    event->accept();
}

void MultiRowTabBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void MultiRowTabBar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        Relayout();
    }
}

}  // namespace plk
