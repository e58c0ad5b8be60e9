#include "editor/preview/preview_ctrl.h"

#include <QLabel>
#include <QVBoxLayout>

namespace plk {

CPreViewCtrl::CPreViewCtrl(QWidget* preview)
    : CToolWindow(QStringLiteral("PreViewControl"), preview) {
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("プレビューの設定"), this);
    note->setAlignment(Qt::AlignCenter);
    layout->addWidget(note);
    resize(280, 600);
}

}  // namespace plk
