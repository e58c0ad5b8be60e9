// The project reader on arbitrary bytes: refused files throw FileError and nothing else;
// accepted ones save and read back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/io/file_error.h"
#include "core/project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plk::OpenedProject opened;
    try {
        opened = plk::ParseProject(std::span(data, size), "fuzz.cre");
    } catch (const plk::FileError&) {
        return 0;
    }
    const std::vector<std::uint8_t> saved = plk::SerializeProject(opened.project);
    const plk::OpenedProject again = plk::ParseProject(saved, "saved.cre");
    if (plk::SerializeProject(again.project) != saved) {
        std::abort();  // saving what was read is not stable
    }
    return 0;
}
