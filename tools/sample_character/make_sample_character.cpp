// Draws the sample character's pictures and its chime, and writes them with the project
// that uses them into one folder. The palette stores bare file names as paths, so the
// project finds its files beside it wherever the folder is copied.

#include <cstdio>
#include <exception>
#include <filesystem>

#include "../builtin_images/png_writer.h"
#include "core/project/project_file.h"
#include "core/text/sjis.h"
#include "sample_pictures.h"
#include "sample_project.h"
#include "sample_sound.h"

namespace plk::tools {
namespace {

void FillSlot(ResourceSlot& slot, const std::string& fileName, ResourceKind kind, int worldX,
              int worldY) {
    SetFieldText(slot.name, fileName);
    SetFieldText(slot.path, fileName);
    slot.kind = static_cast<std::uint8_t>(kind);
    slot.worldX = worldX;
    slot.worldY = worldY;
}

bool Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    if (!WriteFile(path, bytes)) {
        std::fprintf(stderr, "make_sample_character: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

int Run(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    Project project = NewProject();
    int slot = kBackground;
    for (const SamplePicture& picture : DrawSamplePictures()) {
        if (!Write(folder / picture.fileName, EncodePng(picture.canvas))) {
            return 1;
        }
        FillSlot(project.palette.slot[static_cast<std::size_t>(slot++)], picture.fileName,
                 ResourceKind::Image, picture.worldX, picture.worldY);
    }
    if (slot != kChime || !Write(folder / kChimeFileName, SynthesiseChime())) {
        return 1;
    }
    FillSlot(project.palette.slot[kChime], kChimeFileName, ResourceKind::Sound, 0, 0);

    project.cuts = SampleCuts();
    const std::vector<std::string> names = SampleCutNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        project.cutNames.SetName(static_cast<int>(i), ToSjis(names[i]));
    }
    project.messages = SampleMessages();
    project.profile = SampleProfile();
    WriteProjectFile(folder / kSampleProjectFileName, project);
    return 0;
}

}  // namespace
}  // namespace plk::tools

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_character OUT_FOLDER\n");
        return 1;
    }
    try {
        return plk::tools::Run(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample_character: %s\n", e.what());
        return 1;
    }
}
