#include "core/text/sjis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace plk {
namespace {

// One conversion with iconv; invalid input is replaced byte by byte so that a damaged
// field still shows what it can.
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
        // EILSEQ or EINVAL: skip one input byte (one whole UTF-8 sequence when converting
        // from UTF-8) and emit the replacement.
        std::size_t skip = 1;
        if (std::strcmp(from, "UTF-8") == 0) {
            auto lead = static_cast<unsigned char>(*inPtr);
            skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            skip = std::min(skip, inLeft);
        }
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
