#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/records.h"

namespace plk {

struct MessageLine {
    char text[512];          // Shift-JIS, at most 511 bytes of text
    std::int32_t frequency;  // 3 often, 2 normal, 1 rarely, 0 never
};
static_assert(IsPlainRecord<MessageLine> && sizeof(MessageLine) == 516);

struct SituationMessages {
    std::int32_t windowCut;  // cut index shown as the message window
    std::int32_t lineCut[4];
    MessageLine line[4];
};
static_assert(IsPlainRecord<SituationMessages> && sizeof(SituationMessages) == 2084);
static_assert(offsetof(SituationMessages, line) == 20);

inline constexpr int kSituationCount = 41;
inline constexpr int kLegacySituationCount = 30;

struct MessageTable {
    std::array<SituationMessages, kSituationCount> situations;
};
static_assert(IsPlainRecord<MessageTable> && sizeof(MessageTable) == 85444);

// True when at least one of the situation's lines has text (its tab is marked).
bool HasLineText(const SituationMessages& situation);

// The situation tab labels, "Ａ：テンパイ" to "ｚ：メンバー選択時", as Shift-JIS.
const std::array<std::string, kSituationCount>& SituationLabels();

enum class MessageDefaults {
    FirstCreation,  // line 1 of situations 0..16 is the label without its letter prefix
    NewProject,     // line 1 of every situation is the whole label
};

// Every situation: all cuts 0, every frequency 2, line 1 as `variant` says, lines 2..4 empty.
void ResetMessages(MessageTable& table, MessageDefaults variant = MessageDefaults::NewProject);

// Copies situations 0..count-1 field by field from `block`, which holds `count` records of
// the same layout; texts are copied as zero-terminated strings. Situations from `count` on
// keep what they hold.
void ImportMessages(MessageTable& table, std::span<const SituationMessages> block);

}  // namespace plk
