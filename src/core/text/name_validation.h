#pragma once

#include <string_view>

namespace plk {

// The character name takes only double-byte kana, kanji and the non-kanji rows
// (full-width symbols, digits, letters). An empty name passes.
bool IsValidCharacterName(std::string_view sjis);

// The roman name takes ASCII and full-width digits and letters. An empty name passes.
bool IsValidRomanName(std::string_view sjis);

}  // namespace plk
