#include <QBuffer>
#include <QByteArray>
#include <cmath>

#include "cli/command.h"
#include "cli/render_options.h"
#include "core/codec/packed_loader.h"
#include "core/io/file_io.h"
#include "core/project/project_file.h"
#include "media/render/image_decoder.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace plk::cli {
namespace {

// Loads every image slot the way the palette does after opening a project: from its path,
// or else by its name in the current folder. Images found nowhere stay undrawn.
void LoadPaletteImages(const ResourceTable& palette) {
    TextureStore& store = TextureStore::Instance();
    for (const ResourceSlot& slot : palette.slot) {
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

}  // namespace

int RunRender(CommandArgs args, std::ostream&) {
    const RenderOptions options = ParseRenderOptions(args);
    OpenedProject opened = ReadProjectFile(options.project);
    const Project& project = opened.project;
    if (options.cut > static_cast<int>(project.cuts.size())) {
        throw InputError(options.project + ": there is no cut " + std::to_string(options.cut) +
                         " (the project has " + std::to_string(project.cuts.size()) + ")");
    }
    const Cut& cut = project.cuts[static_cast<std::size_t>(options.cut - 1)];
    const int row = cut.RowOfFrameNumber(options.frame);
    if (row >= cut.FrameCount()) {
        throw InputError(options.project + ": cut " + std::to_string(options.cut) +
                         " has no frame " + std::to_string(options.frame) + " (it has " +
                         std::to_string(cut.CountNormalFrames(0, cut.FrameCount())) + ")");
    }

    Renderer& renderer = Renderer::Instance();
    if (renderer.Init() != Renderer::kOk) {
        throw InputError("the drawing canvas could not be created");
    }
    renderer.SetSoundPlayer([](std::string_view) {});  // a still picture plays nothing
    LoadPaletteImages(project.palette);

    ViewSettings& settings = renderer.Settings();
    settings.zoom = std::ldexp(1.0f, options.zoomStep);
    settings.backgroundRed = static_cast<std::uint8_t>(options.background[0]);
    settings.backgroundGreen = static_cast<std::uint8_t>(options.background[1]);
    settings.backgroundBlue = static_cast<std::uint8_t>(options.background[2]);
    settings.guides = options.guides;
    settings.gridSpacing = options.gridSpacing;
    if (options.size) {
        renderer.SetClientSize(*options.size);
    }

    renderer.DrawCellFrame(project.palette, cut.Frame(row), false);
    renderer.FinishFrame();
    QImage picture =
        options.size ? renderer.PresentedImageScaled(*options.size) : renderer.Canvas().copy();
    renderer.Shutdown();
    WritePng(picture, options.out);
    return kExitOk;
}

}  // namespace plk::cli
