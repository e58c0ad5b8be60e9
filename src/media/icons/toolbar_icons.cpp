#include "media/icons/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <string_view>

namespace plk {
namespace {

using PixelRows = std::array<std::string_view, kToolbarIconHeight>;

// Each toolbar picture is drawn as pixel art: one character per pixel, '.' transparent.
constexpr std::array<PixelRows, 10> kGlyphRows = {{
    // New
    {{
        "................",
        "..kkkkkkkk......",
        "..kwwwwwwkk.....",
        "..kwwwwwwkwk....",
        "..kwwwwwwkkkk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kkkkkkkkkkk...",
        "................",
    }},
    // Open
    {{
        "................",
        "................",
        "..kkkk..........",
        ".kyyyyk.........",
        ".kyyyyykkkkkkk..",
        ".kyyyyyyyyyyyk..",
        ".kyyyyyyyyyyyk..",
        ".kyyykkkkkkkkkkk",
        ".kyykoooooooook.",
        ".kykoooooooook..",
        ".kykoooooooook..",
        ".kkoooooooook...",
        ".kkkkkkkkkkkk...",
        "................",
        "................",
    }},
    // SaveAs
    {{
        "................",
        "kkkkkkkkkkk.....",
        "kbkwwwwwkbk.....",
        "kbkwwwwwkbk.....",
        "kbkwwwwwkbk.....",
        "kbbkkkkkbbk..kk.",
        "kbbbbbbbbbk.kyyk",
        "kbbgggggbbkkyyk.",
        "kbbgkkggbbkyyk..",
        "kbbgkkggbkyyk...",
        "kkkkkkkkkyyk....",
        ".........kkk....",
        ".........kk.....",
        "................",
        "................",
    }},
    // Save
    {{
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbbkkkkkkkkbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbggggggggbbk.",
        ".kbbggkkggggbbk.",
        ".kbbggkkggggbbk.",
        ".kbbggkkggggbbk.",
        ".kbbggggggggbbk.",
        ".kkkkkkkkkkkkkk.",
        "................",
    }},
    // Export
    {{
        "................",
        "................",
        ".kkkkkkkk.......",
        ".kwwwwwwk.......",
        ".kwwwwwwk..e....",
        ".kwwwwwwk..ee...",
        ".kwwweeeeeeeee..",
        ".kwwweeeeeeeeee.",
        ".kwwweeeeeeeee..",
        ".kwwwwwwk..ee...",
        ".kwwwwwwk..e....",
        ".kwwwwwwk.......",
        ".kkkkkkkk.......",
        "................",
        "................",
    }},
    // Cut
    {{
        "................",
        "....k.....k.....",
        "....k.....k.....",
        "....kk...kk.....",
        ".....k...k......",
        ".....kk.kk......",
        "......kkk.......",
        ".......k........",
        "......k.k.......",
        "..rrrr...rrrr...",
        ".r...r...r...r..",
        ".r...r...r...r..",
        ".r...r...r...r..",
        "..rrr.....rrr...",
        "................",
    }},
    // Copy
    {{
        "................",
        "kkkkkkkk........",
        "kwwwwwwk........",
        "kwkkkkwk........",
        "kwwwwkkkkkkkk...",
        "kwkkkkwwwwwwk...",
        "kwwwwkwkkkkwk...",
        "kwkkkkwwwwwwk...",
        "kwwwwkwkkkkwk...",
        "kkkkkkwwwwwwk...",
        ".....kwkkkkwk...",
        ".....kwwwwwwk...",
        ".....kkkkkkkk...",
        "................",
        "................",
    }},
    // Paste
    {{
        "....kkkk........",
        ".ookgggkoo......",
        "kookkkkkook.....",
        "koooooooook.....",
        "kooookkkkkkkk...",
        "kooookwwwwwwk...",
        "kooookwkkkkwk...",
        "kooookwwwwwwk...",
        "kooookwkkkkwk...",
        "kooookwwwwwwk...",
        "kooookwkkkwwk...",
        "kkkkkkwwwwwwk...",
        ".....kkkkkkkk...",
        "................",
        "................",
    }},
    // Print
    {{
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwkkkkwk....",
        "....kwwwwwwk....",
        "..kkkkkkkkkkkk..",
        ".kggggggggggggk.",
        ".kggggggggggeek.",
        ".kggggggggggggk.",
        ".kkkkkkkkkkkkkk.",
        ".kgkwwwwwwwwkgk.",
        ".kkkwkkkkkkwkkk.",
        "....kwwwwwwk....",
        "....kkkkkkkk....",
        "................",
    }},
    // About
    {{
        "................",
        ".....kkkkk......",
        "...kkbbbbbkk....",
        "..kbbwwwwwbbk...",
        "..kbwwbbbwwbk...",
        ".kbbbbbbbwwbbk..",
        ".kbbbbbbwwbbbk..",
        ".kbbbbbwwbbbbk..",
        ".kbbbbbwwbbbbk..",
        "..kbbbbbbbbbk...",
        "..kbbbbwwbbbk...",
        "...kkbbwwbkk....",
        ".....kkkkk......",
        "................",
        "................",
    }},
}};

constexpr bool RowsAreComplete() {
    for (const PixelRows& rows : kGlyphRows) {
        for (std::string_view row : rows) {
            if (row.size() != kToolbarIconWidth) {
                return false;
            }
        }
    }
    return true;
}
static_assert(RowsAreComplete(), "every toolbar picture row must be 16 pixels wide");

QRgb ColourOf(char code) {
    switch (code) {
        case 'k':
            return qRgb(0, 0, 0);
        case 'w':
            return qRgb(255, 255, 255);
        case 'g':
            return qRgb(192, 192, 192);
        case 'y':
            return qRgb(255, 214, 90);
        case 'o':
            return qRgb(176, 120, 48);
        case 'b':
            return qRgb(40, 80, 176);
        case 'r':
            return qRgb(200, 32, 32);
        case 'e':
            return qRgb(32, 150, 64);
        default:
            return qRgba(0, 0, 0, 0);
    }
}

}  // namespace

QImage ToolbarIcon(ToolbarGlyph glyph) {
    QImage image(kToolbarIconWidth, kToolbarIconHeight, QImage::Format_ARGB32);
    const PixelRows& rows = kGlyphRows[static_cast<std::size_t>(glyph)];
    for (int y = 0; y < kToolbarIconHeight; ++y) {
        for (int x = 0; x < kToolbarIconWidth; ++x) {
            image.setPixel(
                x, y, ColourOf(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
        }
    }
    return image;
}

QImage ApplicationIcon() {
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The tile's green back shows below its ivory face.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 120, 70));
    painter.drawRoundedRect(QRectF(5, 3, 23, 28), 4, 4);
    painter.setBrush(QColor(250, 246, 232));
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.drawRoundedRect(QRectF(4.5, 1.5, 22, 26), 4, 4);
    // One dot: a red ring around a blue centre.
    painter.setPen(QPen(QColor(200, 30, 30), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(15.5, 14.5), 7, 7);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 60, 170));
    painter.drawEllipse(QPointF(15.5, 14.5), 3, 3);
    return image;
}

}  // namespace plk
