#include "core/text/name_validation.h"

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

}  // namespace plk
