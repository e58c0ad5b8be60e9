#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/content/resource_table.h"
#include "core/playback/playback_io.h"
#include "core/timesheet/frame_record.h"
#include "media/render/band_pool.h"
#include "media/render/banded_paint.h"
#include "media/render/front_buffer.h"
#include "media/render/message_canvas.h"
#include "media/render/onion_layers.h"
#include "media/render/prepared_frame.h"
#include "media/render/scene.h"
#include "media/render/sprite_drawer.h"
#include "media/render/view_settings.h"

namespace plk {

// The one drawing device of the program: a fixed 1024 x 768 premultiplied canvas, the view
// settings of the preview, and the frame operations that draw and present.
//
// Every frame-level operation holds the frame lock from its device check to its present,
// so the user-interface thread and playback threads never draw at once. DrawCellFrame
// without present leaves its scene open, and the lock held, until FinishFrame.
class Renderer {
public:
    static constexpr std::int32_t kOk = 0;
    static constexpr std::int32_t kFailure = static_cast<std::int32_t>(0x80004005u);

    enum class DeviceState { None, Ready, Lost, NeedsReset };

    static Renderer& Instance();

    // Creates the canvas, loads the built-in guide and font images, creates the blank
    // message texture and resets the view settings.
    std::int32_t Init(bool windowed = true);
    // Clears the background, releases the textures and drops the device.
    void Shutdown();

    bool CheckDevice();
    void SetRenderStates();
    // Without colour only the depth buffer would be cleared, which this device lacks.
    void Clear(bool withColour);

    bool SetCurrentImage(std::string_view name, int x, int y);
    void RenderPreview();
    void DrawCellFrame(const ResourceTable& resources, const FrameRecord& frame, bool present);
    // The same, with the frame's sound cells played only when `playSounds`.
    void DrawCellFrame(const ResourceTable& resources, const FrameRecord& frame, bool present,
                       bool playSounds);
    // Render-ahead: draws `frame` into a spare canvas while the picture on show stays.
    // Nothing is presented and no sound plays.
    void PrepareCellFrame(const ResourceTable& resources, const FrameRecord& frame);
    // Presents the prepared picture, playing the frame's sound cells when `playSounds`, if
    // it was drawn from the same frame, palette slots, background and textures, so it is
    // the picture DrawCellFrame(resources, frame, true, playSounds) would draw. Otherwise
    // false, with nothing done. A prepared picture is presented at most once.
    bool PresentPrepared(const ResourceTable& resources, const FrameRecord& frame, bool playSounds);

    // Time-sheet frames are composed in this many horizontal bands at once, one thread
    // each; 0 (the default) takes one band per core, at most kMaxBands, or the count in the
    // environment variable PLKCE_RENDER_BANDS. The picture is the same for any count.
    void SetBands(int bands);
    int Bands() const;
    static constexpr int kMaxBands = BandReport::kMaxThreads;
    // How the last time-sheet frame's bands went (threads that drew, finishing spread).
    BandReport LastBandReport() const;
    // Frame number `frameNumber` of `cut` as a still picture, with its onion skin when the
    // settings ask for one, presented; its sound cells play. The frame is remembered, so a
    // change of the onion settings can draw it again (RedrawStill).
    void DrawStillFrame(std::shared_ptr<const ResourceTable> resources, const CutReader& cut,
                        int frameNumber);
    // Draws the remembered still frame again with the current settings, without sound;
    // false when something else was drawn since.
    bool RedrawStill();
    // `frame` over its neighbours (each with its distance), tinted and faded over `depth`
    // frames on each side, then the guides; presented. Sounds never play.
    void DrawFrameWithOnion(const ResourceTable& resources, const FrameRecord& frame,
                            std::span<const OnionFrame> neighbours, int depth);
    // Types the next character of `text` (all of it while `held`) and draws the message
    // strip into the open scene at (112, 336)-(912, 432). The position is not used. True
    // once the whole text is laid out.
    bool DrawMessage(std::string_view text, int position, bool held);
    bool IsMessageComplete(std::string_view text);
    void ClearCanvas();
    MessageCanvas& MessageStrip() { return m_messageCanvas; }
    // Lets an overlay paint over the open scene; false (nothing called) without one.
    bool DrawOverScene(const std::function<void(QPainter&)>& paint);
    bool DrawGuides();
    void FinishFrame();

