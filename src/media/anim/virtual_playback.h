#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "core/content/resource_table.h"
#include "core/playback/playback_speed.h"
#include "core/playback/virtual_run.h"
#include "core/timesheet/cut.h"
#include "media/render/present_tap.h"

namespace plk {

// Without a limit, a playback that never ends stops after ten minutes of virtual time.
inline constexpr std::int64_t kDefaultVirtualUntilMs = 10 * 60 * 1000;

struct VirtualPlaybackOptions {
    bool command = false;  // command playback; else simple playback
    bool repeat = false;   // simple playback starts again after the last frame
    int speed = kDefaultSpeedPosition;
    std::vector<std::int64_t> clicks;
    std::vector<std::pair<std::int64_t, std::int64_t>> holds;
    std::int64_t until = kDefaultVirtualUntilMs;
    // Draw with these settings instead of the renderer's own (the preview's), and mute.
    std::optional<ViewSettings> view;
    bool muted = false;
};

// Told the virtual time and what is on the canvas after every present, under the frame
// lock: Renderer::Instance().Canvas() is the presented picture. May throw to stop the run.
using PresentListener = std::function<void(std::int64_t ms, const PresentInfo& info)>;

// Plays `cut` through the shared renderer on virtual time, as `plkce-cli playback` and the
// animated export do. The renderer must be initialised and `palette`'s images loaded.
RunResult PlayCutOnVirtualTime(const Cut& cut, const ResourceTable& palette,
                               const VirtualPlaybackOptions& options, PresentListener listener);

}  // namespace plk
