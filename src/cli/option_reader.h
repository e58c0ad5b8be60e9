#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/command.h"

namespace plk::cli {

// Walks a command's arguments: each option with the value after it, and the one operand (the
// project, the file, the text). Every mistake is a UsageError worded alike for every command,
// naming the option it concerns.
class OptionReader {
public:
    explicit OptionReader(CommandArgs args) : m_args(args) {}

    // Moves to the next argument; false once every argument has been read.
    bool Next();
    const std::string& Arg() const { return m_args[m_current]; }
    bool Is(std::string_view option) const { return Arg() == option; }

    // The current option's value: the argument after it.
    const std::string& Value();
    // The value as an integer from `low` to `high`; `what` names it in the error.
    std::int64_t Integer(std::int64_t low, std::int64_t high, std::string_view what = "an integer");
    int Int(int low, int high, std::string_view what = "an integer");
    // The value as milliseconds, a list of them ("100,250") and a range ("FROM-TO").
    std::int64_t Ms();
    std::vector<std::int64_t> MsList();
    std::pair<std::int64_t, std::int64_t> MsRange();
    // The value split at `separator`; with a `count`, exactly that many parts as `shape` shows.
    std::vector<std::string> Parts(char separator);
    std::vector<std::string> Parts(char separator, std::size_t count, std::string_view shape);
    // One part of the value read as the current option's integer.
    std::int64_t IntegerOf(const std::string& text, std::int64_t low, std::int64_t high,
                           std::string_view what = "an integer") const;
    int IntOf(const std::string& text, int low, int high,
              std::string_view what = "an integer") const;

    // The current argument as the operand; an unknown option or a second operand is refused.
    void TakeOperand();
    // The operand taken; `missing` is the error when there was none.
    const std::string& Operand(std::string_view missing) const;

private:
    std::int64_t MsOf(const std::string& text) const;

    CommandArgs m_args;
    std::size_t m_current = 0;  // the argument Next moved to: the option, or the operand
    std::size_t m_at = 0;       // the last argument read, a value after its option
    bool m_started = false;
    std::string m_operand;
};

}  // namespace plk::cli
