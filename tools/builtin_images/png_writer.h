#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "canvas.h"

namespace plk::tools {

// The canvas as an 8-bit RGBA PNG. The same pixels always give the same bytes with the
// same libspng and zlib, which keeps the built-in resources reproducible.
std::vector<std::uint8_t> EncodePng(const Canvas& canvas);

// Writes `bytes` to `path`; false on failure.
bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace plk::tools
