#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "core/io/file_io.h"

int main(int argc, char** argv) {
    plk::InstallTemporaryFileCleanup();
    std::vector<std::string> args(argv + 1, argv + argc);
    return plk::cli::Run(args, std::cout, std::cerr);
}
