#pragma once

#include <cstdint>
#include <span>

namespace plk {

// Whether `bytes` are laid out as a WAVE sound: "RIFF" and "WAVE", then chunks that each
// lie within the bytes up to the data chunk, a format chunk before it with one to eight
// channels and a rate of 1000 to 384000 samples a second. Checked before any sound library
// sees the bytes, since such libraries detect other formats on their own and trust the
// sizes a header states. Bytes after the data chunk are not looked at.
bool HasWaveLayout(std::span<const std::uint8_t> bytes);

// HasWaveLayout, and the sound decodes (done in memory; no audio device is needed).
bool IsDecodableWave(std::span<const std::uint8_t> bytes);

}  // namespace plk
