#pragma once

#include <functional>
#include <memory>

#include "core/content/resource_table.h"
#include "core/playback/playback_io.h"

namespace plk {

// Playback drawn through the shared Renderer and the overlay animations.
class RendererPlaybackSink : public PlaybackSink {
public:
    // `palette` gives the resource slots to draw a frame with; it is asked once per frame
    // and may hand out a snapshot. `showFrame` receives the frame slider's updates.
    RendererPlaybackSink(std::function<std::shared_ptr<const ResourceTable>()> palette,
                         std::function<void(int frameNumber, bool label)> showFrame);

    void DrawCellFrame(int row, const FrameRecord& frame, bool present, bool playSounds) override;
    // Draws the frame into the renderer's spare canvas; the next DrawCellFrame of the same
    // frame presents that picture if nothing it was drawn from has changed meanwhile.
    void PrepareCellFrame(int row, const FrameRecord& frame) override;
    bool DrawMessage(std::string_view text, int position, bool held) override;
    void FinishFrame() override;
    bool IsMessageComplete(std::string_view text) override;
    void ClearCanvas() override;
    void RestartOverlay(std::string_view name) override;
    OverlayStep StepOverlay(std::string_view name) override;
    void ShowFrameNumber(int frameNumber, bool label) override;

private:
    std::function<std::shared_ptr<const ResourceTable>()> m_palette;
    std::function<void(int, bool)> m_showFrame;
};

}  // namespace plk
