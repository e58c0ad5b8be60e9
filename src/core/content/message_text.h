#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plk {

// What a line's record keeps of an edit's text: at most 511 bytes, cut at a character
// boundary.
inline constexpr std::size_t kMessageTextMax = 511;
std::string MessageLineText(std::string_view sjis);

// Frequencies of a line: 3 often, 2 normal ("普通"), 1 rarely, 0 never ("まったく使わない").
inline constexpr std::int32_t kFrequencyNever = 0;
inline constexpr std::int32_t kFrequencyNormal = 2;

// The frequency of a line after its text went from `before` to `after`: a line that gets
// text while it is empty and never used is spoken from then on (normal frequency), the
// converse of empty lines becoming never used. Any other edit keeps `frequency`.
std::int32_t FrequencyAfterTyping(std::string_view before, std::string_view after,
                                  std::int32_t frequency);

// The game reads "\chara" escapes with their arguments; the editor only warns when a line
// has fewer (or more) commas or closing parentheses than escapes. Counted as byte strings
// over the first 1023 bytes of the text.
struct CharaEscapeCheck {
    bool commaMismatch = false;
    bool parenthesisMismatch = false;
    bool Passed() const { return !commaMismatch && !parenthesisMismatch; }
};
CharaEscapeCheck CheckCharaEscapes(std::string_view sjis);

// The warning for a failed check (UTF-8), one line per problem; empty when it passed.
std::string CharaEscapeWarning(const CharaEscapeCheck& check);

}  // namespace plk
