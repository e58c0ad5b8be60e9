#pragma once

#include <QRect>

class QWidget;

namespace plk {

// Puts a top-level window's outer frame (decoration included) at `outer`. The decoration a
// window manager adds is only known once the window is shown, so the placement is applied
// at once with the decoration known so far and corrected when the real one appears: the
// frame then stands exactly where it stood when `outer` was read from it, run after run.
// With `keepSize` only the position is set.
void PlaceFrame(QWidget* window, const QRect& outer, bool keepSize);

// The rectangle PlaceFrame takes: the outer frame where the window stands, or where it is
// still being placed while the window manager has not yet decorated it.
QRect FrameRect(const QWidget* window);

}  // namespace plk
