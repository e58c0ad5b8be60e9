#pragma once

#include <QImage>
#include <string>

#include "core/content/resource_table.h"

namespace plk::cli {

// Loads every image slot the way the palette does after opening a project: from its path,
// or else by its name in the current folder. Images found nowhere stay undrawn.
void LoadPaletteImages(const ResourceTable& palette);

// Writes `image` as a PNG file, atomically.
void WritePng(const QImage& image, const std::string& path);

}  // namespace plk::cli
