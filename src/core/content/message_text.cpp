#include "core/content/message_text.h"

#include "core/text/sjis.h"

namespace plk {
namespace {

std::size_t CountOccurrences(std::string_view text, std::string_view what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos;
         at = text.find(what, at + what.size())) {
        ++count;
    }
    return count;
}

}  // namespace

std::string MessageLineText(std::string_view sjis) {
    return std::string(sjis.substr(0, SjisPrefixLength(sjis, kMessageTextMax)));
}

std::int32_t FrequencyAfterTyping(std::string_view before, std::string_view after,
                                  std::int32_t frequency) {
    if (before.empty() && !after.empty() && frequency == kFrequencyNever) {
        return kFrequencyNormal;
    }
    return frequency;
}

CharaEscapeCheck CheckCharaEscapes(std::string_view sjis) {
    constexpr std::size_t kCheckedBytes = 1023;
    std::string_view text = sjis.substr(0, kCheckedBytes);
    const std::size_t escapes = CountOccurrences(text, "\\chara");
    CharaEscapeCheck check;
    check.commaMismatch = escapes != CountOccurrences(text, ",");
    check.parenthesisMismatch = escapes != CountOccurrences(text, ")");
    return check;
}

std::string CharaEscapeWarning(const CharaEscapeCheck& check) {
    std::string message;
    if (check.commaMismatch) {
        message += "\\charaの書式に誤りがあります：','が抜けている可能性があります\n";
    }
    if (check.parenthesisMismatch) {
        message += "\\charaの書式に誤りがあります：')'が抜けている可能性があります\n";
    }
    return message;
}

}  // namespace plk
