#include "media/render/renderer_playback_sink.h"

#include "media/render/overlay_animations.h"
#include "media/render/renderer.h"

namespace plk {

RendererPlaybackSink::RendererPlaybackSink(
    std::function<std::shared_ptr<const ResourceTable>()> palette,
    std::function<void(int, bool)> showFrame)
    : m_palette(std::move(palette)), m_showFrame(std::move(showFrame)) {}

void RendererPlaybackSink::DrawCellFrame(int /*row*/, const FrameRecord& frame, bool present,
                                         bool playSounds) {
    const std::shared_ptr<const ResourceTable> palette = m_palette();
    if (!palette) {
        return;
    }
    Renderer& renderer = Renderer::Instance();
    if (!present || !renderer.PresentPrepared(*palette, frame, playSounds)) {
        renderer.DrawCellFrame(*palette, frame, present, playSounds);
    }
}

void RendererPlaybackSink::PrepareCellFrame(int /*row*/, const FrameRecord& frame) {
    if (const std::shared_ptr<const ResourceTable> palette = m_palette()) {
        Renderer::Instance().PrepareCellFrame(*palette, frame);
    }
}

bool RendererPlaybackSink::DrawMessage(std::string_view text, int position, bool held) {
    return Renderer::Instance().DrawMessage(text, position, held);
}

void RendererPlaybackSink::FinishFrame() {
    Renderer::Instance().FinishFrame();
}

bool RendererPlaybackSink::IsMessageComplete(std::string_view text) {
    return Renderer::Instance().IsMessageComplete(text);
}

void RendererPlaybackSink::ClearCanvas() {
    Renderer::Instance().ClearCanvas();
}

void RendererPlaybackSink::RestartOverlay(std::string_view name) {
    OverlayAnimations::Instance().Restart(name);
}

OverlayStep RendererPlaybackSink::StepOverlay(std::string_view name) {
    return OverlayAnimations::Instance().Step(name);
}

void RendererPlaybackSink::ShowFrameNumber(int frameNumber, bool label) {
    if (m_showFrame) {
        m_showFrame(frameNumber, label);
    }
}

}  // namespace plk
