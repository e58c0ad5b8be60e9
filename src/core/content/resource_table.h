#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/records.h"

namespace plk {

enum class ResourceKind : std::uint8_t {
    Empty = 0,
    Image = 1,  // PNG
    Sound = 2,  // WAV
};

// One palette slot. Slot 0 stands for no resource and is never filled by the editor.
struct ResourceSlot {
    char name[260];     // file name with extension: the key of the texture and sound stores
    char path[260];     // full path at the time the file was loaded
    std::uint8_t kind;  // ResourceKind
    std::uint8_t reserved[3];
    std::int32_t worldX;
    std::int32_t worldY;

    ResourceKind Kind() const { return static_cast<ResourceKind>(kind); }
    bool IsEmpty() const { return kind == 0; }
    // Name and path without their terminators; a field with no terminator reads as its
    // first 259 bytes.
    std::string_view Name() const;
    std::string_view Path() const;
};
static_assert(IsPlainRecord<ResourceSlot> && sizeof(ResourceSlot) == 532);
static_assert(offsetof(ResourceSlot, kind) == 520 && offsetof(ResourceSlot, worldX) == 524 &&
              offsetof(ResourceSlot, worldY) == 528);

inline constexpr int kResourceSlots = 256;
struct ResourceTable {
    std::array<ResourceSlot, kResourceSlots> slot;  // not "slots": Qt reserves that word

    // Every slot empty: names and paths zeroed, kind 0, world position 0.
    void ClearAll();
};
static_assert(IsPlainRecord<ResourceTable> && sizeof(ResourceTable) == 136192);

// The kind a file brings into a slot, from the text after the last dot of its name, with
// letter case ignored (png, PNG and Png are images); Empty for any other file.
ResourceKind KindFromFileName(std::string_view fileName);

}  // namespace plk
