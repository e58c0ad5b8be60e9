#pragma once

#include <QPainter>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "core/playback/playback_io.h"

namespace plk {

// Short animations that playback draws over a cut's picture: the 3-2-1 countdown before a
// charge ("plk_countdown.pr3") and the pulsing "click!" prompt of a charge stack
// ("plk_hitanykey.pr3"). Each is a fixed number of frames painted in code.
class OverlayAnimations {
public:
    static constexpr int kSlots = 64;
    static constexpr int kCountdownFrames = 90;  // 30 frames per digit
    static constexpr int kHitAnyKeyFrames = 30;  // one pulse

    using PaintFrame = std::function<void(QPainter& painter, int frame)>;

    static OverlayAnimations& Instance();

    // Adds (or replaces) an animation; false when all 64 slots are taken.
    bool Add(std::string_view name, int frameCount, PaintFrame paint);
    // The countdown and the click prompt.
    void AddBuiltIns();
    void ReleaseAll();
    bool Contains(std::string_view name) const;

    // Back to the first frame; nothing for an unknown name.
    void Restart(std::string_view name);
    // Paints the current frame over the open scene of the renderer, finishes the frame and
    // advances. `wrapped` once the animation is back at its first frame. An unknown name
    // (or no open scene) draws nothing.
    OverlayStep Step(std::string_view name);

    int CurrentFrame(std::string_view name) const;

private:
    struct Animation {
        int frameCount = 1;
        int current = 0;
        PaintFrame paint;
    };
    std::map<std::string, Animation, std::less<>> m_animations;
};

}  // namespace plk
