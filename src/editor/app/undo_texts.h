#pragma once

#include <QString>

namespace plk {

// The 編集 menu's undo and redo items name the step they take back or do again:
// "元に戻す(U): X移動のトゥイーン". With no step they read "元に戻す(U)".
QString UndoItemText(const QString& step);
QString RedoItemText(const QString& step);

}  // namespace plk
