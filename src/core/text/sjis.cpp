#include "core/text/sjis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace plk {
namespace {

// How many bytes of `text` (which iconv refused at its start) one replacement stands for:
// a whole well-formed character that has no form in the target, or the longest start of a
// well-formed UTF-8 sequence, at least one byte. A byte that cannot continue the sequence
// is left for the next round, so "\xE3abc" loses only the 0xE3.
std::size_t RefusedUtf8Length(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;  // range of the byte after the lead
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing past U+10FFFF
    } else {
        return 1;
    }
    std::size_t taken = 1;
    while (taken < length && taken < text.size()) {
        const unsigned char next = byte(taken);
        const bool fits = taken == 1 ? next >= low && next <= high : next >= 0x80 && next <= 0xBF;
        if (!fits) {
            break;
        }
        ++taken;
    }
    return taken;
}

// One conversion with iconv; each refused sequence becomes one replacement, so that a
// damaged field still shows what it can.
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    std::string out;
    out.resize(in.size() * 4 + 16);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        if (rc != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            std::size_t used = static_cast<std::size_t>(outPtr - out.data());
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // EILSEQ or EINVAL: one replacement, and conversion goes on right after what was
        // refused, so valid characters that follow a bad byte are kept.
        const std::size_t skip = std::strcmp(from, "UTF-8") == 0
                                     ? RefusedUtf8Length(std::string_view(inPtr, inLeft))
                                     : 1;
        inPtr += skip;
        inLeft -= skip;
        if (outLeft < replacement.size()) {
            std::size_t used = static_cast<std::size_t>(outPtr - out.data());
            out.resize(out.size() * 2 + replacement.size());
            outPtr = out.data() + used;
            outLeft = out.size() - used;
        }
        std::memcpy(outPtr, replacement.data(), replacement.size());
        outPtr += replacement.size();
        outLeft -= replacement.size();
    }
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    iconv_close(cd);
    return out;
}

}  // namespace

std::string ToSjis(std::string_view utf8) {
    return Convert("CP932", "UTF-8", utf8, "?");
}

std::optional<std::string> ToSjisExact(std::string_view utf8) {
    // A replacement shows up as a difference on the way back: '?' of a lost character where
    // the text had something else.
    std::string sjis = ToSjis(utf8);
    if (SjisToUtf8(sjis) != utf8) {
        return std::nullopt;
    }
    return sjis;
}

std::string SjisToUtf8(std::string_view sjis) {
    return Convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD");
}

std::size_t SjisPrefixLength(std::string_view text, std::size_t maxBytes) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t width = IsSjisLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
        if (pos + width > maxBytes || pos + width > text.size()) {
            break;
        }
        pos += width;
    }
    return pos;
}

std::string_view FieldText(std::span<const char> field, std::size_t maxText) {
    const char* end = std::find(field.data(), field.data() + field.size(), '\0');
    std::string_view text(field.data(), static_cast<std::size_t>(end - field.data()));
    if (text.size() > maxText) {
        text = text.substr(0, SjisPrefixLength(text, maxText));
    }
    return text;
}

void SetFieldText(std::span<char> field, std::string_view text) {
    if (field.empty()) {
        return;
    }
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    std::size_t length = SjisPrefixLength(text, field.size() - 1);
    if (length > 0) {
        std::memcpy(field.data(), text.data(), length);
    }
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(length), field.end(), '\0');
}

}  // namespace plk
