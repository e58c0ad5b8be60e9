#include "editor/timesheet/playback_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "core/playback/playback_speed.h"
#include "editor/app/control_id.h"
#include "editor/timesheet/left_button_monitor.h"
#include "media/icons/playback_icons.h"
#include "media/render/renderer.h"

namespace plk {
namespace {

QIcon IconOf(PlaybackGlyph glyph) {
    return QIcon(QPixmap::fromImage(PlaybackIcon(glyph)));
}

// Command playback runs the script: its button's glyph carries three script lines in the
// corner, so the two play buttons can be told apart.
QIcon CommandIconOf(PlaybackGlyph glyph) {
    QImage image = PlaybackIcon(glyph);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(0, 90, 200), 2));
    for (int line = 0; line < 3; ++line) {
        const int y = kPlaybackIconSize - 7 + 3 * line;
        painter.drawLine(kPlaybackIconSize - 8, y, kPlaybackIconSize - 1, y);
    }
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

template <typename Widget>
Widget* WithId(Widget* widget, int id) {
    SetControlId(widget, id);
    return widget;
}

}  // namespace

CPlaybackControls::CPlaybackControls(std::unique_ptr<CutReader> cut,
                                     PlaybackWorker::PaletteSource palette, QWidget* parent)
    : CPlaybackControls(*cut, std::move(palette), parent) {
    m_ownedCut = std::move(cut);
}

CPlaybackControls::CPlaybackControls(const CutReader& cut, PlaybackWorker::PaletteSource palette,
                                     QWidget* parent)
    : QWidget(parent), m_cut(cut), m_palette(std::move(palette)) {
    PlaybackWorker::Callbacks callbacks;
    // Both arrive on the playback thread and are handed to this one; the generation lets
    // a late call of an ended playback be told apart.
    callbacks.frameShown = [this](int frameNumber, bool label) {
        Post({m_generationForThread.load(std::memory_order_acquire), frameNumber, label});
    };
    callbacks.finished = [this] {
        Post({m_generationForThread.load(std::memory_order_acquire), -1, false});
    };
    m_worker = std::make_unique<PlaybackWorker>(m_cut, m_palette, std::move(callbacks));
    LeftButtonMonitor& monitor = LeftButtonMonitor::Instance();
    m_worker->SetButtonSource([&monitor] { return monitor.PressCount(); },
                              [&monitor] { return monitor.Held(); });
    BuildControls();
}

void CPlaybackControls::Post(const PlaybackNews& news) {
    bool first = false;
    {
        std::lock_guard lock(m_mailboxMutex);
        first = m_mailbox.empty();
        m_mailbox.push_back(news);
    }
    if (first) {
        QMetaObject::invokeMethod(this, "DeliverFromPlayback", Qt::QueuedConnection);
    }
}

void CPlaybackControls::DeliverFromPlayback() {
    std::vector<PlaybackNews> news;
    {
        std::lock_guard lock(m_mailboxMutex);
        news.swap(m_mailbox);
    }
    for (const PlaybackNews& item : news) {
        if (item.frameNumber < 0) {
            OnPlaybackThreadEnded(item.generation);
        } else {
            ShowFrameFromPlayback(item.generation, item.frameNumber, item.label);
        }
    }
}

CPlaybackControls::~CPlaybackControls() {
    m_worker->RequestStop();
    m_worker.reset();  // joins: the thread ends within one frame
}

