#include "cli/picture_output.h"

#include <QBuffer>
#include <QByteArray>
#include <iostream>
#include <optional>

#include "cli/command.h"
#include "core/codec/packed_loader.h"
#include "core/io/file_error.h"
#include "core/io/file_io.h"
#include "core/project/resource_search.h"
#include "core/text/sjis.h"
#include "media/render/image_decoder.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace plk::cli {

void LoadPaletteImages(const ResourceTable& palette, const std::filesystem::path& projectFile,
                       std::ostream& warnings) {
    ResourceTable found = palette;
    RelinkMovedResources(found, projectFile);
    TextureStore& store = TextureStore::Instance();
    for (std::size_t index = 1; index < found.slot.size(); ++index) {
        const ResourceSlot& slot = found.slot[index];
        if (slot.Kind() != ResourceKind::Image || slot.Name().empty()) {
            continue;
        }
        std::optional<QImage> image;
        for (std::string_view where : {slot.Path(), slot.Name()}) {
            if (auto bytes = LoadPackedFile(std::string(where))) {
                image = DecodeImage(*bytes, 0);
            }
            if (image) {
                break;
            }
        }
        if (image) {
            store.LoadFromImage(slot.Name(), "", *image, 0, TextureStore::kFileLevel);
        } else {
            warnings << "warning: slot " << index << " (" << SjisToUtf8(slot.Name())
                     << "): no image could be read from " << SjisToUtf8(slot.Path())
                     << "; it is left out of the picture\n";
        }
    }
}

void WritePng(const QImage& image, const std::string& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) {
        throw FileError(FileError::Kind::Generic, path, "the picture could not be encoded");
    }
    WriteWholeFile(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(png.constData()),
                                            static_cast<std::size_t>(png.size())));
}

Renderer& StartCommandRenderer(const ResourceTable& palette,
                               const std::filesystem::path& projectFile) {
    Renderer& renderer = Renderer::Instance();
    if (renderer.Init() != Renderer::kOk) {
        throw InputError("the drawing canvas could not be created");
    }
    renderer.SetSoundPlayer([](std::string_view) {});
    LoadPaletteImages(palette, projectFile, std::cerr);
    return renderer;
}

}  // namespace plk::cli
