#pragma once

#include <string_view>

namespace plk {

// The character name takes only double-byte kana, kanji and the non-kanji rows
// (full-width symbols, digits, letters). An empty name passes.
bool IsValidCharacterName(std::string_view sjis);

// The roman name takes ASCII and full-width digits and letters. An empty name passes.
bool IsValidRomanName(std::string_view sjis);

// The characters an edit put in: what `after` holds between the longest run of whole
// characters it shares with the start of `before` and the longest it shares with its end.
// Typing checks only these, so a stored name that fails its check can still be edited.
std::string_view InsertedCharacters(std::string_view before, std::string_view after);

}  // namespace plk
