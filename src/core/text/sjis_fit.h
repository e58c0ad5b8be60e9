#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plk {

// What of a typed or pasted text the game's Shift-JIS (code page 932) text can hold.
struct SjisFit {
    std::string kept;               // the UTF-8 text without the characters it cannot hold
    std::vector<char32_t> refused;  // each character left out, once, in order of appearance
    bool Fits() const { return refused.empty(); }
};

// Splits UTF-8 text into what Shift-JIS holds and what it does not. A character is held
// when code page 932 has it; characters with two Unicode forms of one Shift-JIS code
// ("〜" U+301C and "～" U+FF5E) are held in either form. U+FFFD and bytes that are not
// UTF-8 are refused.
SjisFit FitToSjis(std::string_view utf8);

// "「♡」(U+2661)、「😀」(U+1F600)": the refused characters named for a message (UTF-8).
std::string NameCharacters(const std::vector<char32_t>& characters);

}  // namespace plk
