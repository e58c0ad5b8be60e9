#pragma once

#include <QWidget>

class QPrinter;

namespace plk {

// The view role: the frame's client area. It draws nothing, on screen or on paper.
class CPLKCEView : public QWidget {
    Q_OBJECT
public:
    explicit CPLKCEView(QWidget* parent);

    // Prints the (empty) view: one blank page.
    void Print(QPrinter* printer);
};

}  // namespace plk
