#include "media/render/present_tap.h"

#include <mutex>
#include <utility>

#include "media/render/frame_lock.h"
#include "media/render/renderer.h"

namespace plk {

PresentTap::PresentTap(PlaybackSink& inner, Listener listener)
    : m_inner(inner), m_listener(std::move(listener)) {}

template <typename Call>
auto PresentTap::InView(Call call) {
    std::lock_guard lock(FrameMutex());
    if (!m_view) {
        return call();
    }
    ViewSettings& settings = Renderer::Instance().Settings();
    std::swap(settings, *m_view);
    struct SwapBack {
        ViewSettings& settings;
        ViewSettings& own;
        ~SwapBack() { std::swap(settings, own); }
    } swapBack{settings, *m_view};
    return call();
}

void PresentTap::DrawCellFrame(int row, const FrameRecord& frame, bool present, bool playSounds) {
    InView([&] {
        m_info = PresentInfo{row, m_info.frame, std::nullopt, {}};
        m_inner.DrawCellFrame(row, frame, present, playSounds && !m_muted);
        if (present) {
            Presented();
        }
    });
}

bool PresentTap::DrawMessage(std::string_view text, int position, bool held) {
    return InView([&] {
        const bool complete = m_inner.DrawMessage(text, position, held);
        m_info.message = Renderer::Instance().MessageStrip().Layout().Progress();
        return complete;
    });
}

void PresentTap::FinishFrame() {
    InView([&] {
        m_inner.FinishFrame();
        Presented();
    });
}

bool PresentTap::IsMessageComplete(std::string_view text) {
    return m_inner.IsMessageComplete(text);
}

void PresentTap::ClearCanvas() {
    m_inner.ClearCanvas();
}

void PresentTap::RestartOverlay(std::string_view name) {
    m_inner.RestartOverlay(name);
}

OverlayStep PresentTap::StepOverlay(std::string_view name) {
    return InView([&] {
        m_info.overlay = name;
        const OverlayStep step = m_inner.StepOverlay(name);
        if (step.drawn) {
            Presented();
        }
        return step;
    });
}

void PresentTap::ShowFrameNumber(int frameNumber, bool label) {
    m_info.frame = frameNumber;
    m_inner.ShowFrameNumber(frameNumber, label);
}

void PresentTap::Presented() {
    if (m_listener) {
        m_listener(m_info);
    }
}

}  // namespace plk
