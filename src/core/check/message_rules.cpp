#include <algorithm>
#include <string>

#include "core/check/check_rules.h"
#include "core/content/message_text.h"
#include "core/text/message_layout.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

constexpr int kWindowLines = 3;  // the 96-pixel message strip holds three 32-pixel lines
constexpr int kNeverSpoken = 0;
constexpr int kMostOften = 3;

std::string Num(int n) {
    return std::to_string(n);
}

std::string LineJa(int situation, int line) {
    return "「" + SjisToUtf8(SituationLabels()[static_cast<std::size_t>(situation)]) + "」の " +
           Num(line + 1) + " 行目のセリフ";
}

std::string LineEn(int situation, int line) {
    return "situation " + Num(situation) + " line " + Num(line + 1);
}

template <typename Visit>
void ForEachLine(const Project& project, Visit&& visit) {
    for (int k = 0; k < kSituationCount; ++k) {
        const SituationMessages& situation =
            project.messages.situations[static_cast<std::size_t>(k)];
        for (int i = 0; i < 4; ++i) {
            visit(k, i, situation.line[i]);
        }
    }
}

// How many lines the message window's layout takes for `text`.
int LaidOutLines(std::string_view text) {
    MessageLayout layout;
    int lines = 0;
    while (!layout.IsComplete(text)) {
        const auto placed = layout.Step(text, 1, [](int) { return 0; });
        if (placed) {
            lines = std::max(lines, placed->line + 1);
        }
    }
    return lines;
}

}  // namespace

// The lines a new project starts with: the situation's tab label on line 1, or, on the very
// first start, the label without its letter for the first 17 situations.
bool IsPlaceholderLine(int situation, std::string_view text) {
    constexpr std::size_t kLetterPrefix = 4;
    constexpr int kLastLabelledOnFirstCreation = 16;
    const std::string_view label = SituationLabels()[static_cast<std::size_t>(situation)];
    return text == label ||
           (situation <= kLastLabelledOnFirstCreation && text == label.substr(kLetterPrefix));
}

void CheckNeverSpokenLines(const CheckContext& context, Findings& out) {
    ForEachLine(context.project, [&](int k, int i, const MessageLine& line) {
        if (FieldText(line.text).empty()) {
            return;
        }
        if (line.frequency == kNeverSpoken) {
            Report(out, Severity::Warning, "message.never-spoken", Place::Line(k, i),
                   LineJa(k, i) +
                       "は頻度が「まったく使わない」なので、ゲームでは一度も話されません。"
                       "話させるなら頻度を変えてください。",
                   LineEn(k, i) +
                       " has text but its frequency is 'never', so the game never speaks it. "
                       "Change the frequency if it should be spoken.");
        } else if (line.frequency < kNeverSpoken || line.frequency > kMostOften) {
            Report(out, Severity::Error, "message.bad-frequency", Place::Line(k, i),
                   LineJa(k, i) + "の頻度 " + Num(line.frequency) +
                       " はゲームの知らない値です。頻度を選び直してください。",
                   LineEn(k, i) + " has frequency " + Num(line.frequency) +
                       ", which the game does not know. Choose the frequency again.");
        }
    });
}

void CheckPlaceholderLines(const CheckContext& context, Findings& out) {
    ForEachLine(context.project, [&](int k, int i, const MessageLine& line) {
        if (line.frequency == kNeverSpoken || !IsPlaceholderLine(k, FieldText(line.text))) {
            return;
        }
        Report(out, Severity::Warning, "message.placeholder", Place::Line(k, i),
               LineJa(k, i) +
                   "は新規作成時の仮のテキストのままです。ゲームではこのまま話されます。"
                   "セリフを書くか、消してください。",
               LineEn(k, i) +
                   " still holds the placeholder text of a new project, which the game would "
                   "speak as it is. Write the line or clear it.");
    });
}

