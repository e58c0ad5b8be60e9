#pragma once

#include <string>
#include <vector>

#include "../builtin_images/canvas.h"

namespace plk::tools {

// One picture of the sample character, drawn where it belongs on the 1024 x 768 game
// canvas: its palette slot's world position puts its centre back there.
struct SamplePicture {
    std::string fileName;
    Canvas canvas;
    int worldX;  // centre minus the canvas centre (512, 384)
    int worldY;
};

// The pictures in palette order, slot 1 first.
std::vector<SamplePicture> DrawSamplePictures();

}  // namespace plk::tools
