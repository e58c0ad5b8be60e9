#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace plk {

// How the first byte of a character reads in code page 932.
enum class SjisByteClass { Single, Lead, Invalid };
constexpr SjisByteClass ClassifySjisByte(unsigned char byte) {
    if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
        return SjisByteClass::Lead;
    }
    if (byte <= 0x7F || (byte >= 0xA1 && byte <= 0xDF)) {
        return SjisByteClass::Single;
    }
    return SjisByteClass::Invalid;  // 0x80, 0xA0, 0xFD..0xFF
}

// Kinsoku: characters that may not begin a line, and characters that may not end one.
// `at` points at the character's first byte.
bool IsNoLineStart(std::string_view at);
bool IsNoLineEnd(std::string_view at);

// A character placed on the message strip.
struct PlacedCharacter {
    std::size_t byte;  // offset of its first byte in the text
    int code;          // single byte, or lead * 256 + trail
    int length;        // 1 or 2 bytes
    int line;          // from 0
    int penX;          // where its cell starts
    int penY;
};

// Lays out Shift-JIS message text one character per step: at most 44 bytes and one more
// character per line, no opening bracket as that extra character, closing marks hanging
// on the line, two backslashes in a row for a line break. The first line starts at x 0,
// later lines at x 32.
class MessageLayout {
public:
    static constexpr int kLineBytes = 44;
    static constexpr int kIndent = 32;

    void Clear() { *this = MessageLayout{}; }
    bool IsComplete(std::string_view text) const { return text.size() <= m_progress; }

    // Lays out the next character of `text`. `advance(code)` is the placed glyph's width,
    // `lineHeight` the font's height. Returns the character placed, if any (a line break or
    // an invalid byte places none).
    template <typename Advance>
    std::optional<PlacedCharacter> Step(std::string_view text, int lineHeight, Advance&& advance);

    std::size_t Progress() const { return m_progress; }
    int PenX() const { return m_penX; }
    int PenY() const { return m_penY; }
    int Line() const { return m_line; }

private:
    // The next character's length, or 0 for a byte that starts none (invalid, or a lead
    // byte without its trail byte).
    static int CharacterLength(std::string_view text, std::size_t at);
    void NewLine(int lineHeight);
    // Decides the line breaks before the character at `at` of `length` bytes.
    void BreakBefore(std::string_view text, std::size_t at, int lineHeight);

    int m_penX = 0;
    int m_penY = 0;
    std::size_t m_progress = 0;
    int m_lineBytes = 0;
    int m_line = 0;
};

// The message window shows three lines of the strip.
inline constexpr int kMessageWindowLines = 3;

// The offset of the first character that the layout puts below the window's `lines`
// lines; nothing when the whole text fits. Line breaks depend on byte counts only, so no
// font is needed.
std::optional<std::size_t> FirstByteBeyondLines(std::string_view text,
                                                int lines = kMessageWindowLines);

template <typename Advance>
std::optional<PlacedCharacter> MessageLayout::Step(std::string_view text, int lineHeight,
                                                   Advance&& advance) {
    if (m_progress >= text.size()) {
        return std::nullopt;
    }
    const std::size_t at = m_progress;
    const auto first = static_cast<unsigned char>(text[at]);
    const int length = CharacterLength(text, at);
    if (length == 0) {
        m_progress += 1;
        return std::nullopt;
    }
    if (first == '\\' && at + 1 < text.size() && text[at + 1] == '\\') {
        NewLine(lineHeight);
        m_progress += 2;
        return std::nullopt;
    }
    BreakBefore(text, at, lineHeight);
    const int code = length == 1 ? first : first * 256 + static_cast<unsigned char>(text[at + 1]);
    PlacedCharacter placed{at, code, length, m_line, m_penX, m_penY};
    m_penX += advance(code);
    m_lineBytes += length;
    m_progress += static_cast<std::size_t>(length);
    return placed;
}

}  // namespace plk
