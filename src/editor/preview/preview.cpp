#include "editor/preview/preview.h"

#include <QPainter>

#include "editor/preview/preview_ctrl.h"

namespace plk {

CPreView::CPreView(QWidget* owner)
    : CToolWindow(QStringLiteral("PreView Window"), owner), m_control(new CPreViewCtrl(this)) {
    resize(kClientWidth, kClientHeight);
}

void CPreView::showEvent(QShowEvent* event) {
    CToolWindow::showEvent(event);
    // The panel appears together with the preview the first time it is shown.
    if (!m_controlShown) {
        m_controlShown = true;
        m_control->show();
    }
}

void CPreView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

}  // namespace plk
