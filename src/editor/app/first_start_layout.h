#pragma once

#include <QRect>
#include <QSize>

namespace plk {

// The client sizes the windows ask for at the first start (no stored layout).
struct FirstStartSizes {
    QSize frame;  // the main window's smallest size with its menu, toolbar and status bar
    QSize palette;
    QSize messageBrowser;  // fixed
    QSize profileBrowser;  // fixed
    QSize previewControl;  // fixed
    QSize timeSheet;
};

// Outer rectangles, decoration included, that do not overlap. The browsers have fixed sizes;
// where the screen has no room left for one it starts hidden (the 表示 menu shows it).
struct FirstStartLayout {
    QRect frame;
    QRect palette;
    QRect preview;
    QRect previewControl;
    QRect timeSheet;
    QRect messageBrowser;
    QRect profileBrowser;
    bool messageBrowserShown = true;
    bool profileBrowserShown = true;
};

// What the window manager is expected to add around a client area before it is known.
inline constexpr QSize kExpectedDecoration(8, 32);

// Tiles the main window along the top of `area` and the tool windows around the preview:
// the palette on the left, the preview with the time sheet under it in the middle, the
// preview's control panel along the right edge, the browsers where room is left.
FirstStartLayout PlanFirstStartLayout(const QRect& area, const FirstStartSizes& sizes);

}  // namespace plk
