#include "editor/preview/preview_ctrl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <mutex>

#include "editor/app/control_id.h"
#include "editor/app/field_reading.h"
#include "editor/app/stored_path_check.h"
#include "editor/preview/preview_ctrl_texts.h"
#include "editor/preview/tick_slider.h"
#include "media/render/frame_lock.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace plk {
namespace {

FileFilter PngFileFilter() {
    return {QStringLiteral("Portable Network Graphics (*.png)"), QStringLiteral("png"),
            QStringLiteral("background")};
}

// Changes the view settings under the frame lock, so that a playback thread never reads
// them half-changed, then shows the result.
template <typename Change>
void ChangeView(Change change) {
    Renderer& renderer = Renderer::Instance();
    {
        std::lock_guard lock(FrameMutex());
        change(renderer.Settings());
    }
    renderer.RenderPreview();
}

}  // namespace

CPreViewCtrl::CPreViewCtrl(QWidget* preview)
    : CToolWindow(QStringLiteral("PreViewControl"), preview),
      m_preview(preview),
      m_files(std::make_unique<QtFileDialogs>()),
      m_boxes(std::make_unique<QtMessageBoxes>()) {
    auto* layout = new QVBoxLayout(this);
    m_topmost = new QCheckBox(tr("常に最前面"), this);
    SetControlId(m_topmost, 1010);
    layout->addWidget(m_topmost);
    layout->addWidget(BuildSizeControls());
    layout->addWidget(BuildBackgroundControls());
    layout->addWidget(BuildGuideControls());
    layout->addWidget(BuildAnimationTools());
    layout->addStretch(1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ConnectControls();
}

CPreViewCtrl::~CPreViewCtrl() = default;

void CPreViewCtrl::SetDialogs(std::unique_ptr<FileDialogs> files,
                              std::unique_ptr<MessageBoxes> boxes) {
    m_files = std::move(files);
    m_boxes = std::move(boxes);
}

void CPreViewCtrl::ConnectControls() {
    connect(m_topmost, &QCheckBox::clicked, this, &CPreViewCtrl::OnTopmostClicked);
    connect(m_xSlider, &QSlider::valueChanged, this, &CPreViewCtrl::OnXSliderMoved);
    connect(m_ySlider, &QSlider::valueChanged, this, &CPreViewCtrl::OnYSliderMoved);
    // Only the author's typing counts; the panel's own updates of the text do not.
    connect(m_xEdit, &QLineEdit::textEdited, this, &CPreViewCtrl::OnXEditChanged);
    connect(m_yEdit, &QLineEdit::textEdited, this, &CPreViewCtrl::OnYEditChanged);
    m_xEdit->installEventFilter(this);
    m_yEdit->installEventFilter(this);
    connect(m_zoomSlider, &QSlider::valueChanged, this, &CPreViewCtrl::OnZoomMoved);
    connect(m_redSlider, &QSlider::valueChanged, this, &CPreViewCtrl::OnRedMoved);
    connect(m_greenSlider, &QSlider::valueChanged, this, &CPreViewCtrl::OnGreenMoved);
    connect(m_blueSlider, &QSlider::valueChanged, this, &CPreViewCtrl::OnBlueMoved);
    connect(m_sync, &QCheckBox::clicked, this, &CPreViewCtrl::OnSyncClicked);
    connect(m_imageButton, &QPushButton::clicked, this, &CPreViewCtrl::OnBackgroundImageClicked);
    connect(m_alphaSlider, &QSlider::valueChanged, this, &CPreViewCtrl::OnImageAlphaMoved);
    connect(m_grid, &QComboBox::currentIndexChanged, this, &CPreViewCtrl::OnGridChanged);
}

bool CPreViewCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Focus that leaves with the whole window (another window or a message box comes
        // up) is not the author moving on from the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == m_xEdit) {
                OnXEditLostFocus();
            } else if (watched == m_yEdit) {
                OnYEditLostFocus();
            }
        }
    }
    return CToolWindow::eventFilter(watched, event);
}

LResult CPreViewCtrl::OnWindowMessage(const WindowMessage& message) {
    if (message.Message() == WM_PREVIEW_SIZE) {
        const WParam packed = message.WParameter();
        OnPreviewSize(static_cast<int>(packed & 0xFFFF), static_cast<int>((packed >> 16) & 0xFFFF));
    }
    return 0;
}

