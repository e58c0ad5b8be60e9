#include "media/anim/virtual_playback.h"

#include <memory>

#include "core/playback/command_playback.h"
#include "core/playback/simple_playback.h"
#include "media/render/renderer_playback_sink.h"

namespace plk {

RunResult PlayCutOnVirtualTime(const Cut& cut, const ResourceTable& palette,
                               const VirtualPlaybackOptions& options, PresentListener listener) {
    auto shared = std::shared_ptr<const ResourceTable>(&palette, [](const ResourceTable*) {});
    RendererPlaybackSink drawing([shared] { return shared; }, {});
    ScriptedInput input;
    input.speedPosition = options.speed;
    input.autoRepeat = options.repeat;
    input.clicks = options.clicks;
    input.holds = options.holds;
    PresentTap tap(drawing, [&](const PresentInfo& info) { listener(input.now, info); });
    if (options.view) {
        tap.UseView(*options.view);
    }
    if (options.muted) {
        tap.MuteSounds();
    }
    CutView view(cut);
    if (options.command) {
        CommandPlayback playback(view, input, tap);
        return RunCommandVirtual(playback, input, options.until);
    }
    SimplePlayback playback(view, input, tap);
    return RunSimpleVirtual(playback, input, options.until);
}

}  // namespace plk
