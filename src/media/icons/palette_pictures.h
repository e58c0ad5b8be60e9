#pragma once

#include <QImage>

namespace plk {

// The palette's own pictures, drawn in code at any cell size (48, 64, 128), opaque on
// white like the thumbnails they stand beside.

// An empty slot: a dashed frame around a faint landscape sketch.
QImage EmptySlotPicture(int side);
// A sound slot: a loudspeaker with sound waves.
QImage SoundSlotPicture(int side);
// A slot whose file is missing: a torn red page with a question mark, and "見つかりません"
// at the larger sizes.
QImage MissingSlotPicture(int side);

}  // namespace plk
