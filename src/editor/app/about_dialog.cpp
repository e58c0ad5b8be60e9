#include "editor/app/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/app/control_id.h"
#include "media/icons/toolbar_icons.h"

namespace plk {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("バージョン情報 PLK-CE"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(ApplicationIcon()));
    auto* text = new QLabel(QStringLiteral("PLK-CE Version 1.0"), this);
    SetControlId(text, kVersionTextId);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    SetControlId(ok, kOkId);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(text, 1);
    row->addWidget(ok, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace plk
