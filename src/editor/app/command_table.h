#pragma once

#include <QKeySequence>
#include <QString>
#include <span>

#include "media/icons/toolbar_icons.h"

namespace plk {

// The translation context of the menu, toolbar and status-bar texts of the main frame.
inline constexpr const char* kCommandTextContext = "plk::CMainFrame";

// One item of a menu popup; id 0 stands for a separator.
struct MenuItemSpec {
    int id;
    const char* text;  // Japanese source text; a tab separates the shortcut hint
};

struct MenuPopupSpec {
    const char* title;
    std::span<const MenuItemSpec> items;
};

// Menu 128, popup by popup.
std::span<const MenuPopupSpec> MainMenu();

// A title or item text of the menu as shown: translated into the editor's language.
QString CommandText(const char* text);

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
