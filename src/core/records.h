#pragma once

#include <bit>
#include <cstddef>
#include <type_traits>

// Every record is copied byte for byte to and from little-endian files.
static_assert(std::endian::native == std::endian::little,
              "PLK-CE records need a little-endian host");

namespace plk {

// Checked at compile time for every on-disk record: no padding surprises, memcpy-safe.
template <typename T>
constexpr bool IsPlainRecord = std::is_trivially_copyable_v<T>&& std::is_standard_layout_v<T>;

}  // namespace plk
