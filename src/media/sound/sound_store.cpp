#include "media/sound/sound_store.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <climits>
#include <mutex>

#include "core/codec/packed_loader.h"
#include "media/sound/wave_check.h"

namespace plk {

struct SoundStore::Entry {
    std::string name;
    std::string secondName;
    int useCount = 1;
    Mix_Chunk* chunk = nullptr;
};

void SoundStore::EntryDeleter::operator()(Entry* entry) const {
    if (entry->chunk != nullptr) {
        // Mix_FreeChunk halts any channel still playing the chunk before freeing it.
        Mix_FreeChunk(entry->chunk);
    }
    delete entry;
}

namespace {

std::unique_ptr<SoundStore>& SharedStore() {
    static std::unique_ptr<SoundStore> store;
    return store;
}

}  // namespace

SoundStore& SoundStore::Instance() {
    auto& store = SharedStore();
    if (!store) {
        store.reset(new SoundStore());
    }
    return *store;
}

void SoundStore::Shutdown() {
    SharedStore().reset();
}

SoundStore::~SoundStore() {
    if (m_started) {
        Mix_HaltChannel(-1);
    }
    m_entries.clear();
    if (m_started) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool SoundStore::Start() {
    m_entries.clear();
    if (m_started) {
        return true;
    }
    // SDL would turn SIGINT and SIGTERM into quit events that nobody reads; the program
    // decides what those signals do.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    if (Mix_OpenAudio(kSampleRate, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kMixingChannels);
    m_started = true;
    return true;
}

void SoundStore::Load(std::string_view name, std::string_view secondName) {
    LoadFile(name, std::filesystem::path(std::string(name)), secondName);
}

void SoundStore::LoadFrom(std::string_view name, const std::filesystem::path& file) {
    LoadFile(name, file, {});
}

void SoundStore::LoadFile(std::string_view name, const std::filesystem::path& file,
                          std::string_view secondName) {
    if (auto it = m_entries.find(name); it != m_entries.end()) {
        ++it->second->useCount;
        return;
    }
    std::optional<std::vector<std::uint8_t>> bytes = LoadPackedFile(file, secondName);
    // Only WAVE content goes further: the mixer would also take other formats, and trusts
    // the sizes their headers state.
    if (!bytes || !HasWaveLayout(*bytes) || bytes->size() > static_cast<std::size_t>(INT_MAX)) {
        return;
    }
    // Decoding needs the audio format of an open device; without one nothing can be
    // decoded and the sound stays unknown, as a damaged file would.
    if (!m_started) {
        return;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size()));
    if (stream == nullptr) {
        return;
    }
    // Closed here: the mixer leaks a stream it was asked to free when loading fails.
    Mix_Chunk* chunk = Mix_LoadWAV_RW(stream, 0);
    SDL_RWclose(stream);
    if (chunk == nullptr) {
        return;
    }
    std::unique_ptr<Entry, EntryDeleter> entry(
        new Entry{std::string(name), std::string(secondName), 1, chunk});
    m_entries.emplace(std::string(name), std::move(entry));
}

bool SoundStore::Play(std::string_view name) {
    auto it = m_entries.find(name);
    if (it == m_entries.end() || it->second->chunk == nullptr) {
        return false;
    }
    // Any free channel: playing the same sound twice mixes two instances.
    Mix_PlayChannel(-1, it->second->chunk, 0);
    return true;
}

bool SoundStore::Remove(std::string_view name) {
    auto it = m_entries.find(name);
    if (it == m_entries.end() || it->second->chunk == nullptr) {
        return false;
    }
    if (--it->second->useCount >= 1) {
        return true;
    }
    m_entries.erase(it);
    return true;
}

void SoundStore::ClearAll() {
    if (m_started) {
        Mix_HaltChannel(-1);
    }
    m_entries.clear();
}

int SoundStore::UseCount(std::string_view name) const {
    auto it = m_entries.find(name);
    return it == m_entries.end() ? 0 : it->second->useCount;
}

}  // namespace plk
