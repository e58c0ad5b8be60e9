#include "core/text/message_layout.h"

#include <array>

namespace plk {
namespace {

// "、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』" then ! ) , . : ; ? ] } and the half-width
// ｡ ｣ ､ ･ ｰ ﾞ ﾟ, as Shift-JIS.
constexpr std::string_view kNoLineStart =
    "\x81\x41\x81\x42\x81\x43\x81\x44\x81\x45\x81\x48\x81\x49\x81\x4A\x81\x4B\x81\x52"
    "\x81\x53\x81\x54\x81\x55\x81\x58\x81\x5B\x81\x6A\x81\x6E\x81\x70\x81\x76\x81\x78"
    "!),.:;?]}\xA1\xA3\xA4\xA5\xB0\xDE\xDF";
// "（［｛「『" then ( [ { and the half-width ｢.
constexpr std::string_view kNoLineEnd = "\x81\x69\x81\x6D\x81\x6F\x81\x75\x81\x77([{\xA2";

bool InSet(std::string_view set, std::string_view at) {
    if (at.empty()) {
        return false;
    }
    const auto first = static_cast<unsigned char>(at[0]);
    switch (ClassifySjisByte(first)) {
        case SjisByteClass::Lead:
            if (at.size() < 2) {
                return false;
            }
            for (std::size_t i = 0; i < set.size();) {
                if (ClassifySjisByte(static_cast<unsigned char>(set[i])) == SjisByteClass::Lead) {
                    if (set[i] == at[0] && set[i + 1] == at[1]) {
                        return true;
                    }
                    i += 2;
                } else {
                    i += 1;
                }
            }
            return false;
        case SjisByteClass::Single:
            for (std::size_t i = 0; i < set.size();) {
                if (ClassifySjisByte(static_cast<unsigned char>(set[i])) == SjisByteClass::Lead) {
                    i += 2;
                } else {
                    if (set[i] == at[0]) {
                        return true;
                    }
                    i += 1;
                }
            }
            return false;
        case SjisByteClass::Invalid:
            return false;
    }
    return false;
}

}  // namespace

bool IsNoLineStart(std::string_view at) {
    return InSet(kNoLineStart, at);
}
bool IsNoLineEnd(std::string_view at) {
    return InSet(kNoLineEnd, at);
}

int MessageLayout::CharacterLength(std::string_view text, std::size_t at) {
    switch (ClassifySjisByte(static_cast<unsigned char>(text[at]))) {
        case SjisByteClass::Single:
            return 1;
        case SjisByteClass::Lead:
            return at + 1 < text.size() ? 2 : 0;
        case SjisByteClass::Invalid:
            return 0;
    }
    return 0;
}

void MessageLayout::NewLine(int lineHeight) {
    m_penY += lineHeight;
    m_penX = kIndent;
    m_lineBytes = 0;
    m_line += 1;
}

void MessageLayout::BreakBefore(std::string_view text, std::size_t at, int lineHeight) {
    const std::string_view character = text.substr(at);
    if (m_lineBytes == kLineBytes && IsNoLineEnd(character)) {
        NewLine(lineHeight);
    }
    if (m_lineBytes > kLineBytes && !IsNoLineStart(character)) {
        NewLine(lineHeight);
    }
}

std::optional<std::size_t> FirstByteBeyondLines(std::string_view text, int lines) {
    MessageLayout layout;
    while (!layout.IsComplete(text)) {
        const std::optional<PlacedCharacter> placed = layout.Step(text, 1, [](int) { return 1; });
        if (placed && placed->line >= lines) {
            return placed->byte;
        }
    }
    return std::nullopt;
}

}  // namespace plk