void CheckLongLines(const CheckContext& context, Findings& out) {
    ForEachLine(context.project, [&](int k, int i, const MessageLine& line) {
        const int lines = LaidOutLines(FieldText(line.text));
        if (lines <= kWindowLines) {
            return;
        }
        Report(out, Severity::Warning, "message.too-long", Place::Line(k, i),
               LineJa(k, i) + "はメッセージウインドウで " + Num(lines) +
                   " 行になり、3 行目より後は表示されません。短くするか分けてください。",
               LineEn(k, i) + " takes " + Num(lines) +
                   " lines in the message window, which shows three; the rest is not visible. "
                   "Shorten or split it.");
    });
    const Project& project = context.project;
    for (int c = 0; c < static_cast<int>(project.cuts.size()); ++c) {
        const Cut& cut = project.cuts[static_cast<std::size_t>(c)];
        for (int r = 0; r < cut.FrameCount(); ++r) {
            const FrameRecord& frame = cut.Frame(r);
            if (frame.IsNormal() ||
                (frame.control.command != static_cast<int>(ControlCommand::Message) &&
                 frame.control.command != static_cast<int>(ControlCommand::Chat))) {
                continue;
            }
            const int lines = LaidOutLines(FieldText(frame.control.message));
            if (lines <= kWindowLines) {
                continue;
            }
            Report(out, Severity::Warning, "cut.message-too-long", Place::Row(c, r),
                   RowTextJa(c, r) + " のメッセージはウインドウで " + Num(lines) +
                       " 行になり、3 行目より後は表示されません。短くするか分けてください。",
                   RowTextEn(c, r) + ": the message takes " + Num(lines) +
                       " lines in the window, which shows three. Shorten or split it.");
        }
    }
}

void CheckCharaEscapeLines(const CheckContext& context, Findings& out) {
    ForEachLine(context.project, [&](int k, int i, const MessageLine& line) {
        const std::string_view text = FieldText(line.text);
        // Commas and parentheses of plain speech are no escapes' business.
        if (text.find("\\chara") == std::string_view::npos || CheckCharaEscapes(text).Passed()) {
            return;
        }
        Report(out, Severity::Warning, "message.chara-escape", Place::Line(k, i),
               LineJa(k, i) +
                   "の \\chara の数と、コンマまたは閉じかっこの数が合いません。ゲームでは"
                   "正しく読まれません。\\chara(...) の書き方を確かめてください。",
               LineEn(k, i) +
                   ": the \\chara escapes do not match the commas or closing parentheses; the "
                   "game will misread them. Check each \\chara(...).");
    });
}

void CheckCutReferences(const CheckContext& context, Findings& out) {
    const Project& project = context.project;
    const int cuts = static_cast<int>(project.cuts.size());
    const std::string count = Num(cuts);
    auto outside = [cuts](std::int32_t cut) { return cut < 0 || cut >= cuts; };
    for (int k = 0; k < kSituationCount; ++k) {
        const SituationMessages& situation =
            project.messages.situations[static_cast<std::size_t>(k)];
        const std::string label = SjisToUtf8(SituationLabels()[static_cast<std::size_t>(k)]);
        if (outside(situation.windowCut)) {
            Report(
                out, Severity::Error, "message.cut-out-of-range", Place::Situation(k),
                "「" + label + "」のメッセージウインドウのカット " + Num(situation.windowCut + 1) +
                    " はありません（カットは " + count + " 個）。カットを選び直してください。",
                "Situation " + Num(k) + ": the message window cut " + Num(situation.windowCut + 1) +
                    " does not exist (there are " + count + " cuts). Choose the cut again.");
        }
        for (int i = 0; i < 4; ++i) {
            if (!outside(situation.lineCut[i])) {
                continue;
            }
            Report(out, Severity::Error, "message.cut-out-of-range", Place::Line(k, i),
                   LineJa(k, i) + "のカット " + Num(situation.lineCut[i] + 1) +
                       " はありません（カットは " + count + " 個）。カットを選び直してください。",
                   LineEn(k, i) + ": cut " + Num(situation.lineCut[i] + 1) +
                       " does not exist (there are " + count + " cuts). Choose the cut again.");
        }
    }
    const ProfileRecord& profile = project.profile.profile;
    const std::pair<const char*, std::int32_t> profileCuts[] = {
        {"profileCut", profile.profileCut},
        {"menuIconCut", profile.menuIconCut},
        {"messageWindowCut", profile.messageWindowCut},
    };
    for (const auto& [field, cut] : profileCuts) {
        if (!outside(cut)) {
            continue;
        }
        Report(out, Severity::Error, "profile.cut-out-of-range", Place::Profile(field),
               std::string("プロフィールの ") + field + " のカット " + Num(cut + 1) +
                   " はありません（カットは " + count + " 個）。カットを選び直してください。",
               std::string("Profile ") + field + ": cut " + Num(cut + 1) +
                   " does not exist (there are " + count + " cuts). Choose the cut again.");
    }
}

}  // namespace plk
