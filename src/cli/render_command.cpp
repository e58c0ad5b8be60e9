#include <QBuffer>
#include <QByteArray>
#include <cmath>
#include <iostream>

#include "cli/chosen_cut.h"
#include "cli/command.h"
#include "cli/picture_output.h"
#include "cli/render_options.h"
#include "core/codec/packed_loader.h"
#include "core/io/file_io.h"
#include "core/project/project_file.h"
#include "core/timesheet/onion_skin.h"
#include "media/render/image_decoder.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace plk::cli {

int RunRender(CommandArgs args, std::ostream&) {
    const RenderOptions options = ParseRenderOptions(args);
    OpenedProject opened = ReadProjectFile(options.project);
    const Project& project = opened.project;
    const Cut& cut = ChosenCut(project, options.project, options.cut);
    const int row = cut.RowOfFrameNumber(options.frame);
    if (row >= cut.FrameCount()) {
        throw InputError(options.project + ": cut " + std::to_string(options.cut) +
                         " has no frame " + std::to_string(options.frame) + " (it has " +
                         std::to_string(cut.CountNormalFrames(0, cut.FrameCount())) + ")");
    }

    Renderer& renderer = StartCommandRenderer(project.palette, options.project);

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

    if (options.onion > 0) {
        std::vector<OnionFrame> neighbours;
        for (const OnionNeighbour& near :
             OnionNeighbours(CutView(cut), options.frame, options.onion)) {
            neighbours.push_back({cut.Frame(near.row), near.distance});
        }
        renderer.DrawFrameWithOnion(project.palette, cut.Frame(row), neighbours, options.onion);
    } else {
        renderer.DrawCellFrame(project.palette, cut.Frame(row), false);
        renderer.FinishFrame();
    }
    QImage picture =
        options.size ? renderer.PresentedImageScaled(*options.size) : renderer.Canvas().copy();
    renderer.Shutdown();
    WritePng(picture, options.out);
    return kExitOk;
}

}  // namespace plk::cli
