#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "editor/app/ui_language.h"
#include "editor_test_support.h"

namespace plk::test {

// A test that may switch the editor to English: the settings are cleared before and after,
// and the texts are the Japanese sources again afterwards, whatever the test installed.
class LanguageTest : public testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override {
        UninstallLanguage(*QCoreApplication::instance());
        ClearSettings();
    }
    static void English() {
        ASSERT_TRUE(InstallLanguage(*QCoreApplication::instance(), UiLanguage::English));
    }
};

}  // namespace plk::test
