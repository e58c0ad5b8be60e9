// The editor's tests share one QApplication. It runs headless, and its settings go to a
// temporary folder of this process so no test sees another run's (or the user's) layout.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>

namespace plk::test {
int RunAutosaveChild(const char* role);
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();  // test discovery needs no window system
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QTemporaryDir config;
    if (!config.isValid()) {
        return 2;
    }
    setenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()).constData(), 1);
    // Recovery copies of the frames under test stay out of the user's state folder.
    if (std::getenv("PLKCE_AUTOSAVE_CHILD") == nullptr) {
        setenv("XDG_STATE_HOME", QFile::encodeName(config.path()).constData(), 1);
    }
    QApplication app(argc, argv);
    if (const char* role = std::getenv("PLKCE_AUTOSAVE_CHILD")) {
        // Started by the autosave tests as an editor to kill.
        return plk::test::RunAutosaveChild(role);
    }
    return RUN_ALL_TESTS();
}
