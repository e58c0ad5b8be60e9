#include "editor/timesheet/cell_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/app/control_id.h"
#include "editor/app/field_reading.h"
#include "editor/app/sjis_input_guard.h"
#include "editor/app/user_dialogs.h"

namespace plk {
namespace {

QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(dialog);
    buttons
        ->addButton(QCoreApplication::translate("TimeSheetDialogs", "OK"),
                    QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    buttons->addButton(QCoreApplication::translate("TimeSheetDialogs", "キャンセル"),
                       QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

CCelldlg::CCelldlg(QWidget* parent, Mode mode, MessageBoxes& boxes)
    : QDialog(parent), m_boxes(boxes), m_edit(new QLineEdit(QStringLiteral("1"), this)) {
    const bool insert = mode == Mode::Insert;
    setWindowTitle(insert ? tr("セルの挿入") : tr("セルの削除"));
    SetControlId(m_edit, kCountEditId);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(insert ? tr("挿入するセル数") : tr("削除するセル数"), this));
    layout->addWidget(m_edit);
    layout->addWidget(OkCancelButtons(this));
    m_edit->selectAll();
}

std::optional<int> CCelldlg::Count() const {
    const FieldReading<int> reading = ReadIntegerField(m_edit->text(), kMinCount, kMaxCount);
    return reading.Ok() ? std::optional<int>(reading.value) : std::nullopt;
}

void CCelldlg::accept() {
    if (TakeIntegerField(this, m_boxes, m_edit, kMinCount, kMaxCount, m_count, m_count)) {
        QDialog::accept();
    }
}

std::optional<int> CCelldlg::AskCount(QWidget* parent, Mode mode, MessageBoxes& boxes) {
    CCelldlg dialog(parent, mode, boxes);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Count();
}

CCutName::CCutName(QWidget* parent) : QDialog(parent), m_edit(new QLineEdit(this)) {
    setWindowTitle(tr("カットの名称"));
    SetControlId(m_edit, kNameEditId);
    new SjisInputGuard(m_edit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addWidget(OkCancelButtons(this));
    setMinimumWidth(280);
}

QString CCutName::Name() const {
    return m_edit->text();
}

std::optional<QString> CCutName::AskName(QWidget* parent, const QString& current) {
    CCutName dialog(parent);
    dialog.m_edit->setText(current);
    dialog.m_edit->selectAll();
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Name();
}

}  // namespace plk
