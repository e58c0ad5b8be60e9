#include "editor/app/animation_export_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <exception>

#include "core/playback/playback_speed.h"

namespace plk {
namespace {

struct RegionChoice {
    const char* text;
    QRect rect;
};
const RegionChoice kRegions[] = {
    {QT_TRANSLATE_NOOP("plk::CAnimationExportDialog", "画面全体 (1024 x 768)"),
     QRect(0, 0, 1024, 768)},
    {QT_TRANSLATE_NOOP("plk::CAnimationExportDialog", "ゲーム画面 (800 x 600)"),
     QRect(112, 84, 800, 600)},
    {QT_TRANSLATE_NOOP("plk::CAnimationExportDialog", "メッセージ (800 x 96)"),
     QRect(112, 336, 800, 96)},
};

}  // namespace

CAnimationExportDialog::CAnimationExportDialog(QWidget* parent, const Cut& cut,
                                               const ResourceTable& palette)
    : QDialog(parent), m_cut(cut), m_palette(palette) {
    setWindowTitle(tr("アニメーションを書き出す"));
    auto* form = new QFormLayout;

    m_mode = new QComboBox(this);
    m_mode->addItem(tr("コマンド再生"));
    m_mode->addItem(tr("シンプル再生"));
    form->addRow(tr("再生"), m_mode);

    m_speed = new QSpinBox(this);
    m_speed->setRange(1, kSpeedPositions);
    m_speed->setValue(kDefaultSpeedPosition);
    const auto speedText = [](int position) {
        return QStringLiteral(" (%1 Frame/Sec)").arg(SpeedFramesPerSecond(position));
    };
    m_speed->setSuffix(speedText(kDefaultSpeedPosition));
    connect(m_speed, &QSpinBox::valueChanged, this,
            [this, speedText](int position) { m_speed->setSuffix(speedText(position)); });
    form->addRow(tr("再生速度"), m_speed);

    m_seconds = new QSpinBox(this);
    m_seconds->setRange(1, 600);
    m_seconds->setValue(20);
    m_seconds->setSuffix(tr(" 秒まで"));
    form->addRow(tr("長さの上限"), m_seconds);

    m_clickEvery = new QSpinBox(this);
    m_clickEvery->setRange(0, 60);
    m_clickEvery->setValue(3);
    m_clickEvery->setSuffix(tr(" 秒ごと"));
    m_clickEvery->setSpecialValueText(tr("クリックしない"));
    form->addRow(tr("クリック"), m_clickEvery);
    connect(m_mode, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_clickEvery->setEnabled(index == 0); });

    m_region = new QComboBox(this);
    for (const RegionChoice& region : kRegions) {
        m_region->addItem(tr(region.text));
    }
    form->addRow(tr("範囲"), m_region);

    m_scale = new QSpinBox(this);
    m_scale->setRange(5, 400);
    m_scale->setValue(100);
    m_scale->setSuffix(QStringLiteral(" %"));
    form->addRow(tr("拡大率"), m_scale);

    m_quality = new QSpinBox(this);
    m_quality->setRange(0, 100);
    m_quality->setValue(0);
    m_quality->setSpecialValueText(tr("可逆圧縮"));
    form->addRow(tr("WebP の品質"), m_quality);

    m_summary = new QLabel(tr("長さ: -　フレーム数: -"), this);
    auto* measure = new QPushButton(tr("長さを調べる"), this);
    connect(measure, &QPushButton::clicked, this, &CAnimationExportDialog::Measure);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("書き出す..."));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* summaryRow = new QHBoxLayout;
    summaryRow->addWidget(m_summary, 1);
    summaryRow->addWidget(measure);
    layout->addLayout(summaryRow);
    layout->addWidget(buttons);
}

AnimationExportOptions CAnimationExportDialog::Options() const {
    AnimationExportOptions options;
    VirtualPlaybackOptions& playback = options.playback;
    playback.command = m_mode->currentIndex() == 0;
    playback.speed = m_speed->value();
    playback.until = static_cast<std::int64_t>(m_seconds->value()) * 1000;
    if (playback.command && m_clickEvery->value() > 0) {
        const std::int64_t every = static_cast<std::int64_t>(m_clickEvery->value()) * 1000;
        for (std::int64_t at = every; at < playback.until; at += every) {
            playback.clicks.push_back(at);
        }
    }
    options.region = kRegions[std::max(0, m_region->currentIndex())].rect;
    options.scale = m_scale->value() / 100.0;
    if (m_quality->value() > 0) {
        options.lossyQuality = m_quality->value();
    }
    return options;
}

void CAnimationExportDialog::Measure() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        const AnimationSummary summary = MeasureAnimation(m_cut, m_palette, Options());
        m_measuredMs = summary.durationMs;
        m_summary->setText(tr("長さ: %1 秒　フレーム数: %2")
                               .arg(static_cast<double>(summary.durationMs) / 1000.0, 0, 'f', 2)
                               .arg(summary.frames));
    } catch (const std::exception&) {
        m_summary->setText(tr("このカットは何も表示しません。"));
    }
    QApplication::restoreOverrideCursor();
}

}  // namespace plk
