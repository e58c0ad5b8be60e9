#pragma once

#include <QWidget>

class QStackedWidget;

namespace plk {

class MultiRowTabBar;

// Pages under a multi-row tab bar: the tab control of a tool window whose tabs must all
// stay visible (cuts, situations). The widget does not own the pages' lifetime beyond
// Qt's parenting: RemoveTab hands the page back to the caller.
class MultiRowTabWidget : public QWidget {
    Q_OBJECT
public:
    explicit MultiRowTabWidget(QWidget* parent = nullptr);

    int AddTab(QWidget* page, const QString& label);
    void InsertTab(int index, QWidget* page, const QString& label);
    // Takes the page out (it is not deleted); the selection stays on a remaining tab.
    QWidget* RemoveTab(int index);
    int Count() const;
    QWidget* Page(int index) const;
    int IndexOf(QWidget* page) const;

    int CurrentIndex() const;
    QWidget* CurrentPage() const;
    void SetCurrentIndex(int index);

    QString TabText(int index) const;
    void SetTabText(int index, const QString& label);
    void SetTabMarked(int index, bool marked);
    bool IsTabMarked(int index) const;

    // The next (`step` 1) or previous (-1) tab, round from the last to the first. The
    // window's Ctrl+Tab / Ctrl+PageDown and Ctrl+Shift+Tab / Ctrl+PageUp do this.
    void SelectNeighbour(int step);

    MultiRowTabBar* TabBar() const { return m_bar; }

Q_SIGNALS:
    void currentChanged(int index);
    void tabContextMenuRequested(const QPoint& globalPosition, int tab);

private:
    MultiRowTabBar* m_bar;
    QStackedWidget* m_pages;
};

}  // namespace plk
