#pragma once

#include <mutex>

namespace plk {

// Serialises every frame-level operation (from the device check to the present) with the
// texture store's loads and releases, so that playback threads and the user-interface
// thread never draw at once and no texture is freed while a frame uses it. Recursive
// because a frame operation calls into the store.
std::recursive_mutex& FrameMutex();

}  // namespace plk
