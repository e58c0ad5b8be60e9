#pragma once

#include <QSize>
#include <array>
#include <optional>
#include <string>

#include "cli/command.h"
#include "media/render/view_settings.h"

namespace plk::cli {

struct RenderOptions {
    std::string project;
    int cut = 0;    // from 1, in tab order
    int frame = 0;  // a frame number: normal frames only, from 1
    std::string out;
    int zoomStep = 0;  // the zoom slider's position, -3..5
    std::array<int, 3> background{0, 0, 0};
    std::array<bool, kGuideCount> guides{};
    float gridSpacing = 0;
    std::optional<QSize> size;
    int onion = 0;  // onion skin: normal frames drawn beneath on each side, 0..3
};

// Parses the render command's arguments; throws UsageError naming the bad one.
RenderOptions ParseRenderOptions(CommandArgs args);

}  // namespace plk::cli
