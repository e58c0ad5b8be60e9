#include "media/render/renderer.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "core/timesheet/onion_skin.h"
#include "media/render/banded_paint.h"
#include "media/render/frame_lock.h"
#include "media/render/overlay_animations.h"
#include "media/render/texture_store.h"
#include "media/sound/sound_store.h"

namespace plk {
namespace {

constexpr std::uint32_t kOpaqueBlackKey = 0xFF000000u;

struct BuiltInImage {
    int resourceId;
    const char* name;
};
constexpr BuiltInImage kBuiltInImages[] = {
    {229, kMenuIconGuideName},
    {227, kMessageWindowGuideName},
    {230, kNameFontName},
};

}  // namespace

Renderer& Renderer::Instance() {
    static Renderer renderer;
    return renderer;
}

Renderer::Renderer()
    : m_playSound([](std::string_view name) { SoundStore::Instance().Play(name); }) {}

std::int32_t Renderer::Init(bool /*windowed*/) {
    std::lock_guard lock(FrameMutex());
    m_canvas = QImage(kCanvasWidth, kCanvasHeight, QImage::Format_ARGB32_Premultiplied);
    if (m_canvas.isNull()) {
        m_state = DeviceState::None;
        return kFailure;
    }
    m_canvas.fill(Qt::black);
    m_spare = QImage();
    m_prepared.reset();
    m_front.Present(m_canvas, FrontSource());
    m_state = DeviceState::Ready;
    SetRenderStates();

    TextureStore& store = TextureStore::Instance();
    for (const BuiltInImage& image : kBuiltInImages) {
        store.LoadFromResource(image.resourceId, "PRS", image.name, kOpaqueBlackKey);
    }
    store.CreateBlank(kMessageTextureName, 800, 96, TextureStore::kFileLevel, 0);
    m_settings = ViewSettings{};
    m_currentImageName.clear();
    m_currentImageOffset = {};
    // Without a canvas the preview still runs; no message text can appear.
    m_messageCanvas.InitCanvas();
    OverlayAnimations::Instance().AddBuiltIns();
    return kOk;
}

void Renderer::Shutdown() {
    std::lock_guard lock(FrameMutex());
    m_still.reset();
    m_onion.Clear();
    OverlayAnimations::Instance().ReleaseAll();
    TextureStore::Destroy();
    if (m_state != DeviceState::None) {
        m_canvas.fill(Qt::black);
    }
    m_scene.reset();
    m_spare = QImage();
    m_prepared.reset();
    m_messageCanvas.Shutdown();
    m_state = DeviceState::None;
}

// The software device has no states to lose; what the original states fix (source-over
// blending of premultiplied pixels, linear filtering) is set on each scene's painter.
void Renderer::SetRenderStates() {}

bool Renderer::CheckDevice() {
    switch (m_state) {
        case DeviceState::Ready:
            return true;
        case DeviceState::NeedsReset:
            // Textures live in the store, not on the device, so a reset reloads nothing.
            ++m_resetCount;
            m_state = DeviceState::Ready;
            SetRenderStates();
            return true;
        case DeviceState::None:
        case DeviceState::Lost:
            return false;
    }
    return false;
}

void Renderer::SimulateDeviceLost() {
    std::lock_guard lock(FrameMutex());
    if (m_state != DeviceState::None) {
        m_state = DeviceState::Lost;
    }
}

void Renderer::SimulateDeviceRestorable() {
    std::lock_guard lock(FrameMutex());
    if (m_state == DeviceState::Lost) {
        m_state = DeviceState::NeedsReset;
    }
}

void Renderer::Clear(bool withColour) {
    std::lock_guard lock(FrameMutex());
    if (withColour && !m_canvas.isNull()) {
        if (m_scene) {
            ClearTarget();
        } else {
            m_canvas.fill(m_settings.Background());
        }
    }
}

bool Renderer::SetCurrentImage(std::string_view name, int x, int y) {
    std::lock_guard lock(FrameMutex());
    m_currentImageName = std::string(name.substr(0, 259));
    m_currentImageOffset = QPoint(x, y);
    return true;
}

Scene Renderer::MakeScene() const {
    return Scene(m_drawer, TextureStore::Instance(), m_settings);
}

void Renderer::BeginScene(bool clear) {
    m_scene = std::make_unique<QPainter>(&m_canvas);
    m_scene->setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_scene->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (clear) {
        ClearTarget();
    }
}

void Renderer::ClearTarget() {
    m_scene->save();
    m_scene->setCompositionMode(QPainter::CompositionMode_Source);
    m_scene->fillRect(m_canvas.rect(), m_settings.Background());
    m_scene->restore();
}

QRect Renderer::FrontSource() const {
    return m_presentWhole ? m_canvas.rect() : PresentSource(m_clientSize);
}

void Renderer::EndSceneAndPresent(bool frontFilled) {
    m_scene.reset();
    if (!frontFilled) {
        m_front.Present(m_canvas, FrontSource());
    }
    if (m_presentListener) {
        m_presentListener();
    }
}

void Renderer::RenderPreview() {
    std::lock_guard lock(FrameMutex());
    m_still.reset();
    m_showsPlacedImage = true;
    if (!CheckDevice()) {
        return;
    }
    BeginScene();
    Scene scene = MakeScene();
    if (!m_settings.backgroundImageName.empty()) {
        scene.DrawImageCentered(*m_scene, m_settings.backgroundImageName, std::nullopt,
                                m_settings.backgroundImageAlpha);
    }
    scene.DrawImageCentered(*m_scene, m_currentImageName, m_currentImageOffset, 100);
    scene.DrawGuides(*m_scene);
    EndSceneAndPresent();
}

void Renderer::DrawCellFrame(const ResourceTable& resources, const FrameRecord& frame,
                             bool present) {
    DrawCellFrame(resources, frame, present, true);
}

void Renderer::DrawCellFrame(const ResourceTable& resources, const FrameRecord& frame, bool present,
                             bool playSounds) {
    FrameMutex().lock();
    m_still.reset();
    m_showsPlacedImage = false;
    if (!CheckDevice()) {
        FrameMutex().unlock();
        return;
    }
    if (m_scene) {
        // A scene left open by this thread is closed first, so its hold on the lock ends.
        EndSceneAndPresent();
        FrameMutex().unlock();
    }
    ComposeCells(m_canvas, resources, frame, playSounds, present ? &m_front : nullptr);
    if (present) {
        EndSceneAndPresent(true);
        FrameMutex().unlock();
        return;
    }
    // Otherwise the scene and the lock stay with this thread until FinishFrame.
    BeginScene(false);
}

void Renderer::ComposeCells(QImage& target, const ResourceTable& resources,
                            const FrameRecord& frame, bool playSounds, FrontBuffer* front) {
    const int bands = Bands();
    if (bands > 1 && (!m_bandPool || m_bandPool->Workers() < bands - 1)) {
        m_bandPool = std::make_unique<BandPool>(bands - 1);
    }
    if (playSounds) {
        Scene::PlayCellSounds(resources, frame, m_playSound);
    }
    // The frame is planned once; every chunk draws the planned calls that reach its rows.
    m_draws.clear();
    MakeScene().PlanCellLayers(m_draws, resources, frame);
    const QColor background = m_settings.Background();
    if (front != nullptr) {
        front->Begin(target, FrontSource());
    }
    m_lastBands = PaintInBands(
        target, bands, m_bandPool.get(),
        [&](QPainter& painter, const QRect& area, int stripRows) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.fillRect(area, background);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            SpriteDrawer::DrawPlanned(painter, m_draws, area, stripRows);
            if (front != nullptr) {
                // Each band copies out the rows it has just drawn, while they are in its cache.
                front->Copy(target, area);
            }
        },
        [&](const QRect& chunk) { return ChunkCost(chunk); });
}

