#pragma once

#include <QImage>
#include <filesystem>
#include <ostream>
#include <string>

#include "core/content/resource_table.h"

namespace plk {
class Renderer;
}

namespace plk::cli {

// Loads every image slot the way the editor's palette does after opening `projectFile`:
// from its path, or else where a moved file is found (the current folder, the project's
// folder and the sub-folders named after the folders that held it). An image found nowhere,
// or that does not decode, stays undrawn and is named on `warnings`, so a picture drawn
// without it is never taken for the real one.
void LoadPaletteImages(const ResourceTable& palette, const std::filesystem::path& projectFile,
                       std::ostream& warnings);

// Starts the shared renderer for one command: silent, for the commands play no sound, and with
// the project's images loaded as LoadPaletteImages does (warnings to stderr). The caller shuts
// it down.
Renderer& StartCommandRenderer(const ResourceTable& palette,
                               const std::filesystem::path& projectFile);

// Writes `image` as a PNG file, atomically.
void WritePng(const QImage& image, const std::string& path);

}  // namespace plk::cli
