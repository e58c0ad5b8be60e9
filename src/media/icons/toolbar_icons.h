#pragma once

#include <QImage>

namespace plk {

// The pictures of the main toolbar, in toolbar order.
enum class ToolbarGlyph { New, Open, SaveAs, Save, Export, Cut, Copy, Paste, Print, About };

inline constexpr int kToolbarIconWidth = 16;
inline constexpr int kToolbarIconHeight = 15;

// A 16 x 15 ARGB32 picture of `glyph`, transparent around the drawing.
QImage ToolbarIcon(ToolbarGlyph glyph);

// The 32 x 32 application picture: a mahjong tile.
QImage ApplicationIcon();

}  // namespace plk
