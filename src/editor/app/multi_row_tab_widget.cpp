#include "editor/app/multi_row_tab_widget.h"

#include <QKeySequence>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/app/multi_row_tab_bar.h"

namespace plk {

MultiRowTabWidget::MultiRowTabWidget(QWidget* parent)
    : QWidget(parent), m_bar(new MultiRowTabBar(this)), m_pages(new QStackedWidget(this)) {
    m_pages->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_pages, 1);
    connect(m_bar, &MultiRowTabBar::currentChanged, this, [this](int index) {
        if (index >= 0) {
            m_pages->setCurrentIndex(index);
        }
        Q_EMIT currentChanged(index);
    });
    connect(m_bar, &MultiRowTabBar::contextMenuRequested, this,
            &MultiRowTabWidget::tabContextMenuRequested);

    // Wherever the focus is in the tool window, as tab controls and browsers do.
    const QKeySequence next[] = {QKeySequence(Qt::CTRL | Qt::Key_Tab),
                                 QKeySequence(Qt::CTRL | Qt::Key_PageDown)};
    const QKeySequence previous[] = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::Key_PageUp)};
    for (const QKeySequence& keys : next) {
        auto* shortcut = new QShortcut(keys, this, this, [this] { SelectNeighbour(1); });
        shortcut->setContext(Qt::WindowShortcut);
    }
    for (const QKeySequence& keys : previous) {
        auto* shortcut = new QShortcut(keys, this, this, [this] { SelectNeighbour(-1); });
        shortcut->setContext(Qt::WindowShortcut);
    }
}

void MultiRowTabWidget::SelectNeighbour(int step) {
    const int count = Count();
    if (count == 0) {
        return;
    }
    const int current = std::max(0, CurrentIndex());
    SetCurrentIndex(((current + step) % count + count) % count);
}

void MultiRowTabWidget::SetTabMarked(int index, bool marked) {
    m_bar->SetTabMarked(index, marked);
}

bool MultiRowTabWidget::IsTabMarked(int index) const {
    return m_bar->IsTabMarked(index);
}

int MultiRowTabWidget::AddTab(QWidget* page, const QString& label) {
    InsertTab(Count(), page, label);
    return Count() - 1;
}

void MultiRowTabWidget::InsertTab(int index, QWidget* page, const QString& label) {
    // The page goes in first, so a selection change caused by the new tab finds it.
    const int current = m_bar->CurrentIndex();
    m_pages->insertWidget(index, page);
    m_bar->InsertTab(index, label);
    if (current >= 0) {
        m_pages->setCurrentIndex(m_bar->CurrentIndex());
    }
}

QWidget* MultiRowTabWidget::RemoveTab(int index) {
    QWidget* page = m_pages->widget(index);
    if (page == nullptr) {
        return nullptr;
    }
    m_pages->removeWidget(page);
    m_bar->RemoveTab(index);
    if (m_bar->CurrentIndex() >= 0) {
        m_pages->setCurrentIndex(m_bar->CurrentIndex());
    }
    return page;
}

int MultiRowTabWidget::Count() const {
    return m_bar->Count();
}

QWidget* MultiRowTabWidget::Page(int index) const {
    return m_pages->widget(index);
}

int MultiRowTabWidget::IndexOf(QWidget* page) const {
    return m_pages->indexOf(page);
}

int MultiRowTabWidget::CurrentIndex() const {
    return m_bar->CurrentIndex();
}

QWidget* MultiRowTabWidget::CurrentPage() const {
    return Page(CurrentIndex());
}

void MultiRowTabWidget::SetCurrentIndex(int index) {
    m_bar->SetCurrentIndex(index);
}

QString MultiRowTabWidget::TabText(int index) const {
    return m_bar->TabText(index);
}

void MultiRowTabWidget::SetTabText(int index, const QString& label) {
    m_bar->SetTabText(index, label);
}

}  // namespace plk
