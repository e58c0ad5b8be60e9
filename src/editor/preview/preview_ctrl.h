#pragma once

#include "editor/app/tool_window.h"

namespace plk {

// "PreViewControl": the preview's companion panel (size, zoom, background, guides). Its
// controls arrive with the rendering work; for now it only holds its place on screen.
class CPreViewCtrl : public CToolWindow {
    Q_OBJECT
public:
    explicit CPreViewCtrl(QWidget* preview);
};

}  // namespace plk