void CPreViewCtrl::OnTopmostClicked(bool checked) {
    SetStaysOnTop(m_preview, checked);
    // The preview's native window was made anew; the panel stays a window that belongs to
    // it (above the preview and the main window, not one of its own in the task list).
    if (QWindow* panel = windowHandle(); panel != nullptr && m_preview->windowHandle()) {
        panel->setTransientParent(m_preview->windowHandle());
    }
    // The preview's window was made anew while this panel, its child, waited to repaint
    // the box; that repaint is lost on some window systems.
    update();
}

// --- Size ---------------------------------------------------------------------------------

void CPreViewCtrl::OnXSliderMoved(int position) {
    m_xSize = position;
    ShowSizeInEdits();
    ResizePreview(m_xSize, m_preview->height());
}

void CPreViewCtrl::OnYSliderMoved(int position) {
    m_ySize = position;
    ShowSizeInEdits();
    ResizePreview(m_preview->width(), m_ySize);
}

void CPreViewCtrl::OnXEditChanged(const QString& text) {
    if (LeadingInteger(text) < kTypedSizeThreshold) {
        return;
    }
    ReadBack(m_xEdit, kMinXSize, kMaxXSize, m_xSize);
    SetSliderQuietly(m_xSlider, m_xSize);
    ResizePreview(m_xSize, m_preview->height());
}

void CPreViewCtrl::OnYEditChanged(const QString& text) {
    if (LeadingInteger(text) < kTypedSizeThreshold) {
        return;
    }
    ReadBack(m_yEdit, kMinYSize, kMaxYSize, m_ySize);
    SetSliderQuietly(m_ySlider, m_ySize);
    ResizePreview(m_preview->width(), m_ySize);
}

void CPreViewCtrl::OnXEditLostFocus() {
    if (m_readingBack) {
        return;
    }
    ReadBack(m_xEdit, kMinXSize, kMaxXSize, m_xSize);
    SetSliderQuietly(m_xSlider, m_xSize);
    ResizePreview(m_xSize, m_preview->height());
}

void CPreViewCtrl::OnYEditLostFocus() {
    if (m_readingBack) {
        return;
    }
    ReadBack(m_yEdit, kMinYSize, kMaxYSize, m_ySize);
    SetSliderQuietly(m_ySlider, m_ySize);
    if (m_ySize >= kTypedSizeThreshold) {
        ResizePreview(m_preview->width(), m_ySize);
    }
}

void CPreViewCtrl::OnPreviewSize(int width, int height) {
    // Shown only: the preview already has this size, nothing is sent back.
    m_xSize = width;
    m_ySize = height;
    SetSliderQuietly(m_xSlider, m_xSize);
    SetSliderQuietly(m_ySlider, m_ySize);
    ShowSizeInEdits();
}

bool CPreViewCtrl::ReadBack(QLineEdit* edit, int minimum, int maximum, int& field) {
    m_readingBack = true;
    // A number outside the range is still taken (the preview keeps within its limits) and
    // reported.
    const FieldReading<int> number = ReadIntegerField(edit->text());
    if (!number.Ok()) {
        m_boxes->ShowError(this, number.problem);
    } else {
        field = number.value;
        if (const FieldReading<int> ranged = ReadIntegerField(edit->text(), minimum, maximum);
            !ranged.Ok()) {
            m_boxes->ShowError(this, ranged.problem);
        }
    }
    m_readingBack = false;
    return number.Ok();
}

void CPreViewCtrl::ShowSizeInEdits() {
    // An edit that already reads the value keeps its text (and the caret of the author
    // typing in it).
    const auto show = [](QLineEdit* edit, int value) {
        bool ok = false;
        if (edit->text().trimmed().toInt(&ok) != value || !ok) {
            edit->setText(QString::number(value));
        }
    };
    show(m_xEdit, m_xSize);
    show(m_yEdit, m_ySize);
}

void CPreViewCtrl::SetSliderQuietly(QSlider* slider, int position) {
    const QSignalBlocker blocker(slider);
    slider->setValue(position);
}

