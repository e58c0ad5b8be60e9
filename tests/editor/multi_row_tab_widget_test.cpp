#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>

#include "editor/app/multi_row_tab_bar.h"
#include "editor/app/multi_row_tab_widget.h"

namespace plk {
namespace {

TEST(MultiRowTabWidgetTest, EveryTabStaysVisibleOnRowsAndHitTestsFindThem) {
    MultiRowTabWidget tabs;
    for (int i = 0; i < 16; ++i) {
        tabs.AddTab(new QLabel(&tabs), QStringLiteral("カット：%1").arg(i + 1));
    }
    tabs.resize(300, 400);
    tabs.show();
    MultiRowTabBar* bar = tabs.TabBar();
    EXPECT_GT(bar->RowCount(), 1);
    EXPECT_EQ(bar->height(), bar->heightForWidth(bar->width()));
    for (int i = 0; i < tabs.Count(); ++i) {
        const QRect rect = bar->TabRect(i);
        EXPECT_TRUE(bar->rect().contains(rect)) << i;
        EXPECT_EQ(bar->TabAt(rect.center()), i);
    }
    EXPECT_EQ(bar->TabAt(QPoint(bar->width() - 1, bar->height() - 1)), -1);

    // Wider, the same tabs need fewer rows.
    const int narrowRows = bar->RowCount();
    tabs.resize(1600, 400);
    EXPECT_LT(bar->RowCount(), narrowRows);
}

TEST(MultiRowTabWidgetTest, PagesFollowTheSelectionThroughRemovals) {
    MultiRowTabWidget tabs;
    std::vector<QWidget*> pages;
    for (int i = 0; i < 3; ++i) {
        pages.push_back(new QLabel(&tabs));
        tabs.AddTab(pages.back(), QString::number(i));
    }
    EXPECT_EQ(tabs.CurrentIndex(), 0);
    QSignalSpy changes(&tabs, &MultiRowTabWidget::currentChanged);
    tabs.SetCurrentIndex(2);
    EXPECT_EQ(tabs.CurrentPage(), pages[2]);

    EXPECT_EQ(tabs.RemoveTab(2), pages[2]);
    EXPECT_EQ(tabs.CurrentIndex(), 1);
    EXPECT_EQ(tabs.CurrentPage(), pages[1]);
    EXPECT_EQ(tabs.RemoveTab(0), pages[0]);
    EXPECT_EQ(tabs.CurrentIndex(), 0);
    EXPECT_EQ(tabs.CurrentPage(), pages[1]);
    EXPECT_EQ(changes.count(), 2);
    delete pages[0];
    delete pages[2];
}

}  // namespace
}  // namespace plk
