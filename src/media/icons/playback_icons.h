#pragma once

#include <QImage>

namespace plk {

// The pictures of the playback buttons, by their bitmap numbers.
enum class PlaybackGlyph {
    Rewind = 155,
    Pause = 156,
    Play = 157,
    Stop = 158,
};

inline constexpr int kPlaybackIconSize = 20;

// A 20 x 20 ARGB32 picture of `glyph`, transparent around the drawing.
QImage PlaybackIcon(PlaybackGlyph glyph);

}  // namespace plk
