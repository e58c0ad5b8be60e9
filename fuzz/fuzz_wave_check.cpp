// The WAVE check on arbitrary bytes, then, for bytes it lets through, the mixer's load on
// the dummy audio device, as the sound store does it.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdlib>
#include <span>

#include "media/sound/wave_check.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 ||
        Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const bool laidOut = plk::HasWaveLayout(bytes);
    if (plk::IsDecodableWave(bytes) && !laidOut) {
        std::abort();
    }
    if (!laidOut) {
        return 0;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (Mix_Chunk* chunk = Mix_LoadWAV_RW(stream, 0)) {
        Mix_FreeChunk(chunk);
    }
    SDL_RWclose(stream);
    return 0;
}
