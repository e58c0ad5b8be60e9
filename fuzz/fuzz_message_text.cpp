// Message layout and text conversion on arbitrary bytes. Besides the sanitizers: the
// layout walks the text forward character by character inside its bounds, field cuts end
// on a character boundary, and conversion never drops a valid character: converting the
// whole text gives what converting its pieces one by one gives.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/content/message_text.h"
#include "core/content/profile.h"
#include "core/text/message_layout.h"
#include "core/text/sjis.h"

#include "fuzz_check.h"

namespace {

using namespace plk;

// Length of the well-formed UTF-8 character at the start of `text`; 0 when there is none.
std::size_t Utf8CharacterLength(std::string_view text) {
    const auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    std::uint32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((at(i) & 0xC0) != 0x80) {
            return 0;
        }
        code = code << 6 | (at(i) & 0x3Fu);
    }
    const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

// UTF-8 to Shift-JIS: every well-formed character converts as it would alone, and each run
// of bytes that form no character turns into one to run-length '?', without swallowing
// the character after it.
void CheckToSjis(std::string_view text) {
    std::string pieces;
    std::size_t runStart = 0;
    const auto endRun = [&](std::size_t at) {
        if (at == runStart) {
            return;
        }
        const std::string run = ToSjis(text.substr(runStart, at - runStart));
        FUZZ_CHECK(!run.empty() && run.size() <= at - runStart &&
                   run.find_first_not_of('?') == std::string::npos);
        pieces += run;
    };
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t length = Utf8CharacterLength(text.substr(at));
        if (length == 0) {
            ++at;
            continue;
        }
        endRun(at);
        pieces += ToSjis(text.substr(at, length));
        at += length;
        runStart = at;
    }
    endRun(at);
    FUZZ_CHECK(ToSjis(text) == pieces);
}

// Shift-JIS to UTF-8: a lead byte and its partner that form a character convert as they
// would alone; any other byte converts alone, and the next byte starts afresh.
void CheckToUtf8(std::string_view text) {
    static const std::string kReplacement = "\xEF\xBF\xBD";
    const std::string whole = SjisToUtf8(text);
    std::string pieces;
    std::size_t at = 0;
    while (at < text.size()) {
        if (IsSjisLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) {
            const std::string pair = SjisToUtf8(text.substr(at, 2));
            if (pair.find(kReplacement) == std::string::npos) {
                pieces += pair;
                at += 2;
                continue;
            }
        }
        pieces += SjisToUtf8(text.substr(at, 1));
        ++at;
    }
    FUZZ_CHECK(whole == pieces);
}

// A field cut: a prefix of the text that ends on a character boundary.
void CheckCut(std::string_view text, std::string_view cut, std::size_t limit) {
    FUZZ_CHECK(cut.size() <= limit && text.substr(0, cut.size()) == cut);
    FUZZ_CHECK(SjisPrefixLength(cut, cut.size()) == cut.size());
}

void CheckLayout(std::string_view text) {
    MessageLayout layout;
    std::size_t progress = 0;
    int line = 0;
    std::size_t steps = 0;
    while (!layout.IsComplete(text)) {
        const auto placed = layout.Step(text, 32, [](int code) { return code < 256 ? 16 : 32; });
        FUZZ_CHECK(++steps <= text.size());
        FUZZ_CHECK(layout.Progress() > progress && layout.Progress() <= text.size());
        if (placed) {
            FUZZ_CHECK(placed->byte == progress);
            FUZZ_CHECK(placed->length == 1 || placed->length == 2);
            FUZZ_CHECK(placed->byte + static_cast<std::size_t>(placed->length) ==
                       layout.Progress());
            FUZZ_CHECK(placed->line >= line && placed->penX >= 0 && placed->penY >= 0);
            line = placed->line;
        }
        progress = layout.Progress();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // The piecewise models convert every character on its own; a few hundred bytes show
    // every way a sequence can go wrong.
    CheckToSjis(text.substr(0, 512));
    CheckToUtf8(text.substr(0, 512));
    (void)ToSjis(text);
    (void)SjisToUtf8(text);

    const std::string line = MessageLineText(text);
    CheckCut(text, line, kMessageTextMax);
    CheckLayout(line);
    CheckLayout(text.substr(0, 4096));
    (void)CharaEscapeWarning(CheckCharaEscapes(text));

    const std::string field = ProfileFieldText(text);
    FUZZ_CHECK(field.size() <= 255 && field.find('\n') == std::string::npos);

    char small[7];
    SetFieldText(small, text);
    const std::string_view stored = FieldText(small);
    CheckCut(text, stored, sizeof small - 1);
    for (std::size_t i = stored.size(); i < sizeof small; ++i) {
        FUZZ_CHECK(small[i] == '\0');
    }
    return 0;
}
