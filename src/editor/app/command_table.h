#pragma once

#include <QKeySequence>
#include <QString>
#include <span>

#include "media/icons/toolbar_icons.h"

namespace plk {

// One item of a menu popup; id 0 stands for a separator.
struct MenuItemSpec {
    int id;
    const char* text;  // UTF-8; a tab separates the shortcut hint
};

struct MenuPopupSpec {
    const char* title;
    std::span<const MenuItemSpec> items;
};

// Menu 128, popup by popup.
std::span<const MenuPopupSpec> MainMenu();

// Toolbar 128 from left to right; id 0 stands for a separator.
struct ToolbarButtonSpec {
    int id;
    ToolbarGlyph glyph;
};
std::span<const ToolbarButtonSpec> MainToolbar();

// The status-bar prompt and the tool tip of a command ("prompt\ntip"); empty when the
// command has none.
struct CommandPrompt {
    QString status;
    QString tip;
};
CommandPrompt PromptOf(int id);

// Accelerator table 128.
struct AcceleratorSpec {
    QKeyCombination keys;
    int id;
};
std::span<const AcceleratorSpec> MainAccelerators();

}  // namespace plk