    // True while the picture on show is the palette's current image placed on the canvas
    // (RenderPreview), false once a frame of a cut was drawn. Read without the frame lock.
    bool ShowsPlacedImage() const { return m_showsPlacedImage.load(std::memory_order_relaxed); }

    ViewSettings& Settings() { return m_settings; }
    const std::string& CurrentImageName() const { return m_currentImageName; }

    // The preview's client size decides the presented part of the canvas.
    void SetClientSize(QSize size);
    QSize ClientSize() const;
    // The canvas rectangle a client of `client` size shows: centred on (512, 384), each
    // half size rounded toward zero.
    static QRect PresentSource(QSize client);
    // Presents the whole canvas instead of the client-sized middle (the preview fitted to
    // its window); takes effect at once for the picture already presented.
    void SetPresentWhole(bool whole);
    bool PresentsWhole() const;
    // The last presented picture (the source rectangle, not yet stretched to the client).
    QImage PresentedImage() const;
    // The same stretched to `client`, as the preview shows it.
    QImage PresentedImageScaled(QSize client) const;
    // Called after every present, from the presenting thread.
    void SetPresentListener(std::function<void()> listener);

    const QImage& Canvas() const { return m_canvas; }
    DeviceState State() const { return m_state; }

    // Lets tests take the device away and give it back: while lost, frames are skipped;
    // once it can be reset, the next device check resets it.
    void SimulateDeviceLost();
    void SimulateDeviceRestorable();

    int ResetCount() const { return m_resetCount; }
    void SetSoundPlayer(std::function<void(std::string_view)> play) {
        m_playSound = std::move(play);
    }

private:
    Renderer();
    void BeginScene(bool clear = true);
    void DrawStill(bool playSounds);
    // The still frame on show has no guides, as without onion skin; a rendered picture has.
    void DrawOnionFrame(const ResourceTable& resources, const FrameRecord& frame,
                        std::span<const OnionFrame> neighbours, int depth, bool guides,
                        bool playSounds);
    // Presents the canvas, unless the frame's drawing already filled the front (`frontFilled`).
    void EndSceneAndPresent(bool frontFilled = false);
    // The canvas rectangle presented with the current settings.
    QRect FrontSource() const;
    void ClearTarget();
    // A frame's cells on a cleared `target`, in bands; sounds play from the calling thread.
    // With `front`, each band also copies the rows it drew into it.
    void ComposeCells(QImage& target, const ResourceTable& resources, const FrameRecord& frame,
                      bool playSounds, FrontBuffer* front);
    Scene MakeScene() const;
    // About what drawing the planned calls within `chunk` costs.
    double ChunkCost(const QRect& chunk) const;

    DeviceState m_state = DeviceState::None;
    QImage m_canvas;
    std::unique_ptr<QPainter> m_scene;  // open between BeginScene and present
    FrontBuffer m_front;
    QSize m_clientSize{800, 600};
    bool m_presentWhole = false;
    std::string m_currentImageName;
    QPoint m_currentImageOffset;
    ViewSettings m_settings;
    SpriteDrawer m_drawer;
    MessageCanvas m_messageCanvas;
    std::function<void()> m_presentListener;
    std::function<void(std::string_view)> m_playSound;
    int m_resetCount = 0;
    OnionLayers m_onion;
    // The still frame on show, with every neighbour an onion skin could want.
    struct Still {
        std::shared_ptr<const ResourceTable> resources;
        FrameRecord frame;
        std::vector<OnionFrame> neighbours;
    };
    std::optional<Still> m_still;
    std::atomic<bool> m_showsPlacedImage{false};
    int m_bands = 0;  // as asked; 0: one per core
    std::unique_ptr<BandPool> m_bandPool;
    BandReport m_lastBands;
    std::vector<SpriteDraw> m_draws;  // the frame being composed, kept for its capacity
    QImage m_spare;            // the prepared picture, swapped with the canvas when presented
    FrontBuffer m_spareFront;  // its presented part, copied out while it was drawn
    std::optional<PreparedFrameKey> m_prepared;
};

}  // namespace plk
