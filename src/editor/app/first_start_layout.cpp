#include "editor/app/first_start_layout.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace plk {
namespace {

// Beyond this outer width more room is better spent on the preview than on the palette.
constexpr int kWidestPalette = 600;
// The preview's client: below the smallest the stage is too small to work on; at the
// largest the fitted canvas is shown at one to one.
constexpr QSize kSmallestPreview(480, 360);
constexpr QSize kLargestPreview(1024, 768);
constexpr int kFewestRows = 5;

// The windows that may start hidden, in the order they claim columns at the right edge,
// with how much each matters at the first start: the lines of the 41 situations are most of
// the writing, the control panel holds the view and animation tools, the profile is filled
// once.
enum Optional { kControlPanel, kMessages, kProfile, kOptionalCount };
constexpr int kWeight[kOptionalCount] = {3, 4, 2};

struct Choice {
    bool shown[kOptionalCount];
    bool folded;
};

struct Planned {
    FirstStartLayout layout;
    double score;
};

QSize Outer(const QSize& client, const QMargins& decoration) {
    return client +
           QSize(decoration.left() + decoration.right(), decoration.top() + decoration.bottom());
}

// The largest client of the canvas's 4:3 within `room`, at most the whole canvas.
QSize PreviewClient(const QSize& room) {
    const QSize bounded = room.boundedTo(kLargestPreview);
    if (bounded.width() <= 0 || bounded.height() <= 0) {
        return {};
    }
    return QSize(kLargestPreview).scaled(bounded, Qt::KeepAspectRatio);
}

// Fixed windows stacked into columns from the right edge: each goes under the windows of
// the first column with room below them, or starts a column of its own to the left.
struct Column {
    int width = 0;
    int height = 0;
    std::vector<std::pair<Optional, QSize>> items;
};

std::optional<Planned> Plan(const QRect& area, const FirstStartSizes& sizes, const Choice& choice,
                            bool relaxed) {
    const QMargins& decoration = sizes.decoration;
    const int decorationHeight = decoration.top() + decoration.bottom();
    const int decorationWidth = decoration.left() + decoration.right();
    const int height = area.height();
    const QSize fixed[kOptionalCount] = {Outer(sizes.previewControl, decoration),
                                         Outer(sizes.messageBrowser, decoration),
                                         Outer(sizes.profileBrowser, decoration)};

    std::vector<Column> columns;
    for (int k = 0; k < kOptionalCount; ++k) {
        if (!choice.shown[k]) {
            continue;
        }
        const QSize outer = fixed[k];
        if (outer.height() > height) {
            return std::nullopt;
        }
        auto room = std::find_if(columns.begin(), columns.end(), [&](const Column& column) {
            return column.height + outer.height() <= height;
        });
        if (room == columns.end()) {
            room = columns.insert(columns.end(), Column{});
        }
        room->items.emplace_back(static_cast<Optional>(k), outer);
        room->width = std::max(room->width, outer.width());
        room->height += outer.height();
    }
    int rightWidth = 0;
    for (const Column& column : columns) {
        rightWidth += column.width;
    }

    const QSize frame = Outer(sizes.frame, decoration);
    const int smallestPalette =
        std::max({kSmallestPalette, frame.width(), Outer(sizes.palette, decoration).width()});
    const int middle = area.width() - smallestPalette - rightWidth;
    const TimeSheetMetrics& sheet = sizes.timeSheet;
    const int fields = choice.folded ? 0 : sheet.fields;
    if (!relaxed && !choice.folded && middle < sheet.fieldsWidth + decorationWidth) {
        return std::nullopt;  // unfolded fields would only scroll sideways
    }
    const int row = std::max(1, sheet.row);
    const int sheetAround = decorationHeight + sheet.chrome + fields;
    // A screen too small for the plan still keeps a few rows in sight.
    const int wantedRows = relaxed ? kFewestRows : WantedGridRows(height);
    const QSize client = PreviewClient(QSize(
        middle - decorationWidth, height - sheetAround - wantedRows * row - decorationHeight));
    if (client.isEmpty() || (!relaxed && (client.width() < kSmallestPreview.width() ||
                                          client.height() < kSmallestPreview.height()))) {
        return std::nullopt;
    }

    // Width the preview does not need widens the palette, then the preview's window (the
    // fitted canvas stays centred in it).
    const QSize preview = Outer(client, decoration);
    const int spare = middle - preview.width();
    const int paletteWidth =
        smallestPalette + std::clamp(spare, 0, kWidestPalette - smallestPalette);
    const int middleWidth = area.width() - paletteWidth - rightWidth;

    Planned planned;
    FirstStartLayout& layout = planned.layout;
    const int left = area.left();
    const int top = area.top();
    layout.frame = QRect(left, top, paletteWidth, frame.height());
    layout.palette = QRect(left, top + frame.height(), paletteWidth, height - frame.height());
    const int middleLeft = left + paletteWidth;
    layout.preview = QRect(middleLeft, top, middleWidth, preview.height());
    layout.timeSheet =
        QRect(middleLeft, top + preview.height(), middleWidth, height - preview.height());
    layout.timeSheetFolded = choice.folded;
    layout.gridRows = (layout.timeSheet.height() - sheetAround) / row;

    QRect* rects[kOptionalCount] = {&layout.previewControl, &layout.messageBrowser,
                                    &layout.profileBrowser};
    bool* shown[kOptionalCount] = {&layout.previewControlShown, &layout.messageBrowserShown,
                                   &layout.profileBrowserShown};
    int columnRight = left + area.width();
    for (const Column& column : columns) {
        int y = top;
        for (const auto& [k, outer] : column.items) {
            // Against the column's right: the first column keeps to the screen's edge.
            *rects[k] = QRect(QPoint(columnRight - outer.width(), y), outer);
            y += outer.height();
        }
        columnRight -= column.width;
    }
    // A window that starts hidden still gets a place on the screen for when it is shown.
    for (int k = 0; k < kOptionalCount; ++k) {
        *shown[k] = choice.shown[k];
        if (!choice.shown[k]) {
            const QSize outer = fixed[k].boundedTo(area.size());
            *rects[k] = QRect(QPoint(left + area.width() - outer.width(), top), outer);
        }
    }

    // The windows that matter most, then the larger preview; fields shown count for a
    // third more of it.
    int weight = 0;
    for (int k = 0; k < kOptionalCount; ++k) {
        weight += choice.shown[k] ? kWeight[k] : 0;
    }
    const double stage = static_cast<double>(client.width()) * client.height();
    planned.score = weight * 1e9 + stage * (choice.folded ? 1.0 : 4.0 / 3.0);
    return planned;
}

}  // namespace

