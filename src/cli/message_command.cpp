#include <vector>

#include "cli/command.h"
#include "cli/json.h"
#include "cli/picture_output.h"
#include "core/text/sjis.h"
#include "media/render/message_canvas.h"

namespace plk::cli {

int RunMessage(CommandArgs args, std::ostream& out) {
    std::optional<std::string> text;
    std::string outFile;
    bool json = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--out") {
            if (i + 1 >= args.size()) {
                throw UsageError("--out needs a file name");
            }
            outFile = args[++i];
        } else if (!text && (arg.empty() || arg[0] != '-' || arg == "-")) {
            text = arg;
        } else if (arg.size() > 1 && arg[0] == '-' && !text) {
            throw UsageError("unknown option " + arg);
        } else {
            throw UsageError("unexpected argument " + arg);
        }
    }
    if (!text) {
        throw UsageError("no text given");
    }

    MessageCanvas canvas;
    canvas.InitCanvas();
    if (!canvas.HasFont()) {
        throw InputError(std::string("no font matches \"") + MessageCanvas::kFaceName + "\"");
    }
    const std::string sjis = ToSjis(*text);
    std::vector<PlacedCharacter> placed;
    canvas.ClearCanvas();
    canvas.LayoutMessage(sjis, 0, true, &placed);
    if (json) {
        for (const PlacedCharacter& character : placed) {
            JsonWriter(out)
                .BeginObject()
                .Key("byte")
                .Number(static_cast<long long>(character.byte))
                .Key("line")
                .Number(character.line)
                .Key("x")
                .Number(character.penX)
                .Key("y")
                .Number(character.penY)
                .EndObject();
            out << '\n';
        }
    }
    if (!outFile.empty()) {
        WritePng(canvas.Image(), outFile);
    }
    return kExitOk;
}

}  // namespace plk::cli
