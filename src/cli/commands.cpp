#include <array>

#include "cli/command.h"

namespace plk::cli {

std::span<const Command> AllCommands() {
    static constexpr std::array kCommands = {
        Command{"new", "OUT.cre", "write a new project (three default cuts)", RunNew},
        Command{"info", "FILE.cre [--json]", "describe a project: version, cuts, palette", RunInfo},
        Command{"convert", "IN.cre OUT.cre", "read a project (either version) and save it anew",
                RunConvert},
        Command{"export", "IN.cre OUT.ce8", "export a project as the game file", RunExport},
        Command{"lzss", "compress|decompress IN OUT",
                "raw LZSS stream: compress a file, or decode a stream to its end", RunLzss},
        Command{"pack", "IN OUT", "compress a file into a WINPRS03 packed block", RunPack},
        Command{"unpack", "IN OUT", "unpack a WINPRS03 packed block", RunUnpack},
        Command{"render",
                "PROJECT.cre --cut N --frame N --out FILE.png [--zoom STEP] "
                "[--background R,G,B] [--guides LIST] [--grid SPACING] [--size WxH]",
                "draw one frame of a cut as the preview does", RunRender},
        Command{"playback",
                "PROJECT.cre --cut N (--simple [--repeat] | --command) [--speed POS] "
                "[--clicks MS,MS,...] [--hold FROM-TO] [--until MS] [--frames DIR]",
                "play a cut on virtual time; one JSON line per presented frame", RunPlayback},
        Command{"message", "TEXT [--out F.png] [--json]",
                "lay out a message as playback types it; positions as JSON, the strip as PNG",
                RunMessage},
    };
    return kCommands;
}

}  // namespace plk::cli
