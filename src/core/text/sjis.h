#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace plk {

// Text is kept as Shift-JIS (code page 932) bytes everywhere in the core; these helpers
// convert at the edges (CLI output, widgets) and cut text to fixed fields.

// UTF-8 -> Shift-JIS. A character with no Shift-JIS form, or a sequence that is not UTF-8,
// becomes one '?', and what follows it is converted as usual.
std::string ToSjis(std::string_view utf8);
// UTF-8 -> Shift-JIS only when every character has a Shift-JIS form that reads back as
// the same character; nothing otherwise.
std::optional<std::string> ToSjisExact(std::string_view utf8);
// Shift-JIS -> UTF-8. An undecodable byte becomes U+FFFD and conversion goes on with the
// byte after it.
std::string SjisToUtf8(std::string_view sjis);

// True when `byte` starts a double-byte Shift-JIS character.
constexpr bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length of the longest prefix of `text` that holds at most `maxBytes` bytes and does not
// end in the middle of a double-byte character.
std::size_t SjisPrefixLength(std::string_view text, std::size_t maxBytes);

// The text of a zero-terminated field: the bytes before the first zero, or at most
// `maxText` bytes (cut at a character boundary) when the field holds no terminator
// within that many bytes.
std::string_view FieldText(std::span<const char> field, std::size_t maxText);

// Writes `text` into a fixed field as a zero-terminated string: at most field.size() - 1
// bytes, cut at a character boundary, and every byte after the terminator zeroed.
void SetFieldText(std::span<char> field, std::string_view text);

template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
    return FieldText(std::span<const char>(field, N), N - 1);
}
template <std::size_t N>
void SetFieldText(char (&field)[N], std::string_view text) {
    SetFieldText(std::span<char>(field, N), text);
}

}  // namespace plk
