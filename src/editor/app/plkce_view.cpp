#include "editor/app/plkce_view.h"

#include <QPainter>
#include <QPrinter>

namespace plk {

CPLKCEView::CPLKCEView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void CPLKCEView::Print(QPrinter* printer) {
    QPainter painter(printer);  // opening and closing the page is all there is to print
}

}  // namespace plk
