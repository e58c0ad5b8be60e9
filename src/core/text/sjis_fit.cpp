#include "core/text/sjis_fit.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace plk {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// One UTF-8 sequence at `at`: its code point and length. Malformed input reads as U+FFFD,
// one byte long.
char32_t DecodeUtf8(std::string_view text, std::size_t at, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[at]);
    length = 1;
    if (lead < 0x80) {
        return lead;
    }
    std::size_t need = 0;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        value = lead & 0x07;
    } else {
        return kReplacement;
    }
    if (at + need >= text.size()) {
        return kReplacement;
    }
    for (std::size_t i = 1; i <= need; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return kReplacement;
        }
        value = (value << 6) | (next & 0x3F);
    }
    const char32_t smallest = need == 1 ? 0x80 : need == 2 ? 0x800 : 0x10000;
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return kReplacement;
    }
    length = need + 1;
    return value;
}

std::string EncodeUtf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// An iconv conversion descriptor that is closed with its owner.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
        }
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The whole of `in` converted, or nothing when any of it does not convert.
    bool Convert(std::string_view in, std::string& out) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0) {
            return false;
        }
        out.assign(buffer, static_cast<std::size_t>(outPtr - buffer));
        return true;
    }

private:
    iconv_t m_cd;
};

}  // namespace

SjisFit FitToSjis(std::string_view utf8) {
    SjisFit fit;
    fit.kept.reserve(utf8.size());
    Converter toSjis("CP932", "UTF-8");
    std::string sjis;
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t length = 0;
        const char32_t c = DecodeUtf8(utf8, at, length);
        const std::string_view character = utf8.substr(at, length);
        at += length;
        if (c < 0x80) {
            fit.kept += character;  // ASCII is Shift-JIS's single-byte half
            continue;
        }
        // A character with two Unicode forms (WAVE DASH U+301C and FULLWIDTH TILDE U+FF5E
        // are both 0x8160) is the same character to the game, so converting is enough.
        const bool held = c != kReplacement && toSjis.Convert(character, sjis);
        if (held) {
            fit.kept += character;
        } else if (std::find(fit.refused.begin(), fit.refused.end(), c) == fit.refused.end()) {
            fit.refused.push_back(c);
        }
    }
    return fit;
}

std::string NameCharacters(const std::vector<char32_t>& characters) {
    std::string out;
    for (char32_t c : characters) {
        if (!out.empty()) {
            out += "、";
        }
        char code[16];
        std::snprintf(code, sizeof code, "(U+%04X)", static_cast<unsigned>(c));
        // Control and invisible characters still show their code.
        out += "「" + (c < 0x20 ? std::string() : EncodeUtf8(c)) + "」" + code;
    }
    return out;
}

}  // namespace plk