void CPlaybackControls::BuildControls() {
    m_speedGroup = WithId(new QGroupBox(tr("再生速度"), this), kSpeedGroupId);
    m_speedSlider = WithId(new QSlider(Qt::Horizontal, m_speedGroup), kSpeedSliderId);
    m_speedSlider->setRange(1, kSpeedPositions);
    m_speedSlider->setPageStep(1);
    m_speedSlider->setTickPosition(QSlider::TicksBelow);
    auto* speedLayout = new QVBoxLayout(m_speedGroup);
    speedLayout->addWidget(m_speedSlider);

    m_frameGroup = WithId(new QGroupBox(tr("フレーム"), this), kFrameGroupId);
    m_frameSlider = WithId(new QSlider(Qt::Horizontal, m_frameGroup), kFrameSliderId);
    m_frameSlider->setRange(1, 1);
    auto* frameLayout = new QVBoxLayout(m_frameGroup);
    frameLayout->addWidget(m_frameSlider);

    m_autoRepeat = WithId(new QCheckBox(tr("オートリピート"), this), kAutoRepeatId);
    m_frameSkip = WithId(new QCheckBox(tr("フレームスキップ有効"), this), kFrameSkipId);

    auto makeButton = [this](PlaybackGlyph glyph, int id) {
        auto* button = WithId(new QPushButton(this), id);
        button->setIcon(IconOf(glyph));
        button->setIconSize(QSize(kPlaybackIconSize, kPlaybackIconSize));
        button->setProperty("bitmap", static_cast<int>(glyph));
        return button;
    };
    m_rewind = makeButton(PlaybackGlyph::Rewind, kRewindId);
    m_pause = makeButton(PlaybackGlyph::Pause, kPauseId);
    m_simplePlay = makeButton(PlaybackGlyph::Play, kSimplePlayId);
    m_commandPlay = makeButton(PlaybackGlyph::Play, kCommandPlayId);
    m_commandPlay->setIcon(CommandIconOf(PlaybackGlyph::Play));
    // The pause button stays down while the playback is paused.
    m_pause->setCheckable(true);
    m_rewind->setToolTip(tr("巻き戻し: 1 フレーム目を表示します"));
    m_pause->setToolTip(tr("一時停止 / 再開"));
    m_simplePlay->setToolTip(
        tr("シンプル再生: 通常フレームだけを順に再生します (制御フレームは飛ばします)"));
    m_commandPlay->setToolTip(
        tr("コマンド再生: 制御フレームを実行してゲームと同じように再生します"));
    m_speedSlider->setToolTip(tr("再生速度 (1 秒あたりのフレーム数)"));
    m_frameSlider->setToolTip(tr("表示するフレーム"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_rewind, m_pause, m_simplePlay, m_commandPlay}) {
        buttons->addWidget(button);
    }
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_autoRepeat);
    checks->addWidget(m_frameSkip);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_speedGroup, 0, 0);
    layout->addWidget(m_frameGroup, 0, 1);
    layout->addLayout(checks, 1, 0);
    layout->addLayout(buttons, 1, 1);

    connect(m_speedSlider, &QSlider::valueChanged, this, &CPlaybackControls::OnSpeedChanged);
    connect(m_frameSlider, &QSlider::valueChanged, this, &CPlaybackControls::OnFrameSliderChanged);
    connect(m_autoRepeat, &QCheckBox::toggled, this,
            [this](bool on) { m_worker->SetAutoRepeat(on); });
    connect(m_simplePlay, &QPushButton::clicked, this, &CPlaybackControls::OnSimplePlayClicked);
    connect(m_commandPlay, &QPushButton::clicked, this, &CPlaybackControls::OnCommandPlayClicked);
    connect(m_pause, &QPushButton::clicked, this, &CPlaybackControls::OnPauseClicked);
    connect(m_rewind, &QPushButton::clicked, this, &CPlaybackControls::OnRewindClicked);

    m_speedSlider->setValue(kDefaultSpeedPosition);
    OnSpeedChanged(kDefaultSpeedPosition);
    SetFrameLabel(1);
}

int CPlaybackControls::SpeedPosition() const {
    return m_speedSlider->value();
}
int CPlaybackControls::FramePosition() const {
    return m_frameSlider->value();
}

void CPlaybackControls::SetFrameCount(int normalFrames) {
    m_moveFromPlayback = true;  // a range change moves the slider without drawing
    m_frameSlider->setRange(1, std::max(1, normalFrames));
    m_moveFromPlayback = false;
}

void CPlaybackControls::SetFrameLabel(int frameNumber) {
    m_frameGroup->setTitle(tr(" %1 フレーム").arg(frameNumber, 4));
}

void CPlaybackControls::SetButtonImage(QPushButton* button, bool playing) {
    const PlaybackGlyph glyph = playing ? PlaybackGlyph::Stop : PlaybackGlyph::Play;
    button->setIcon(button == m_commandPlay ? CommandIconOf(glyph) : IconOf(glyph));
    button->setProperty("bitmap", static_cast<int>(glyph));
}

void CPlaybackControls::OnSpeedChanged(int position) {
    m_speedGroup->setTitle(tr("再生速度 %1 Frame/Sec").arg(SpeedFramesPerSecond(position), 2));
    m_worker->SetSpeedPosition(position);
}

void CPlaybackControls::OnFrameSliderChanged(int frameNumber) {
    if (m_moveFromPlayback) {
        return;
    }
    DrawFrame(frameNumber);
    Q_EMIT frameChosen(frameNumber);
}

void CPlaybackControls::ShowFrameNumber(int frameNumber) {
    if (IsPlaying()) {
        return;
    }
    m_moveFromPlayback = true;
    m_frameSlider->setValue(frameNumber);
    m_moveFromPlayback = false;
    DrawFrame(m_frameSlider->value());
}

void CPlaybackControls::RedrawFrame() {
    if (!IsPlaying()) {
        DrawFrame(m_frameSlider->value());
    }
}

