#pragma once

#include <QKeySequence>
#include <memory>

#include "editor/app/tool_window.h"
#include "editor/app/user_dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

namespace plk {

class TickSlider;

// "PreViewControl": the preview's companion panel. It sets the preview's client size, the
// zoom, the background colour and image, the guides and the grid. The view settings live
// in the renderer; the panel starts with the renderer's own initial values, so nothing is
// pushed at start, and every change is drawn at once.
class CPreViewCtrl : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kMinXSize = 1;
    static constexpr int kMaxXSize = 1024;
    static constexpr int kMinYSize = 1;
    static constexpr int kMaxYSize = 768;
    // Typing below this many pixels does nothing yet: "8" on the way to "800" must not
    // shrink the preview to a sliver.
    static constexpr int kTypedSizeThreshold = 63;

    explicit CPreViewCtrl(QWidget* preview);
    ~CPreViewCtrl() override;

    // Replaces the dialogs the panel shows (tests answer them instead of a user).
    void SetDialogs(std::unique_ptr<FileDialogs> files, std::unique_ptr<MessageBoxes> boxes);

    // Ctrl+Shift+O, anywhere in the program, turns the onion skin on or off.
    static QKeySequence OnionShortcut();

    int XSize() const { return m_xSize; }
    // Ticks "ウインドウに合わせる" and fits the preview, as a click on the box does.
    void SetFitToWindow(bool fit);
    int YSize() const { return m_ySize; }

protected:
    LResult OnWindowMessage(const WindowMessage& message) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildSizeControls();
    QWidget* BuildBackgroundControls();
    QWidget* BuildGuideControls();
    // Onion skin and the fitted view (preview_ctrl_tools.cpp).
    QWidget* BuildAnimationTools();
    void OnOnionChanged();
    void OnFitClicked(bool checked);
    void ConnectControls();

    void OnTopmostClicked(bool checked);
    void OnXSliderMoved(int position);
    void OnYSliderMoved(int position);
    void OnXEditChanged(const QString& text);
    void OnYEditChanged(const QString& text);
    void OnXEditLostFocus();
    void OnYEditLostFocus();
    void OnZoomMoved(int position);
    void OnRedMoved(int position);
    void OnGreenMoved(int position);
    void OnBlueMoved(int position);
    void OnSyncClicked(bool checked);
    void OnBackgroundImageClicked(bool checked);
    void OnImageAlphaMoved(int position);
    void OnGuideClicked(int index, bool checked);
    void OnGridChanged(int index);
    void OnPreviewSize(int width, int height);

    // Reads an edit back into `field` as the dialog data exchange does: text that is no
    // integer leaves the field alone and says so (false); a value outside the range is
    // stored all the same and named in a message, since the slider and the window's own
    // limits keep it in bounds.
    bool ReadBack(QLineEdit* edit, int minimum, int maximum, int& field);
    void ShowSizeInEdits();
    void SetSliderQuietly(QSlider* slider, int position);
    void ResizePreview(int clientWidth, int clientHeight);
    void SetBackgroundImage(const QString& path);
    void ClearBackgroundImage();

    QWidget* m_preview;
    std::unique_ptr<FileDialogs> m_files;
    std::unique_ptr<MessageBoxes> m_boxes;

    QCheckBox* m_topmost = nullptr;
    TickSlider* m_xSlider = nullptr;
    TickSlider* m_ySlider = nullptr;
    QLineEdit* m_xEdit = nullptr;
    QLineEdit* m_yEdit = nullptr;
    TickSlider* m_zoomSlider = nullptr;
    QLabel* m_zoomText = nullptr;
    QSlider* m_redSlider = nullptr;
    QSlider* m_greenSlider = nullptr;
    QSlider* m_blueSlider = nullptr;
    QLabel* m_redText = nullptr;
    QLabel* m_greenText = nullptr;
    QLabel* m_blueText = nullptr;
    QCheckBox* m_sync = nullptr;
    QPushButton* m_imageButton = nullptr;
    QSlider* m_alphaSlider = nullptr;
    QLabel* m_alphaText = nullptr;
    QComboBox* m_grid = nullptr;
    QCheckBox* m_onion = nullptr;
    QSpinBox* m_onionDepth = nullptr;
    QCheckBox* m_fit = nullptr;

    int m_xSize = 800;
    int m_ySize = 600;
    bool m_readingBack = false;  // a message box shown while reading must not read again
};

}  // namespace plk
