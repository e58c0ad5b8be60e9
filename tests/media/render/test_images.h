#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace plk::testing_support {

// A PNG file image of `image`, written by Qt's encoder.
inline std::vector<std::uint8_t> PngBytes(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::vector<std::uint8_t>(png.begin(), png.end());
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline QImage Filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// Left half red, right half blue: shows which way an image was turned or mirrored.
inline QImage TwoTone(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixelColor(x, y, x < width / 2 ? QColor(Qt::red) : QColor(Qt::blue));
        }
    }
    return image;
}

}  // namespace plk::testing_support
