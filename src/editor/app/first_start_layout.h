#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

namespace plk {

// What the time sheet needs around the rows of its grid.
struct TimeSheetMetrics {
    int chrome = 0;       // client height besides the rows, fields folded away
    int fields = 0;       // height the cell fields and playback controls add above the grid
    int fieldsWidth = 0;  // client width at which the fields show without scrolling
    int row = 18;         // one row of the grid
};

// The client sizes the windows ask for at the first start (no stored layout).
struct FirstStartSizes {
    QSize frame;    // the main window with its menu, toolbar, hidden-window strip and status bar
    QSize palette;  // the palette's smallest size; it gets wider where there is room
    QSize messageBrowser;  // fixed
    QSize profileBrowser;  // fixed
    QSize previewControl;  // fixed
    TimeSheetMetrics timeSheet;
    // What the window manager adds around each client area.
    QMargins decoration;
};

// Outer rectangles, decoration included, that do not overlap and lie in the area. The
// palette, the preview and the time sheet are always shown; the control panel and the
// browsers have fixed sizes and start hidden where the screen has no room for them (the
// main window then names them in its strip, and the 表示 menu brings them back at the
// place they got here).
struct FirstStartLayout {
    QRect frame;
    QRect palette;
    QRect preview;
    QRect previewControl;
    QRect timeSheet;
    QRect messageBrowser;
    QRect profileBrowser;
    bool previewControlShown = true;
    bool messageBrowserShown = true;
    bool profileBrowserShown = true;
    // The time sheet's cell fields and playback controls start folded away.
    bool timeSheetFolded = false;
    // Whole rows of the grid the time sheet shows.
    int gridRows = 0;
};

// The palette's outer width at the least: three columns of thumbnails. The main window
// above it is as wide.
inline constexpr int kSmallestPalette = 300;

// What a window manager is expected to add around a client area before it is known: a
// title bar and thin borders.
inline constexpr QMargins kExpectedDecoration(4, 28, 4, 4);

// The rows the time sheet keeps at least on a screen area this high: 10 on a laptop's 768
// pixels, growing to 20 on 1080 pixels and more.
int WantedGridRows(int areaHeight);

// Tiles the windows without overlap: the main window above the palette on the left, the
// preview (whole canvas fitted, at 4:3) with the time sheet under it in the middle, the
// control panel and the browsers in columns along the right edge. Of the windows that do
// not all fit, the plan keeps those that matter most while the preview stays large enough
// to work in and the time sheet keeps its wanted rows; the fields fold away when the rows
// need their room.
FirstStartLayout PlanFirstStartLayout(const QRect& area, const FirstStartSizes& sizes);

}  // namespace plk
