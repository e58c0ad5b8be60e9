#include "cli/option_reader.h"

#include <charconv>
#include <limits>

namespace plk::cli {
namespace {

// Milliseconds stay small enough to count in microseconds without overflowing.
constexpr std::int64_t kMaxMs = std::numeric_limits<std::int64_t>::max() / 1000;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    if (text.empty()) {
        return parts;
    }
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

bool OptionReader::Next() {
    if (m_started) {
        ++m_at;
    }
    m_started = true;
    m_current = m_at;
    return m_at < m_args.size();
}

const std::string& OptionReader::Value() {
    if (m_at + 1 >= m_args.size()) {
        throw UsageError(Arg() + " needs a value");
    }
    return m_args[++m_at];
}

std::int64_t OptionReader::IntegerOf(const std::string& text, std::int64_t low, std::int64_t high,
                                     std::string_view what) const {
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        throw UsageError(Arg() + " takes " + std::string(what) + " from " + std::to_string(low) +
                         " to " + std::to_string(high) + ", not '" + text + "'");
    }
    return value;
}

int OptionReader::IntOf(const std::string& text, int low, int high, std::string_view what) const {
    return static_cast<int>(IntegerOf(text, low, high, what));
}

std::int64_t OptionReader::Integer(std::int64_t low, std::int64_t high, std::string_view what) {
    const std::string& text = Value();
    return IntegerOf(text, low, high, what);
}

int OptionReader::Int(int low, int high, std::string_view what) {
    return static_cast<int>(Integer(low, high, what));
}

std::int64_t OptionReader::MsOf(const std::string& text) const {
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > kMaxMs) {
        throw UsageError(Arg() + " takes milliseconds (an integer of at least 0), not '" + text +
                         "'");
    }
    return value;
}

std::int64_t OptionReader::Ms() {
    const std::string& text = Value();
    return MsOf(text);
}

std::vector<std::int64_t> OptionReader::MsList() {
    std::vector<std::int64_t> list;
    for (const std::string& item : Parts(',')) {
        list.push_back(MsOf(item));
    }
    return list;
}

std::pair<std::int64_t, std::int64_t> OptionReader::MsRange() {
    const std::string& text = Value();
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos) {
        throw UsageError(Arg() + " takes FROM-TO in milliseconds, not '" + text + "'");
    }
    const std::int64_t from = MsOf(text.substr(0, dash));
    const std::int64_t to = MsOf(text.substr(dash + 1));
    if (to < from) {
        throw UsageError(Arg() + ": the range " + text + " ends before it starts");
    }
    return {from, to};
}

std::vector<std::string> OptionReader::Parts(char separator) {
    return Split(Value(), separator);
}

std::vector<std::string> OptionReader::Parts(char separator, std::size_t count,
                                             std::string_view shape) {
    std::vector<std::string> parts = Parts(separator);
    if (parts.size() != count) {
        throw UsageError(Arg() + " takes " + std::string(shape));
    }
    return parts;
}

void OptionReader::TakeOperand() {
    const std::string& arg = Arg();
    if (arg.size() > 1 && arg[0] == '-') {  // a lone "-" names a file, as is usual
        throw UsageError("unknown option " + arg);
    }
    if (!m_operand.empty()) {
        throw UsageError("unexpected argument " + arg);
    }
    m_operand = arg;  // an empty argument leaves the operand missing
}

const std::string& OptionReader::Operand(std::string_view missing) const {
    if (m_operand.empty()) {
        throw UsageError(std::string(missing));
    }
    return m_operand;
}

}  // namespace plk::cli
