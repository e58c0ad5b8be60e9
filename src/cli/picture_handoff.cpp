// plkce-cli's own build runs the commands that draw or play in plkce-cli-pictures, the same
// commands linked with the media layer: the program runs in place of this one, with the same
// arguments, output streams and exit status. So the commands that only read and write files
// start without loading Qt, SDL and the image codecs.

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/command.h"

namespace plk::cli {
namespace {

constexpr const char* kPicturesProgram = "plkce-cli-pictures";

// Beside this program, wherever it was started from.
std::filesystem::path PicturesProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw InputError(std::string("cannot find ") + kPicturesProgram +
                         ": /proc/self/exe: " + error.message());
    }
    return self.parent_path() / kPicturesProgram;
}

int HandOff(const char* command, CommandArgs args, std::ostream& out) {
    const std::string program = PicturesProgram().string();
    std::vector<std::string> words{program, command};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    out.flush();
    std::cout.flush();
    std::cerr.flush();
    ::execv(program.c_str(), argv.data());
    throw InputError("cannot start " + program + ": " + std::strerror(errno));
}

}  // namespace

int RunRender(CommandArgs args, std::ostream& out) {
    return HandOff("render", args, out);
}
int RunPlayback(CommandArgs args, std::ostream& out) {
    return HandOff("playback", args, out);
}
int RunAnim(CommandArgs args, std::ostream& out) {
    return HandOff("anim", args, out);
}
int RunMessage(CommandArgs args, std::ostream& out) {
    return HandOff("message", args, out);
}

}  // namespace plk::cli
