#include "media/render/frame_lock.h"

namespace plk {

std::recursive_mutex& FrameMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

}  // namespace plk
