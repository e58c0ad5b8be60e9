#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include "core/playback/playback_io.h"
#include "media/render/view_settings.h"

namespace plk {

// What was on the canvas when a playback presented.
struct PresentInfo {
    int row = -1;                        // the cut's row drawn, -1 for a blank record
    int frame = 0;                       // the frame number the slider showed
    std::optional<std::size_t> message;  // bytes of the message typed so far, if one is shown
    std::string_view overlay;            // the overlay drawn over the frame, if any
};

// Passes a playback's drawing on to the renderer's sink and reports every present while
// the frame lock is still held, so the listener reads the very canvas that was presented
// even when other threads draw between frames. Optionally the frames are drawn with view
// settings of their own (swapped in under the lock for each call) and without sound.
class PresentTap final : public PlaybackSink {
public:
    using Listener = std::function<void(const PresentInfo&)>;

    PresentTap(PlaybackSink& inner, Listener listener);

    // Draws with `view` instead of the preview's settings.
    void UseView(const ViewSettings& view) { m_view = view; }
    void MuteSounds() { m_muted = true; }

    void DrawCellFrame(int row, const FrameRecord& frame, bool present, bool playSounds) override;
    bool DrawMessage(std::string_view text, int position, bool held) override;
    void FinishFrame() override;
    bool IsMessageComplete(std::string_view text) override;
    void ClearCanvas() override;
    void RestartOverlay(std::string_view name) override;
    OverlayStep StepOverlay(std::string_view name) override;
    void ShowFrameNumber(int frameNumber, bool label) override;

private:
    template <typename Call>
    auto InView(Call call);
    void Presented();

    PlaybackSink& m_inner;
    Listener m_listener;
    std::optional<ViewSettings> m_view;
    bool m_muted = false;
    PresentInfo m_info;
};

}  // namespace plk