double Renderer::ChunkCost(const QRect& chunk) const {
    // The clear plus the area of every planned call's bounds within the chunk; the bounds
    // of a rotated quad are larger than the quad, which matters little for the order.
    constexpr double kClearCostPerPixel = 0.1;
    double cost = kClearCostPerPixel * chunk.width() * chunk.height();
    for (const SpriteDraw& draw : m_draws) {
        const QRect reach = draw.bounds & chunk;
        cost += static_cast<double>(reach.width()) * reach.height();
    }
    return cost;
}

void Renderer::PrepareCellFrame(const ResourceTable& resources, const FrameRecord& frame) {
    std::lock_guard lock(FrameMutex());
    m_prepared.reset();
    if (!CheckDevice()) {
        return;
    }
    if (m_spare.size() != m_canvas.size() || m_spare.format() != m_canvas.format()) {
        m_spare = QImage(m_canvas.size(), m_canvas.format());
        if (m_spare.isNull()) {
            return;
        }
    }
    ComposeCells(m_spare, resources, frame, false, &m_spareFront);
    m_prepared = PreparedFrameKey::Of(resources, frame, m_settings.Background().rgb(),
                                      TextureStore::Generation());
}

bool Renderer::PresentPrepared(const ResourceTable& resources, const FrameRecord& frame,
                               bool playSounds) {
    std::lock_guard lock(FrameMutex());
    if (!m_prepared) {
        return false;
    }
    const bool same = m_prepared->Matches(PreparedFrameKey::Of(
        resources, frame, m_settings.Background().rgb(), TextureStore::Generation()));
    m_prepared.reset();
    if (!same || !CheckDevice()) {
        return false;
    }
    m_still.reset();
    m_showsPlacedImage = false;
    if (m_scene) {
        EndSceneAndPresent();
        FrameMutex().unlock();
    }
    if (playSounds) {
        Scene::PlayCellSounds(resources, frame, m_playSound);
    }
    std::swap(m_canvas, m_spare);
    // The prepared front serves unless the presented part changed since.
    const bool frontReady = m_spareFront.Holds(m_canvas, FrontSource());
    if (frontReady) {
        std::swap(m_front, m_spareFront);
    }
    EndSceneAndPresent(frontReady);
    return true;
}

