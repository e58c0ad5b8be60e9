#include "editor/app/field_redo_key.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace plk {
namespace {

// The editable text field behind the focused widget: a line edit, or the one inside a spin
// box or an editable combo box.
QLineEdit* FocusedField(QObject* watched) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || watched != focus) {
        return nullptr;
    }
    QLineEdit* edit = qobject_cast<QLineEdit*>(focus);
    if (edit == nullptr && (qobject_cast<QAbstractSpinBox*>(focus) != nullptr ||
                            qobject_cast<QComboBox*>(focus) != nullptr)) {
        edit = focus->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    }
    return edit != nullptr && edit->isEnabled() && !edit->isReadOnly() ? edit : nullptr;
}

}  // namespace

FieldRedoKey::FieldRedoKey(QObject* owner) : QObject(owner) {
    qApp->installEventFilter(this);
}

FieldRedoKey::~FieldRedoKey() {
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
    }
}

bool FieldRedoKey::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Y || key->modifiers() != Qt::ControlModifier) {
        return false;
    }
    QLineEdit* edit = FocusedField(watched);
    if (edit == nullptr) {
        return false;
    }
    // Claimed as the field claims Ctrl+Z: the application's redo does not see the key.
    event->accept();
    if (type == QEvent::KeyPress) {
        edit->redo();
    }
    return true;
}

}  // namespace plk
