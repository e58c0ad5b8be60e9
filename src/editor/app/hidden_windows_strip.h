#pragma once

#include <QLabel>
#include <utility>
#include <vector>

class QAction;

namespace plk {

// A strip in the main window that names the tool windows now hidden and brings one back
// with a click, as its 表示 item does. It shows only while a window is hidden, so a window
// that found no room at the first start (or that the author closed) is never lost.
class HiddenWindowsStrip : public QLabel {
    Q_OBJECT
public:
    explicit HiddenWindowsStrip(QWidget* parent);

    // The windows it watches, each with its 表示 action (whose text names it). It names
    // them from the next Update().
    void Watch(std::vector<std::pair<QWidget*, QAction*>> windows);
    // Names the hidden windows again; the frame calls it when a window is shown or hidden.
    void Update();
    // The names of the windows it offers now, in the order of the 表示 menu.
    QStringList Offered() const;
    // The height the strip takes at `width` when it names every watched window.
    int HeightNamingAll(int width) const;

private:
    QString TextFor(const QStringList& indices) const;

    std::vector<std::pair<QWidget*, QAction*>> m_windows;
};

}  // namespace plk
