#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace plk {

// The whole content of `path`, unchanged, or nothing when it cannot be read. The callers
// decide what a missing file means, so nothing is reported here.
// `secondName` names an archive to look in when the file itself is missing; no caller
// uses archives and none are read, so a non-empty second name changes nothing.
std::optional<std::vector<std::uint8_t>> LoadPackedFile(const std::filesystem::path& path,
                                                        std::string_view secondName = {});

// The unpacked content of the compiled-in resource `id` of `type` (the callers pass "PRS"),
// or nothing when there is no such resource. The buffer holds exactly the unpacked size.
std::optional<std::vector<std::uint8_t>> LoadPackedResource(int id, std::string_view type);

}  // namespace plk
