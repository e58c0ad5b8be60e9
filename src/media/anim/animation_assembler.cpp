#include "media/anim/animation_assembler.h"

namespace plk {

void AnimationAssembler::Present(std::int64_t ms, QImage picture) {
    const bool same = m_merger.HasOpenFrame() && picture == m_open;
    Closed(m_merger.Push(ms, same));
    if (!same) {
        m_open = std::move(picture);
    }
}

void AnimationAssembler::Finish(std::int64_t endMs) {
    Closed(m_merger.Finish(endMs));
    m_open = QImage();
    if (m_writer && m_frames > 0) {
        m_writer->Finish(endMs);
    }
}

void AnimationAssembler::Closed(const std::optional<AnimationFrame>& frame) {
    if (!frame) {
        return;
    }
    ++m_frames;
    if (m_writer) {
        m_writer->AddFrame(m_open, frame->startMs, frame->durationMs);
    }
}

}  // namespace plk
