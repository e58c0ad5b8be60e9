#include "editor_test_support.h"

#include "editor/app/file_commands.h"
#include "editor/content/message_browser.h"
#include "editor/content/profile_browser.h"
#include "editor/content/resource_palette.h"

namespace plk::test {

FrameWithDialogs MakeFrame() {
    FrameWithDialogs made;
    made.frame = std::make_unique<CMainFrame>();
    auto files = std::make_unique<ScriptedFileDialogs>();
    auto boxes = std::make_unique<RecordingMessageBoxes>();
    made.files = files.get();
    made.boxes = boxes.get();
    made.frame->Commands().SetDialogs(std::move(files), std::move(boxes));
    auto paletteFiles = std::make_unique<ScriptedFileDialogs>();
    auto paletteBoxes = std::make_unique<RecordingMessageBoxes>();
    made.paletteFiles = paletteFiles.get();
    made.paletteBoxes = paletteBoxes.get();
    made.frame->Palette()->SetDialogs(std::move(paletteFiles), std::move(paletteBoxes));
    auto messageBoxes = std::make_unique<RecordingMessageBoxes>();
    made.messageBoxes = messageBoxes.get();
    made.frame->MessageBrowser()->SetMessageBoxes(std::move(messageBoxes));
    auto profileBoxes = std::make_unique<RecordingMessageBoxes>();
    made.profileBoxes = profileBoxes.get();
    made.frame->ProfileBrowser()->SetMessageBoxes(std::move(profileBoxes));
    return made;
}

}  // namespace plk::test