void CPlaybackControls::DrawFrame(int frameNumber) {
    SetFrameLabel(frameNumber);
    Q_EMIT aboutToDrawFrame();
    // A still frame: with its onion skin when the preview's panel asks for one.
    Renderer::Instance().DrawStillFrame(m_palette ? m_palette() : nullptr, m_cut, frameNumber);
}

void CPlaybackControls::ShowFrameFromPlayback(int generation, int frameNumber, bool label) {
    if (generation != m_generation) {
        return;  // a late call of a playback that has ended
    }
    m_moveFromPlayback = true;
    m_frameSlider->setValue(frameNumber);
    m_moveFromPlayback = false;
    if (label) {
        SetFrameLabel(frameNumber);
    }
}

void CPlaybackControls::PlayRows(int first, int last) {
    if (m_commandPlaying) {
        return;
    }
    if (m_simplePlaying) {
        m_worker->RequestStop();  // Start waits for it to end
    }
    StartSimple(std::make_pair(first, last));
}

void CPlaybackControls::StartSimple(std::optional<std::pair<int, int>> rows) {
    Q_EMIT aboutToStartPlayback();
    SetButtonImage(m_simplePlay, true);
    m_simplePlaying = true;
    m_rewind->setEnabled(false);
    m_commandPlay->setEnabled(false);
    m_generationForThread.store(++m_generation, std::memory_order_release);
    m_worker->SetAutoRepeat(m_autoRepeat->isChecked());
    m_worker->SetSpeedPosition(m_speedSlider->value());
    m_worker->Start(PlaybackWorker::Mode::Simple, rows);
}

void CPlaybackControls::OnSimplePlayClicked() {
    if (m_commandPlaying) {
        return;
    }
    if (!m_simplePlaying) {
        StartSimple(std::nullopt);
    } else {
        SetButtonImage(m_simplePlay, false);
        m_worker->RequestStop();
        m_rewind->setEnabled(true);
        m_commandPlay->setEnabled(true);
    }
}

void CPlaybackControls::OnCommandPlayClicked() {
    if (m_simplePlaying) {
        return;
    }
    if (!m_commandPlaying) {
        Q_EMIT aboutToStartPlayback();
        SetButtonImage(m_commandPlay, true);
        m_commandPlaying = true;
        m_rewind->setEnabled(false);
        m_simplePlay->setEnabled(false);
        m_pause->setEnabled(false);
        m_generationForThread.store(++m_generation, std::memory_order_release);
        m_worker->SetSpeedPosition(m_speedSlider->value());
        m_worker->Start(PlaybackWorker::Mode::Command);
    } else {
        SetButtonImage(m_commandPlay, false);
        m_worker->RequestStop();
        m_rewind->setEnabled(true);
        m_simplePlay->setEnabled(true);
        m_pause->setEnabled(true);
    }
}

void CPlaybackControls::OnPauseClicked() {
    m_worker->SetPaused(!m_worker->IsPaused());
    m_pause->setChecked(m_worker->IsPaused());
}

void CPlaybackControls::OnRewindClicked() {
    if (IsPlaying()) {
        return;
    }
    ShowFrameNumber(1);
    Q_EMIT frameChosen(1);
}

void CPlaybackControls::RewindQuietly() {
    m_moveFromPlayback = true;  // nothing is drawn
    m_frameSlider->setValue(1);
    m_moveFromPlayback = false;
    SetFrameLabel(1);
}

void CPlaybackControls::RequestCommandStop() {
    if (m_commandPlaying) {
        m_worker->RequestStop();
    }
}

void CPlaybackControls::RequestStop() {
    m_worker->RequestStop();
}

void CPlaybackControls::StopAndWait() {
    m_worker->RequestStop();
    m_worker->Join();
    if (m_simplePlaying || m_commandPlaying) {
        ++m_generation;  // the ended thread's queued calls no longer apply
        EndOfPlayback();
    }
}

void CPlaybackControls::OnPlaybackThreadEnded(int generation) {
    if (generation != m_generation) {
        return;
    }
    EndOfPlayback();
}

void CPlaybackControls::EndOfPlayback() {
    m_worker->Join();  // the thread has made its last call
    m_worker->SetPaused(false);
    m_pause->setChecked(false);
    m_simplePlaying = false;
    m_commandPlaying = false;
    RewindQuietly();
    SetButtonImage(m_simplePlay, false);
    SetButtonImage(m_commandPlay, false);
    for (QPushButton* button : {m_rewind, m_pause, m_simplePlay, m_commandPlay}) {
        button->setEnabled(true);
    }
    Q_EMIT playbackFinished();
}

}  // namespace plk
