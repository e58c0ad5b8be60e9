#include <gtest/gtest.h>

#include <sstream>

#include "cli/command.h"

TEST(CliTest, Placeholder) {
    std::ostringstream out, err;
    std::vector<std::string> args{"--help"};
    EXPECT_EQ(plk::cli::Run(args, out, err), 0);
}
