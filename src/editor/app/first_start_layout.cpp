#include "editor/app/first_start_layout.h"

#include <algorithm>

namespace plk {
namespace {

constexpr int kPreviewWidth = 800;  // the game's screen at zoom 1
constexpr int kPreviewHeight = 600;
constexpr int kSmallestPalette = 300;
// A page's cell fields and playback controls stand above its grid; this leaves a few rows
// of the grid visible under them.
constexpr int kSmallestTimeSheet = 420;

QSize Outer(const QSize& client) {
    return client + kExpectedDecoration;
}

}  // namespace

FirstStartLayout PlanFirstStartLayout(const QRect& area, const FirstStartSizes& sizes) {
    FirstStartLayout layout;
    const int left = area.left();
    const int right = area.left() + area.width();
    const int bottom = area.top() + area.height();

    // The control panel takes the right edge from the top, as it is tall. The main window
    // is a strip along the top beside it, with its menu and toolbar; the project lives in
    // the tool windows below.
    const QSize panel = Outer(sizes.previewControl);
    layout.previewControl = QRect(QPoint(right - panel.width(), area.top()), panel);
    const int frameHeight = Outer(sizes.frame).height();
    layout.frame = QRect(left, area.top(), area.width() - panel.width(), frameHeight);
    const int top = layout.frame.bottom() + 1;
    const int height = std::max(1, bottom - top);

    // The palette on the left.
    const int paletteWidth =
        std::clamp(area.width() * 28 / 100, kSmallestPalette, Outer(sizes.palette).width());
    layout.palette = QRect(left, top, paletteWidth, height);

    // The preview between them at 4:3, up to the game's screen, leaving room for the time
    // sheet under it.
    const int middleLeft = left + paletteWidth;
    const int middleRoom = std::max(1, layout.previewControl.left() - middleLeft);
    const int middleWidth = std::min(middleRoom, std::max(Outer(QSize(kPreviewWidth, 0)).width(),
                                                          Outer(sizes.timeSheet).width()));
    int clientWidth = std::min(kPreviewWidth, middleWidth - kExpectedDecoration.width());
    int clientHeight = clientWidth * kPreviewHeight / kPreviewWidth;
    const int highest = height - kSmallestTimeSheet - kExpectedDecoration.height();
    if (clientHeight > highest) {
        clientHeight = std::max(1, highest);
        clientWidth = clientHeight * kPreviewWidth / kPreviewHeight;
    }
    const QSize preview = Outer(QSize(std::max(1, clientWidth), std::max(1, clientHeight)));
    layout.preview = QRect(QPoint(middleLeft, top), preview);
    layout.timeSheet = QRect(middleLeft, top + preview.height(), middleWidth,
                             std::max(1, height - preview.height()));

    // The browsers go into the room left between the middle and the panel, one above the
    // other or side by side; a browser that finds none starts hidden.
    QRect room(middleLeft + middleWidth, top,
               layout.previewControl.left() - (middleLeft + middleWidth), height);
    auto place = [&room](const QSize& client, QRect& rect, bool& shown) {
        const QSize outer = Outer(client);
        shown = outer.width() <= room.width() && outer.height() <= room.height();
        rect = QRect(room.topLeft(), outer);
        if (shown) {
            if (room.height() - outer.height() >= 0) {
                room.setTop(room.top() + outer.height());
            }
        }
    };
    place(sizes.messageBrowser, layout.messageBrowser, layout.messageBrowserShown);
    place(sizes.profileBrowser, layout.profileBrowser, layout.profileBrowserShown);
    if (!layout.profileBrowserShown && layout.messageBrowserShown) {
        // Beside the message browser when there is no room under it.
        QRect beside(layout.messageBrowser.right() + 1, top,
                     layout.previewControl.left() - layout.messageBrowser.right() - 1, height);
        room = beside;
        place(sizes.profileBrowser, layout.profileBrowser, layout.profileBrowserShown);
    }
    // A hidden browser still gets a place on the screen for when it is shown.
    if (!layout.messageBrowserShown) {
        layout.messageBrowser = QRect(layout.preview.topLeft(), Outer(sizes.messageBrowser));
    }
    if (!layout.profileBrowserShown) {
        layout.profileBrowser =
            QRect(layout.preview.topLeft() + QPoint(24, 24), Outer(sizes.profileBrowser));
    }
    return layout;
}

}  // namespace plk