void Renderer::SetBands(int bands) {
    std::lock_guard lock(FrameMutex());
    m_bands = std::clamp(bands, 0, kMaxBands);
}

BandReport Renderer::LastBandReport() const {
    std::lock_guard lock(FrameMutex());
    return m_lastBands;
}

int Renderer::Bands() const {
    std::lock_guard lock(FrameMutex());
    if (m_bands > 0) {
        return m_bands;
    }
    // PLKCE_RENDER_BANDS (1..8) overrides the core count, for measuring and for machines
    // whose other work should keep a core.
    static const int automatic = [] {
        const char* asked = std::getenv("PLKCE_RENDER_BANDS");
        const int bands = asked != nullptr ? std::atoi(asked) : 0;
        if (bands > 0) {
            return std::min(bands, kMaxBands);
        }
        return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxBands);
    }();
    return automatic;
}

void Renderer::DrawStillFrame(std::shared_ptr<const ResourceTable> resources, const CutReader& cut,
                              int frameNumber) {
    Still still;
    if (!resources || !cut.CopyRow(cut.RowOfFrameNumber(frameNumber), still.frame)) {
        return;
    }
    still.resources = std::move(resources);
    for (const OnionNeighbour& neighbour : OnionNeighbours(cut, frameNumber, kMaxOnionDepth)) {
        OnionFrame onion;
        onion.distance = neighbour.distance;
        if (cut.CopyRow(neighbour.row, onion.frame)) {
            still.neighbours.push_back(onion);
        }
    }
    std::lock_guard lock(FrameMutex());
    m_still = std::move(still);
    DrawStill(true);
}

bool Renderer::RedrawStill() {
    std::lock_guard lock(FrameMutex());
    if (!m_still) {
        return false;
    }
    DrawStill(false);
    return true;
}

void Renderer::DrawStill(bool playSounds) {
    Still still = *m_still;  // the drawing below forgets it
    if (!m_settings.onionSkin || still.neighbours.empty()) {
        DrawCellFrame(*still.resources, still.frame, true, playSounds);
    } else {
        const int depth = std::clamp(m_settings.onionDepth, 1, kMaxOnionDepth);
        std::vector<OnionFrame> near;
        for (const OnionFrame& neighbour : still.neighbours) {
            if (std::abs(neighbour.distance) <= depth) {
                near.push_back(neighbour);
            }
        }
        DrawOnionFrame(*still.resources, still.frame, near, depth, false, playSounds);
    }
    m_still = std::move(still);
}

void Renderer::DrawFrameWithOnion(const ResourceTable& resources, const FrameRecord& frame,
                                  std::span<const OnionFrame> neighbours, int depth) {
    DrawOnionFrame(resources, frame, neighbours, depth, true, false);
}