int WantedGridRows(int areaHeight) {
    return std::clamp(10 + (areaHeight - 768) * 10 / 312, 10, 20);
}

FirstStartLayout PlanFirstStartLayout(const QRect& area, const FirstStartSizes& sizes) {
    std::optional<Planned> best;
    for (int mask = 0; mask < (1 << (kOptionalCount + 1)); ++mask) {
        Choice choice{};
        for (int k = 0; k < kOptionalCount; ++k) {
            choice.shown[k] = (mask & (1 << k)) != 0;
        }
        choice.folded = (mask & (1 << kOptionalCount)) != 0;
        std::optional<Planned> planned = Plan(area, sizes, choice, false);
        if (planned && (!best || planned->score > best->score)) {
            best = planned;
        }
    }
    if (!best) {
        // A screen too small for a working layout: the three main windows share it.
        best = Plan(area, sizes, Choice{{false, false, false}, true}, true);
    }
    if (!best) {
        FirstStartLayout layout;
        layout.frame = layout.palette = layout.preview = layout.timeSheet = area;
        layout.previewControl = layout.messageBrowser = layout.profileBrowser = area;
        layout.previewControlShown = layout.messageBrowserShown = false;
        layout.profileBrowserShown = false;
        layout.timeSheetFolded = true;
        return layout;
    }
    return best->layout;
}

}  // namespace plk
