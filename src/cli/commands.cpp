#include <array>

#include "cli/command.h"

namespace plk::cli {

namespace {

constexpr OptionSpec kInfoOptions[] = {
    {"--json", "", "print the description as JSON"},
};

constexpr OptionSpec kRenderOptions[] = {
    {"--cut", "N", "the cut, counted from 1 (required)"},
    {"--frame", "N", "the frame of the cut, counted from 1 (required)"},
    {"--out", "FILE.png", "the picture to write (required)"},
    {"--zoom", "STEP", "zoom step from -3 (x0.125) to 5 (x32); 0 is x1"},
    {"--background", "R,G,B", "background colour, each 0..255"},
    {"--guides", "LIST", "guides to draw: crossbar,frame,message,menuicon"},
    {"--grid", "SPACING", "grid line spacing in pixels, 0..1024"},
    {"--size", "WxH", "client size, 1..1024 x 1..768 (default 800x600)"},
    {"--onion", "N", "onion skin: N normal frames on each side drawn faintly beneath, 0..3"},
};

constexpr OptionSpec kPlaybackOptions[] = {
    {"--cut", "N", "the cut, counted from 1 (required)"},
    {"--simple", "", "simple playback: every normal frame in turn"},
    {"--repeat", "", "with --simple: start again after the last frame"},
    {"--command", "", "command playback: control frames act as the game plays them"},
    {"--speed", "POS", "speed position 1..12 (default 11)"},
    {"--clicks", "MS,MS,...", "left-button clicks at these virtual times"},
    {"--hold", "FROM-TO", "the left button held from FROM to TO ms"},
    {"--until", "MS", "stop before a pass at or after MS of virtual time"},
    {"--frames", "DIR", "also write every presented canvas as DIR/NNNNNN.png"},
};

constexpr OptionSpec kCheckOptions[] = {
    {"--json", "", "print each finding as one line of JSON"},
};

constexpr OptionSpec kAnimOptions[] = {
    {"--cut", "N", "the cut, counted from 1 (required)"},
    {"--out", "FILE", "the animation to write, .gif or .webp (required)"},
    {"--simple", "", "simple playback: every normal frame in turn"},
    {"--command", "", "command playback, as the game plays the cut (the default)"},
    {"--clicks", "MS,MS,...", "with --command: left-button clicks at these virtual times"},
    {"--hold", "FROM-TO", "with --command: the left button held from FROM to TO ms"},
    {"--speed", "POS", "speed position 1..12 (default 11)"},
    {"--until", "MS", "stop before a pass at or after MS of virtual time"},
    {"--region", "X,Y,W,H", "the part of the 1024 x 768 canvas to keep (default all)"},
    {"--scale", "F", "scale the region by F, 0.05..4 (default 1)"},
    {"--lossy", "Q", "WebP only: lossy at quality Q 0..100 (default lossless)"},
};

constexpr OptionSpec kMessageOptions[] = {
    {"--out", "F.png", "write the 800 x 96 message strip"},
    {"--json", "", "print one line per character with its byte offset, line and pen"},
};

constexpr OptionSpec kRecoverOptions[] = {
    {"--list", "", "list the copies: project path, time, and whether their editor still runs"},
};

}  // namespace

std::span<const Command> AllCommands() {
    static constexpr std::array kCommands = {
        Command{"new", "OUT.cre", "write a new project (three default cuts)", RunNew},
        Command{"info", "FILE.cre [--json]", "describe a project: version, cuts, palette", RunInfo,
                kInfoOptions},
        Command{"convert", "IN.cre OUT.cre", "read a project (either version) and save it anew",
                RunConvert},
        Command{"copy", "IN.cre FOLDER",
                "copy a project with its resource files into a folder; prints the copy's path",
                RunCopy},
        Command{"export", "IN.cre OUT.ce8", "export a project as the game file", RunExport},
        Command{"lzss", "compress|decompress IN OUT",
                "raw LZSS stream: compress a file, or decode a stream to its end", RunLzss},
        Command{"pack", "IN OUT", "compress a file into a WINPRS03 packed block", RunPack},
        Command{"unpack", "IN OUT", "unpack a WINPRS03 packed block", RunUnpack},
        Command{"render",
                "PROJECT.cre --cut N --frame N --out FILE.png [--zoom STEP] "
                "[--background R,G,B] [--guides LIST] [--grid SPACING] [--size WxH] [--onion N]",
                "draw one frame of a cut as the preview does", RunRender, kRenderOptions},
        Command{"playback",
                "PROJECT.cre --cut N (--simple [--repeat] | --command) [--speed POS] "
                "[--clicks MS,MS,...] [--hold FROM-TO] [--until MS] [--frames DIR]",
                "play a cut on virtual time; one JSON line per presented frame", RunPlayback,
                kPlaybackOptions},
        Command{"anim",
                "PROJECT.cre --cut N --out FILE.gif|FILE.webp [--simple | --command "
                "[--clicks MS,...] [--hold FROM-TO]] [--speed POS] [--until MS] "
                "[--region X,Y,W,H] [--scale F] [--lossy Q]",
                "play a cut on virtual time and write it as an animated GIF or WebP", RunAnim,
                kAnimOptions},
        Command{"message", "TEXT [--out F.png] [--json]",
                "lay out a message as playback types it; positions as JSON, the strip as PNG",
                RunMessage, kMessageOptions},
        Command{"check", "PROJECT.cre [--json]",
                "check the character before export; exit 3 when there are errors", RunCheck,
                kCheckOptions},
        Command{"recover", "--list | COPY OUT.cre",
                "list the editor's recovery copies, or write one out as a project", RunRecover,
                kRecoverOptions},
    };
    return kCommands;
}

}  // namespace plk::cli
