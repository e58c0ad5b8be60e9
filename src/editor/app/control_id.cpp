#include "editor/app/control_id.h"

#include <QVariant>

namespace plk {

QWidget* FindControl(QWidget* root, int id) {
    auto carries = [id](const QWidget* w) {
        QVariant value = w->property(kControlIdProperty);
        return value.isValid() && value.toInt() == id;
    };
    if (root == nullptr) {
        return nullptr;
    }
    if (carries(root)) {
        return root;
    }
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (carries(child)) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace plk
