#pragma once

#include "editor/app/tool_window.h"

namespace plk {

class CPreViewCtrl;

// "PreView Window": the window the canvas is shown in; it creates and owns its control
// panel. Drawing arrives with the renderer; until then the client area stays dark.
class CPreView : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 800;
    static constexpr int kClientHeight = 600;

    explicit CPreView(QWidget* owner);

    CPreViewCtrl* ControlPanel() const { return m_control; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CPreViewCtrl* m_control;
    bool m_controlShown = false;
};

}  // namespace plk
