#pragma once

#include <QWidget>

#include "editor/app/command_ids.h"

namespace plk {

// Dialog controls carry the numeric id of their template item, so code and tests can
// address them by the same numbers the menus, messages and dialogs use.
inline void SetControlId(QWidget* control, int id) {
    control->setProperty(kControlIdProperty, id);
}

// The first descendant of `root` (or `root` itself) carrying `id`; null when none does.
QWidget* FindControl(QWidget* root, int id);

}  // namespace plk
