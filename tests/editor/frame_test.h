#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "editor/app/file_commands.h"
#include "editor_test_support.h"

namespace plk::test {

// A test on a fresh main frame, with cleared settings, dialogs the test answers and a
// temporary folder for its files.
class FrameTest : public testing::Test {
protected:
    void SetUp() override {
        ClearSettings();
        FrameWithDialogs made = MakeFrame();
        m_frame = std::move(made.frame);
        m_files = made.files;
        m_boxes = made.boxes;
        m_paletteBoxes = made.paletteBoxes;
        ASSERT_TRUE(m_dir.isValid());
    }

    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    FileCommands& Commands() { return m_frame->Commands(); }

    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
    ScriptedFileDialogs* m_files = nullptr;
    RecordingMessageBoxes* m_boxes = nullptr;
    RecordingMessageBoxes* m_paletteBoxes = nullptr;
};

}  // namespace plk::test
