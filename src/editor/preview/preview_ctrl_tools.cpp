// The panel's animation tools: onion skin and the view fitted to the preview's window.
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>
#include <mutex>

#include "core/timesheet/onion_skin.h"
#include "editor/app/control_id.h"
#include "editor/preview/preview.h"
#include "editor/preview/preview_ctrl.h"
#include "media/render/frame_lock.h"
#include "media/render/renderer.h"

namespace plk {

QKeySequence CPreViewCtrl::OnionShortcut() {
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O);
}

QWidget* CPreViewCtrl::BuildAnimationTools() {
    auto* box = new QGroupBox(tr("アニメーション"), this);
    auto* layout = new QVBoxLayout(box);

    m_fit = new QCheckBox(tr("ウインドウに合わせる"), box);
    m_fit->setObjectName(QStringLiteral("fitToWindow"));
    m_fit->setToolTip(tr("画面全体（1024 x 768）をウインドウの大きさに合わせて表示します"));
    layout->addWidget(m_fit);

    auto* onionRow = new QHBoxLayout;
    m_onion = new QCheckBox(tr("オニオンスキン"), box);
    m_onion->setObjectName(QStringLiteral("onionSkin"));
    m_onion->setToolTip(tr("前後のフレームを薄く重ねて表示します（前は赤、後は青緑）　%1")
                            .arg(OnionShortcut().toString(QKeySequence::NativeText)));
    m_onionDepth = new QSpinBox(box);
    m_onionDepth->setObjectName(QStringLiteral("onionDepth"));
    m_onionDepth->setRange(1, kMaxOnionDepth);
    {
        std::lock_guard lock(FrameMutex());
        const ViewSettings& view = Renderer::Instance().Settings();
        m_onion->setChecked(view.onionSkin);
        m_onionDepth->setValue(view.onionDepth);
    }
    m_onionDepth->setToolTip(tr("前後それぞれのフレーム数"));
    onionRow->addWidget(m_onion, 1);
    onionRow->addWidget(new QLabel(tr("前後"), box));
    onionRow->addWidget(m_onionDepth);
    layout->addLayout(onionRow);

    connect(m_fit, &QCheckBox::clicked, this, &CPreViewCtrl::OnFitClicked);
    connect(m_onion, &QCheckBox::toggled, this, &CPreViewCtrl::OnOnionChanged);
    connect(m_onionDepth, &QSpinBox::valueChanged, this, &CPreViewCtrl::OnOnionChanged);
    auto* shortcut = new QShortcut(OnionShortcut(), this);
    shortcut->setContext(Qt::ApplicationShortcut);
    connect(shortcut, &QShortcut::activated, m_onion, &QCheckBox::toggle);
    return box;
}

void CPreViewCtrl::OnOnionChanged() {
    Renderer& renderer = Renderer::Instance();
    {
        std::lock_guard lock(FrameMutex());
        ViewSettings& view = renderer.Settings();
        view.onionSkin = m_onion->isChecked();
        view.onionDepth = m_onionDepth->value();
    }
    // Only a still frame has an onion skin; a playing cut or the palette's image stays.
    renderer.RedrawStill();
}

void CPreViewCtrl::SetFitToWindow(bool fit) {
    m_fit->setChecked(fit);
    OnFitClicked(fit);
}

void CPreViewCtrl::OnFitClicked(bool checked) {
    if (auto* preview = qobject_cast<CPreView*>(m_preview)) {
        preview->SetFitToWindow(checked);
    }
}

}  // namespace plk
