#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct Mix_Chunk;

namespace plk {

// The palette's WAV sounds, keyed by resource name (case matters), each loaded once with a
// use count and played as overlapping one-shots.
class SoundStore {
public:
    static constexpr int kMixingChannels = 64;
    static constexpr int kSampleRate = 44100;

    static SoundStore& Instance();
    // Stops everything, frees every sound and closes the audio device; the next
    // Instance() makes a new, unstarted store.
    static void Shutdown();

    ~SoundStore();
    SoundStore(const SoundStore&) = delete;
    SoundStore& operator=(const SoundStore&) = delete;

    // Opens the audio device. Returns false when no device could be opened; the store
    // then keeps working as a catalogue but plays nothing.
    bool Start();
    bool IsStarted() const { return m_started; }

    // Makes the file `name` (relative to the current folder, or a path) available under
    // its name. A known name only gains a use. A missing or undecodable file leaves no
    // entry.
    void Load(std::string_view name, std::string_view secondName = {});
    // As Load, but a sound not yet known is read from `file`: the palette keeps each
    // sound's full path beside its name and need not depend on the current folder.
    void LoadFrom(std::string_view name, const std::filesystem::path& file);
    // Starts the sound mixed with whatever plays; false when the name is unknown.
    bool Play(std::string_view name);
    // Drops one use; the sound is freed with its last use. False when unknown.
    bool Remove(std::string_view name);
    void ClearAll();

    bool Contains(std::string_view name) const { return m_entries.count(std::string(name)) > 0; }
    int UseCount(std::string_view name) const;

private:
    SoundStore() = default;
    void LoadFile(std::string_view name, const std::filesystem::path& file,
                  std::string_view secondName);
    struct Entry;
    struct EntryDeleter {
        void operator()(Entry* entry) const;
    };

    std::map<std::string, std::unique_ptr<Entry, EntryDeleter>, std::less<>> m_entries;
    bool m_started = false;
};

}  // namespace plk
