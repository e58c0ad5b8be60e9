// Draws the three images built into the program and writes them as PNG files:
//   make_builtin_images OUT_FOLDER
// giving message_window_guide.png (800 x 600), menu_icon_guide.png (96 x 96) and
// name_font.png (256 x 96). The art is plain geometry so that it can be regenerated
// exactly. Opaque black would vanish under the colour key the preview applies, so no
// drawn pixel is pure black.

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "canvas.h"
#include "letters.h"
#include "png_writer.h"

namespace plk::tools {
namespace {

constexpr Rgba kWindowFill{40, 70, 160, 96};
constexpr Rgba kWindowBorder{120, 200, 255, 255};
constexpr Rgba kTextStripLine{200, 230, 255, 200};
constexpr Rgba kPlateFill{160, 60, 100, 110};
constexpr Rgba kPlateBorder{255, 170, 200, 255};
constexpr Rgba kIconFill{255, 220, 80, 48};
constexpr Rgba kIconBorder{255, 220, 80, 255};
constexpr Rgba kInk{255, 255, 255, 255};
constexpr Rgba kOutline{48, 48, 64, 255};

// Draws `text` (capitals and spaces) with each pixel of the 5 x 7 letters as a
// `scale` x `scale` block and a one-pixel outline around the ink.
void DrawText(Canvas& canvas, int x, int y, int scale, std::string_view text) {
    auto forEachInk = [&](auto&& plot) {
        int left = x;
        for (char c : text) {
            if (c >= 'A' && c <= 'Z') {
                const LetterBitmap& letter = kCapitals[static_cast<std::size_t>(c - 'A')];
                for (int row = 0; row < kLetterHeight; ++row) {
                    for (int col = 0; col < kLetterWidth; ++col) {
                        if (letter[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] ==
                            '#') {
                            plot(left + col * scale, y + row * scale);
                        }
                    }
                }
            }
            left += (kLetterWidth + 1) * scale;
        }
    };
    forEachInk([&](int px, int py) {
        canvas.Fill(px - 1, py - 1, px + scale + 1, py + scale + 1, kOutline);
    });
    forEachInk([&](int px, int py) { canvas.Fill(px, py, px + scale, py + scale, kInk); });
}

// The game's 800 x 600 screen with its message window across the middle (the 800 x 96
// strip where the text is typed is marked by dashed lines) and the name plate above its
// left end.
Canvas MessageWindowGuide() {
    Canvas canvas(800, 600);
    canvas.Fill(16, 236, 784, 364, kWindowFill);
    canvas.Frame(16, 236, 784, 364, 3, kWindowBorder);
    canvas.DashedHorizontal(19, 781, 252, 8, kTextStripLine);
    canvas.DashedHorizontal(19, 781, 347, 8, kTextStripLine);
    canvas.Fill(32, 188, 272, 230, kPlateFill);
    canvas.Frame(32, 188, 272, 230, 2, kPlateBorder);
    DrawText(canvas, 44, 199, 3, "NAME");
    return canvas;
}

// The menu icon's 96 x 96 square with corner marks and a dashed centre cross.
Canvas MenuIconGuide() {
    Canvas canvas(96, 96);
    canvas.Fill(0, 0, 96, 96, kIconFill);
    canvas.Frame(0, 0, 96, 96, 2, kIconBorder);
    for (int corner = 0; corner < 4; ++corner) {
        int x = (corner % 2 == 0) ? 4 : 80;
        int y = (corner < 2) ? 4 : 80;
        canvas.Fill(x, y, x + 12, y + 2, kIconBorder);
        canvas.Fill(x, y, x + 2, y + 12, kIconBorder);
        canvas.Fill(x + 10, y, x + 12, y + 12, kIconBorder);
        canvas.Fill(x, y + 10, x + 12, y + 12, kIconBorder);
    }
    canvas.DashedHorizontal(8, 88, 48, 4, kIconBorder);
    canvas.DashedVertical(48, 8, 88, 4, kIconBorder);
    return canvas;
}

// Capitals for character names: cells of 16 x 24 pixels, 16 to a row, "A" to "P" in the
// first row and "Q" to "Z" in the second; the other cells are empty.
Canvas NameFont() {
    constexpr int kCellWidth = 16;
    constexpr int kCellHeight = 24;
    Canvas canvas(256, 96);
    for (int index = 0; index < 26; ++index) {
        int cellX = (index % 16) * kCellWidth;
        int cellY = (index / 16) * kCellHeight;
        char letter[2] = {static_cast<char>('A' + index), 0};
        DrawText(canvas, cellX + 3, cellY + 5, 2, letter);
    }
    return canvas;
}

bool Save(const std::filesystem::path& folder, const char* name, const Canvas& canvas) {
    if (!WriteFile(folder / name, EncodePng(canvas))) {
        std::fprintf(stderr, "make_builtin_images: cannot write %s\n", (folder / name).c_str());
        return false;
    }
    return true;
}

}  // namespace
}  // namespace plk::tools

int main(int argc, char** argv) {
    using namespace plk::tools;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_builtin_images OUT_FOLDER\n");
        return 1;
    }
    std::filesystem::path folder = argv[1];
    try {
        bool ok = Save(folder, "message_window_guide.png", MessageWindowGuide()) &&
                  Save(folder, "menu_icon_guide.png", MenuIconGuide()) &&
                  Save(folder, "name_font.png", NameFont());
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_builtin_images: %s\n", e.what());
        return 1;
    }
}
