#pragma once

#include <optional>

namespace plk {

// The keyboard's lock states, as the status bar's indicators show them.
struct LockKeys {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock states now; nothing where the window system does not tell them.
std::optional<LockKeys> ReadLockKeys();

}  // namespace plk
