#pragma once

#include <cstdint>
#include <vector>

namespace plk::tools {

// A soft two-note chime, about a second long: a RIFF/WAVE file, 16-bit PCM, mono, 22050 Hz.
std::vector<std::uint8_t> SynthesiseChime();

}  // namespace plk::tools