void Renderer::DrawOnionFrame(const ResourceTable& resources, const FrameRecord& frame,
                              std::span<const OnionFrame> neighbours, int depth, bool guides,
                              bool playSounds) {
    std::lock_guard lock(FrameMutex());
    m_still.reset();
    m_showsPlacedImage = false;
    if (!CheckDevice()) {
        return;
    }
    if (m_scene) {
        EndSceneAndPresent();
        FrameMutex().unlock();
    }
    // The frame comes from the onion skin's kept layers, so its cells are not drawn again.
    m_onion.DrawFrame(m_canvas, m_settings.Background(), MakeScene(), resources, frame, neighbours,
                      depth);
    if (playSounds && m_playSound) {
        for (int k = 0; k < kPartCopySlot; ++k) {
            const std::int32_t number = frame.cells[k].resource;
            if (number >= 0 && number < kResourceSlots &&
                resources.slot[static_cast<std::size_t>(number)].Kind() == ResourceKind::Sound) {
                m_playSound(resources.slot[static_cast<std::size_t>(number)].Name());
            }
        }
    }
    BeginScene(false);
    if (guides) {
        MakeScene().DrawGuides(*m_scene);
    }
    EndSceneAndPresent();
}

bool Renderer::DrawGuides() {
    std::lock_guard lock(FrameMutex());
    if (!CheckDevice() || !m_scene) {
        return false;
    }
    MakeScene().DrawGuides(*m_scene);
    return true;
}

void Renderer::FinishFrame() {
    std::lock_guard lock(FrameMutex());
    if (!m_scene) {
        return;
    }
    if (CheckDevice()) {
        MakeScene().DrawGuides(*m_scene);
    }
    EndSceneAndPresent();
    // Releases the hold taken by DrawCellFrame without present.
    FrameMutex().unlock();
}

bool Renderer::DrawMessage(std::string_view text, int /*position*/, bool held) {
    std::lock_guard lock(FrameMutex());
    // Holding the left button lays out the whole remaining text at once.
    const bool complete = m_messageCanvas.LayoutMessage(text, 0, held);
    if (m_scene && CheckDevice()) {
        if (const TextureEntry* strip = TextureStore::Instance().Bind(kMessageTextureName)) {
            m_drawer.DrawSpriteScaled(*m_scene, *strip, QRect(0, 0, 800, 96),
                                      QRect(QPoint(112, 336), QSize(800, 96)), 100, 0, 100, 100);
        }
    }
    return complete;
}

bool Renderer::IsMessageComplete(std::string_view text) {
    std::lock_guard lock(FrameMutex());
    return m_messageCanvas.IsMessageComplete(text);
}

void Renderer::ClearCanvas() {
    std::lock_guard lock(FrameMutex());
    m_messageCanvas.ClearCanvas();
}

bool Renderer::DrawOverScene(const std::function<void(QPainter&)>& paint) {
    std::lock_guard lock(FrameMutex());
    if (!m_scene || !CheckDevice()) {
        return false;
    }
    m_scene->save();
    paint(*m_scene);
    m_scene->restore();
    return true;
}

void Renderer::SetClientSize(QSize size) {
    std::lock_guard lock(FrameMutex());
    m_clientSize = size.boundedTo(QSize(kCanvasWidth, kCanvasHeight)).expandedTo(QSize(0, 0));
}

QSize Renderer::ClientSize() const {
    std::lock_guard lock(FrameMutex());
    return m_clientSize;
}

QRect Renderer::PresentSource(QSize client) {
    const int halfW = client.width() / 2;
    const int halfH = client.height() / 2;
    return QRect(QPoint(kViewCentreX - halfW, kViewCentreY - halfH), QSize(2 * halfW, 2 * halfH));
}

void Renderer::SetPresentWhole(bool whole) {
    std::lock_guard lock(FrameMutex());
    if (whole == m_presentWhole) {
        return;
    }
    m_presentWhole = whole;
    // The canvas still holds the last frame (no scene is open while the lock is free).
    if (!m_canvas.isNull() && !m_scene) {
        m_front.Present(m_canvas, FrontSource());
    }
}

bool Renderer::PresentsWhole() const {
    std::lock_guard lock(FrameMutex());
    return m_presentWhole;
}

QImage Renderer::PresentedImage() const {
    std::lock_guard lock(FrameMutex());
    return m_front.Image().copy();
}

QImage Renderer::PresentedImageScaled(QSize client) const {
    QImage front = PresentedImage();
    if (front.size() == client || front.isNull()) {
        return front;
    }
    return front.scaled(client, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void Renderer::SetPresentListener(std::function<void()> listener) {
    std::lock_guard lock(FrameMutex());
    m_presentListener = std::move(listener);
}

}  // namespace plk
