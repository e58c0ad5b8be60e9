#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace plk {

// A resource compiled into the program: a packed block under a type and a numeric id.
struct EmbeddedResource {
    std::string_view type;
    int id;
    std::span<const std::uint8_t> bytes;
};

// Resource ids of the built-in images, all of type "PRS".
inline constexpr int kMessageWindowGuideId = 227;  // 800 x 600 RGBA PNG
inline constexpr int kMenuIconGuideId = 229;       // 96 x 96 RGBA PNG
inline constexpr int kNameFontId = 230;            // 256 x 96 RGBA PNG

// Every compiled-in resource. Defined in a source file that the build generates from the
// images under resources/.
std::span<const EmbeddedResource> EmbeddedResources();

}  // namespace plk
