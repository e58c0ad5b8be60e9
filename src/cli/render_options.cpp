#include "cli/render_options.h"

#include <charconv>
#include <sstream>
#include <vector>

namespace plk::cli {
namespace {

int ParseInt(const std::string& text, const std::string& option, int low, int high) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        throw UsageError(option + " takes an integer from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'");
    }
    return value;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) {
        parts.push_back(part);
    }
    if (!text.empty() && text.back() == separator) {
        parts.emplace_back();
    }
    return parts;
}

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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) {
                throw UsageError(arg + " needs a value");
            }
            return args[++i];
        };
        if (arg == "--cut") {
            options.cut = ParseInt(value(), arg, 1, 1 << 30);
            haveCut = true;
        } else if (arg == "--frame") {
            options.frame = ParseInt(value(), arg, 1, 1 << 30);
            haveFrame = true;
        } else if (arg == "--out") {
            options.out = value();
        } else if (arg == "--zoom") {
            options.zoomStep = ParseInt(value(), arg, -3, 5);
        } else if (arg == "--background") {
            std::vector<std::string> parts = Split(value(), ',');
            if (parts.size() != 3) {
                throw UsageError("--background takes R,G,B");
            }
            for (std::size_t c = 0; c < 3; ++c) {
                options.background[c] = ParseInt(parts[c], arg, 0, 255);
            }
        } else if (arg == "--guides") {
            for (const std::string& name : Split(value(), ',')) {
                options.guides[static_cast<std::size_t>(ParseGuide(name))] = true;
            }
        } else if (arg == "--grid") {
            options.gridSpacing = static_cast<float>(ParseInt(value(), arg, 0, 1024));
        } else if (arg == "--size") {
            std::vector<std::string> parts = Split(value(), 'x');
            if (parts.size() != 2) {
                throw UsageError("--size takes WxH");
            }
            options.size = QSize(ParseInt(parts[0], arg, 1, 1024), ParseInt(parts[1], arg, 1, 768));
        } else if (arg == "--onion") {
            options.onion = ParseInt(value(), arg, 0, 3);
        } else if (!arg.empty() && arg[0] == '-') {
            throw UsageError("unknown option " + arg);
        } else if (options.project.empty()) {
            options.project = arg;
        } else {
            throw UsageError("more than one project given");
        }
    }
    if (options.project.empty() || !haveCut || !haveFrame || options.out.empty()) {
        throw UsageError("a project, --cut, --frame and --out are required");
    }
    return options;
}

}  // namespace plk::cli