void CPreViewCtrl::ResizePreview(int clientWidth, int clientHeight) {
    // The preview's limits keep a size out of range within what it can show.
    const int width = std::clamp(clientWidth, m_preview->minimumWidth(), m_preview->maximumWidth());
    const int height =
        std::clamp(clientHeight, m_preview->minimumHeight(), m_preview->maximumHeight());
    m_preview->resize(width, height);
    m_preview->update();
}

// --- Zoom, background, guides, grid --------------------------------------------------------

void CPreViewCtrl::OnZoomMoved(int position) {
    m_zoomText->setText(ZoomStepText(position));
    ChangeView([position](ViewSettings& view) { view.zoom = std::ldexp(1.0f, position); });
}

void CPreViewCtrl::OnRedMoved(int position) {
    m_redText->setText(QString::number(position));
    const bool sync = m_sync->isChecked();
    if (sync) {
        SetSliderQuietly(m_greenSlider, position);
        SetSliderQuietly(m_blueSlider, position);
        m_greenText->setText(QString::number(position));
        m_blueText->setText(QString::number(position));
    }
    ChangeView([position, sync](ViewSettings& view) {
        const auto value = static_cast<std::uint8_t>(position);
        view.backgroundRed = value;
        if (sync) {
            view.backgroundGreen = value;
            view.backgroundBlue = value;
        }
    });
}

void CPreViewCtrl::OnGreenMoved(int position) {
    m_greenText->setText(QString::number(position));
    ChangeView([position](ViewSettings& view) {
        view.backgroundGreen = static_cast<std::uint8_t>(position);
    });
}

void CPreViewCtrl::OnBlueMoved(int position) {
    m_blueText->setText(QString::number(position));
    ChangeView([position](ViewSettings& view) {
        view.backgroundBlue = static_cast<std::uint8_t>(position);
    });
}

void CPreViewCtrl::OnSyncClicked(bool checked) {
    // Green and blue follow red from its next move on.
    m_greenSlider->setEnabled(!checked);
    m_blueSlider->setEnabled(!checked);
}

void CPreViewCtrl::OnImageAlphaMoved(int position) {
    m_alphaText->setText(QString::number(position));
    ChangeView([position](ViewSettings& view) {
        view.backgroundImageAlpha = static_cast<std::uint8_t>(position);
    });
}

void CPreViewCtrl::OnGuideClicked(int index, bool checked) {
    ChangeView([index, checked](ViewSettings& view) {
        view.SetGuide(static_cast<Guide>(index), checked);
    });
}

void CPreViewCtrl::OnGridChanged(int index) {
    if (index < 0) {
        return;
    }
    ChangeView([index](ViewSettings& view) { view.gridSpacing = std::ldexp(1.0f, index); });
}

// --- Background image ----------------------------------------------------------------------

void CPreViewCtrl::OnBackgroundImageClicked(bool checked) {
    if (!checked) {
        ClearBackgroundImage();
        return;
    }
    // A cancelled choice changes nothing; the button stays down.
    const QString path = m_files->GetOpenFileName(this, PngFileFilter());
    if (path.isEmpty()) {
        return;
    }
    // Refused as a palette import refuses it; the background stays as it was.
    if (const QString reason = UnstorablePathReason(path); !reason.isEmpty()) {
        m_boxes->ShowError(this, UnstorablePathMessage(path, reason));
        return;
    }
    SetBackgroundImage(path);
}

void CPreViewCtrl::SetBackgroundImage(const QString& path) {
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    // The store keys a file by its name; the background keeps that name to draw it.
    const std::string name = file.filename().string();
    TextureStore& store = TextureStore::Instance();
    {
        std::lock_guard lock(FrameMutex());
        ViewSettings& view = Renderer::Instance().Settings();
        store.Release(view.backgroundImageName);
        view.backgroundImageName = name;
        view.backgroundImagePath = file.string();
        // A file that cannot be read keeps its entry without a texture: nothing is drawn.
        store.LoadFromFile(file, "", 0);
    }
    Renderer::Instance().RenderPreview();
    m_imageButton->setText(QFileInfo(path).fileName());
}

void CPreViewCtrl::ClearBackgroundImage() {
    ChangeView([](ViewSettings& view) {
        TextureStore::Instance().Release(view.backgroundImageName);
        view.backgroundImageName.clear();
        view.backgroundImagePath.clear();
    });
    m_imageButton->setText(kNoImageText);
}

}  // namespace plk
