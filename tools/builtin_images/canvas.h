#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace plk::tools {

struct Rgba {
    std::uint8_t r, g, b, a;
};

// An RGBA image, 8 bits per sample, rows top to bottom, with the few drawing operations the
// built-in images need. Everything outside the image is clipped.
class Canvas {
public:
    Canvas(int width, int height)
        : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width * height)) {}

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const std::vector<Rgba>& Pixels() const { return m_pixels; }
    // Inside the image only.
    Rgba& Pixel(int x, int y) { return m_pixels[static_cast<std::size_t>(y * m_width + x)]; }

    void Set(int x, int y, Rgba colour) {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height) {
            m_pixels[static_cast<std::size_t>(y * m_width + x)] = colour;
        }
    }

    // [left, right) x [top, bottom)
    void Fill(int left, int top, int right, int bottom, Rgba colour) {
        for (int y = std::max(top, 0); y < std::min(bottom, m_height); ++y) {
            for (int x = std::max(left, 0); x < std::min(right, m_width); ++x) {
                Set(x, y, colour);
            }
        }
    }

    // A border `thickness` pixels wide just inside [left, right) x [top, bottom).
    void Frame(int left, int top, int right, int bottom, int thickness, Rgba colour) {
        Fill(left, top, right, top + thickness, colour);
        Fill(left, bottom - thickness, right, bottom, colour);
        Fill(left, top, left + thickness, bottom, colour);
        Fill(right - thickness, top, right, bottom, colour);
    }

    // Dashes along a horizontal or vertical line, `dash` pixels on and `dash` off.
    void DashedHorizontal(int left, int right, int y, int dash, Rgba colour) {
        for (int x = left; x < right; ++x) {
            if (((x - left) / dash) % 2 == 0) {
                Set(x, y, colour);
            }
        }
    }
    void DashedVertical(int x, int top, int bottom, int dash, Rgba colour) {
        for (int y = top; y < bottom; ++y) {
            if (((y - top) / dash) % 2 == 0) {
                Set(x, y, colour);
            }
        }
    }

private:
    int m_width;
    int m_height;
    std::vector<Rgba> m_pixels;
};

}  // namespace plk::tools
