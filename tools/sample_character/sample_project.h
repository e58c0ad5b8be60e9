#pragma once

#include <string>
#include <vector>

#include "core/project/project.h"

namespace plk::tools {

// Palette slots of the sample character, in the order the pictures are drawn.
enum SampleSlot : int {
    kBackground = 1,
    kHairBack,
    kBody,
    kArm,
    kHead,
    kEyesOpen,
    kEyesHalf,
    kEyesClosed,
    kFaceSmile,
    kFaceOpen,
    kFaceSerious,
    kSparkle,
    kAura,
    kMessagePanel,
    kChime,
};

inline constexpr const char* kChimeFileName = "hinata_chime.wav";
inline constexpr const char* kSampleProjectFileName = "sample.cre";

// The four cuts: idle, talking, win pose, charge.
std::vector<Cut> SampleCuts();
// Names of the cuts, UTF-8.
std::vector<std::string> SampleCutNames();

// The lines of all 41 situations, the profile and the tendency.
MessageTable SampleMessages();
ProfileBlock SampleProfile();

}  // namespace plk::tools
