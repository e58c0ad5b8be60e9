#include "media/sound/wave_check.h"

#include <SDL.h>

#include <climits>
#include <cstring>

namespace plk {
namespace {

std::uint32_t Word32At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
           std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

std::uint16_t Word16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool TagAt(std::span<const std::uint8_t> bytes, std::size_t at, const char (&tag)[5]) {
    return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

bool FormatAcceptable(std::span<const std::uint8_t> chunk) {
    constexpr std::size_t kBasicFormatSize = 16;
    if (chunk.size() < kBasicFormatSize) {
        return false;
    }
    const std::uint16_t channels = Word16At(chunk, 2);
    const std::uint32_t rate = Word32At(chunk, 4);
    return channels >= 1 && channels <= 8 && rate >= 1000 && rate <= 384000;
}

}  // namespace

bool HasWaveLayout(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kRiffHeader = 12;
    constexpr std::size_t kChunkHeader = 8;
    if (bytes.size() < kRiffHeader || !TagAt(bytes, 0, "RIFF") || !TagAt(bytes, 8, "WAVE")) {
        return false;
    }
    bool haveFormat = false;
    std::size_t at = kRiffHeader;
    while (bytes.size() - at >= kChunkHeader) {
        const std::uint64_t length = Word32At(bytes, at + 4);
        const std::size_t body = at + kChunkHeader;
        if (length > bytes.size() - body) {
            return false;  // a chunk that runs past the end of the file
        }
        std::span<const std::uint8_t> chunk = bytes.subspan(body, static_cast<std::size_t>(length));
        if (TagAt(bytes, at, "fmt ")) {
            if (!FormatAcceptable(chunk)) {
                return false;
            }
            haveFormat = true;
        } else if (TagAt(bytes, at, "data")) {
            return haveFormat;
        }
        // Chunks are padded to an even length.
        at = body + static_cast<std::size_t>(length) + (length & 1);
        if (at > bytes.size()) {
            return false;
        }
    }
    return false;  // no data chunk
}

bool IsDecodableWave(std::span<const std::uint8_t> bytes) {
    if (!HasWaveLayout(bytes) || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return false;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (stream == nullptr) {
        return false;
    }
    SDL_AudioSpec format{};
    Uint8* samples = nullptr;
    Uint32 length = 0;
    // The stream is closed here rather than by the loader, which leaks it on some failures.
    const bool decoded = SDL_LoadWAV_RW(stream, 0, &format, &samples, &length) != nullptr;
    SDL_RWclose(stream);
    SDL_FreeWAV(samples);
    return decoded;
}

}  // namespace plk
