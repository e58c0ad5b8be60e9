#include "cli/render_options.h"

#include <vector>

#include "cli/option_reader.h"

namespace plk::cli {
namespace {

Guide ParseGuide(const std::string& name) {
    if (name == "crossbar")
        return Guide::CentreCrossbar;
    if (name == "frame")
        return Guide::ScreenFrame;
    if (name == "message")
        return Guide::MessageWindow;
    if (name == "menuicon")
        return Guide::MenuIcon;
    throw UsageError("unknown guide '" + name + "' (crossbar, frame, message, menuicon)");
}

}  // namespace

RenderOptions ParseRenderOptions(CommandArgs args) {
    RenderOptions options;
    bool haveCut = false;
    bool haveFrame = false;
    OptionReader reader(args);
    while (reader.Next()) {
        if (reader.Is("--cut")) {
            options.cut = reader.Int(1, 1 << 30, "a cut number");
            haveCut = true;
        } else if (reader.Is("--frame")) {
            options.frame = reader.Int(1, 1 << 30);
            haveFrame = true;
        } else if (reader.Is("--out")) {
            options.out = reader.Value();
        } else if (reader.Is("--zoom")) {
            options.zoomStep = reader.Int(-3, 5);
        } else if (reader.Is("--background")) {
            const std::vector<std::string> parts = reader.Parts(',', 3, "R,G,B");
            for (std::size_t c = 0; c < 3; ++c) {
                options.background[c] = reader.IntOf(parts[c], 0, 255);
            }
        } else if (reader.Is("--guides")) {
            for (const std::string& name : reader.Parts(',')) {
                options.guides[static_cast<std::size_t>(ParseGuide(name))] = true;
            }
        } else if (reader.Is("--grid")) {
            options.gridSpacing = static_cast<float>(reader.Int(0, 1024));
        } else if (reader.Is("--size")) {
            const std::vector<std::string> parts = reader.Parts('x', 2, "WxH");
            options.size = QSize(reader.IntOf(parts[0], 1, 1024), reader.IntOf(parts[1], 1, 768));
        } else if (reader.Is("--onion")) {
            options.onion = reader.Int(0, 3);
        } else {
            reader.TakeOperand();
        }
    }
    options.project = reader.Operand("no project file given");
    if (!haveCut || !haveFrame || options.out.empty()) {
        throw UsageError("--cut, --frame and --out are required");
    }
    return options;
}

}  // namespace plk::cli
