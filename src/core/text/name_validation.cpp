#include "core/text/name_validation.h"

#include <algorithm>
#include <vector>

#include "core/text/sjis.h"

namespace plk {
namespace {

bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Walks the text character by character; `accept` sees each code (one byte below 0x100,
// or lead << 8 | trail) and whether it was double-byte. A lead byte with no valid trail
// fails.
template <typename Accept>
bool EveryCharacter(std::string_view text, Accept accept) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto lead = static_cast<unsigned char>(text[pos]);
        if (!IsSjisLeadByte(lead)) {
            if (!accept(static_cast<unsigned>(lead), false)) {
                return false;
            }
            ++pos;
            continue;
        }
        if (pos + 1 >= text.size()) {
            return false;
        }
        auto trail = static_cast<unsigned char>(text[pos + 1]);
        if (!IsTrailByte(trail) || !accept((unsigned{lead} << 8) | trail, true)) {
            return false;
        }
        pos += 2;
    }
    return true;
}

}  // namespace

bool IsValidCharacterName(std::string_view sjis) {
    return EveryCharacter(sjis, [](unsigned code, bool doubleByte) {
        if (!doubleByte) {
            return false;
        }
        if (code >= 0x829F && code <= 0x82F1)
            return true;  // hiragana
        if (code >= 0x8340 && code <= 0x8396 && code != 0x837F)
            return true;  // katakana
        if (code < 0x889F)
            return true;  // symbols, digits, letters
        if (code >= 0x889F && code <= 0x9872)
            return true;                          // level-1 kanji
        return code >= 0x989F && code <= 0xEAA4;  // level-2 kanji
    });
}

bool IsValidRomanName(std::string_view sjis) {
    return EveryCharacter(sjis, [](unsigned code, bool doubleByte) {
        if (!doubleByte) {
            return code < 0x80;
        }
        return (code >= 0x824F && code <= 0x8258) ||  // full-width digits
               (code >= 0x8260 && code <= 0x8279) ||  // full-width capitals
               (code >= 0x8281 && code <= 0x829A);    // full-width small letters
    });
}

std::string_view InsertedCharacters(std::string_view before, std::string_view after) {
    // Character boundaries of both texts, from the start.
    auto boundaries = [](std::string_view text) {
        std::vector<std::size_t> at{0};
        std::size_t pos = 0;
        while (pos < text.size()) {
            pos += IsSjisLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
            at.push_back(std::min(pos, text.size()));
        }
        return at;
    };
    const std::vector<std::size_t> b = boundaries(before);
    const std::vector<std::size_t> a = boundaries(after);
    auto character = [](std::string_view text, const std::vector<std::size_t>& at, std::size_t i) {
        return text.substr(at[i], at[i + 1] - at[i]);
    };
    const std::size_t beforeCount = b.size() - 1;
    const std::size_t afterCount = a.size() - 1;
    std::size_t prefix = 0;
    while (prefix < beforeCount && prefix < afterCount &&
           character(before, b, prefix) == character(after, a, prefix)) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < beforeCount - prefix && suffix < afterCount - prefix &&
           character(before, b, beforeCount - 1 - suffix) ==
               character(after, a, afterCount - 1 - suffix)) {
        ++suffix;
    }
    return after.substr(a[prefix], a[afterCount - suffix] - a[prefix]);
}

}  // namespace plk
