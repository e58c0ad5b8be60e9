#include <algorithm>
#include <set>
#include <string>

#include "core/check/check_rules.h"
#include "core/check/playback_probe.h"
#include "core/content/cut_references.h"
#include "core/playback/playback_speed.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

constexpr int kNotControl = 0;
constexpr std::int64_t kLongestProbeMs = 120000;

int CommandOf(const FrameRecord& frame) {
    return frame.IsNormal() ? kNotControl : frame.control.command;
}

bool Is(const FrameRecord& frame, ControlCommand command) {
    return CommandOf(frame) == static_cast<int>(command);
}

// Visits every control row of every cut with the given command.
template <typename Visit>
void ForEachCommand(const Project& project, ControlCommand command, Visit&& visit) {
    for (int c = 0; c < static_cast<int>(project.cuts.size()); ++c) {
        const Cut& cut = project.cuts[static_cast<std::size_t>(c)];
        for (int r = 0; r < cut.FrameCount(); ++r) {
            if (Is(cut.Frame(r), command)) {
                visit(c, cut, r);
            }
        }
    }
}

// The row of the MESSAGE or WAIT a REPEAT at `repeatRow` loops for: the first one before
// the next normal frame; -1 when a normal frame or the end comes first.
int WaitingRowAfter(const Cut& cut, int repeatRow) {
    for (int r = repeatRow + 1; r < cut.FrameCount(); ++r) {
        const FrameRecord& frame = cut.Frame(r);
        if (frame.IsNormal()) {
            return -1;
        }
        if (Is(frame, ControlCommand::Message) || Is(frame, ControlCommand::Wait)) {
            return r;
        }
    }
    return -1;
}

// Virtual time enough for a segment's normal frames at the default speed, plus slack.
std::int64_t ProbeTimeFor(const Cut& segment, std::int64_t perRowMs) {
    const std::int64_t wanted = segment.FrameCount() * perRowMs + 5000;
    return std::min(wanted, kLongestProbeMs);
}

std::string Num(int n) {
    return std::to_string(n);
}

}  // namespace

std::string RowTextJa(int cut, int row) {
    return "カット " + Num(cut + 1) + " の " + Num(row + 1) + " 行目";
}

std::string RowTextEn(int cut, int row) {
    return "cut " + Num(cut + 1) + " row " + Num(row + 1);
}

void CheckUnknownCommands(const CheckContext& context, Findings& out) {
    const Project& project = context.project;
    for (int c = 0; c < static_cast<int>(project.cuts.size()); ++c) {
        const Cut& cut = project.cuts[static_cast<std::size_t>(c)];
        for (int r = 0; r < cut.FrameCount(); ++r) {
            const int command = CommandOf(cut.Frame(r));
            if (cut.Frame(r).IsNormal() || (command >= 1 && command <= 10)) {
                continue;
            }
            // Confirmed on the playback itself: the row holds the sheet for good.
            const ProbeResult probe = ProbeCommandPlayback(CutSegment(cut, r, r + 1), {1000});
            if (probe.end != RunEnd::Stalled) {
                continue;
            }
            Report(out, Severity::Error, "cut.unknown-command", Place::Row(c, r),
                   RowTextJa(c, r) + " の制御フレームのコマンド " + Num(command) +
                       " は不明です。再生はここで止まり、絵が固まったままになります。"
                       "制御フレームを変更してください。",
                   RowTextEn(c, r) + ": control command " + Num(command) +
                       " is unknown; playback stops there with a frozen picture. Change the "
                       "control frame.");
        }
    }
}

void CheckRepeatWithoutWait(const CheckContext& context, Findings& out) {
    ForEachCommand(context.project, ControlCommand::Repeat, [&](int c, const Cut& cut, int r) {
        if (WaitingRowAfter(cut, r) >= 0) {
            return;
        }
        Report(out, Severity::Warning, "cut.repeat-without-wait", Place::Row(c, r),
               RowTextJa(c, r) +
                   " の REPEAT の後、次の通常フレームまでに MESSAGE も WAIT もありません。"
                   "ここではループせず、後の MESSAGE か WAIT で思わぬときにループします。"
                   "REPEAT の直後に MESSAGE か WAIT を置いてください。",
               RowTextEn(c, r) +
                   ": the REPEAT has no MESSAGE or WAIT before the next normal frame, so it "
                   "does not loop here and may loop later at an unexpected MESSAGE or WAIT. "
                   "Put a MESSAGE or WAIT right after it.");
    });
}

void CheckRepeatBeforeWait(const CheckContext& context, Findings& out) {
    ForEachCommand(context.project, ControlCommand::Repeat, [&](int c, const Cut& cut, int r) {
        const int waiting = WaitingRowAfter(cut, r);
        const std::int32_t position = cut.Frame(r).control.position;
        if (waiting < 0 || !Is(cut.Frame(waiting), ControlCommand::Wait) || position < 1 ||
            cut.RowAfterFrameNumber(position) > r) {
            return;
        }
        // Played from the loop's first frame: once the WAIT holds, is any picture presented
        // before it ends?
        const int first = cut.RowOfFrameNumber(position);
        const int end = std::min(waiting + 2, cut.FrameCount());
        ProbeOptions options;
        options.untilMs = 4000;
        options.watchRow = waiting - first;
        const ProbeResult probe = ProbeCommandPlayback(CutSegment(cut, first, end), options);
        const bool loopDrawn =
            std::any_of(probe.presentedAfterWatch.begin(), probe.presentedAfterWatch.end(),
                        [&](int row) { return row >= 0 && row < waiting - first; });
        if (loopDrawn || probe.visited.size() <= static_cast<std::size_t>(waiting - first) ||
            !probe.visited[static_cast<std::size_t>(waiting - first)]) {
            return;
        }
        Report(out, Severity::Warning, "cut.repeat-before-wait", Place::Row(c, r),
               RowTextJa(c, r) +
                   " の REPEAT は WAIT の間ループしますが、WAIT "
                   "は何も描かないため、ループは一度も表示されず絵が止まったままです。"
                   "ループを見せたいなら WAIT の代わりに MESSAGE を使ってください。",
               RowTextEn(c, r) +
                   ": the REPEAT loops while the WAIT holds, but a WAIT draws nothing, so the "
                   "loop is never shown and the picture stands still. Use a MESSAGE instead "
                   "of the WAIT to show the loop.");
    });
}

void CheckRepeatTargets(const CheckContext& context, Findings& out) {
    ForEachCommand(context.project, ControlCommand::Repeat, [&](int c, const Cut& cut, int r) {
        const std::int32_t position = cut.Frame(r).control.position;
        const int framesBefore = cut.NormalFramesBefore(r);
        if (position < 1) {
            Report(
                out, Severity::Warning, "cut.repeat-frame-zero", Place::Row(c, r),
                RowTextJa(c, r) +
                    " の REPEAT の戻るセル番号が 0 です。フレーム番号は 1 から数えるので、"
                    "ループはカットの最初の行から始まります。戻るフレーム番号を指定してください。",
                RowTextEn(c, r) +
                    ": the REPEAT returns to frame 0. Frames count from 1, so the loop starts "
                    "at the first row of the cut. Give the frame number to return to.");
            return;
        }
        if (position <= framesBefore) {
            return;
        }
        // Played from the REPEAT without clicks, as an author reading the message would.
        const Cut segment = CutSegment(cut, r, cut.FrameCount());
        ProbeOptions options;
        options.clickEveryMs = 0;
        options.untilMs = ProbeTimeFor(segment, 40);
        const ProbeResult probe = ProbeCommandPlayback(segment, options);
        const std::string target = Num(position);
        const std::string before = Num(framesBefore);
        if (probe.end == RunEnd::Rows && probe.waitPendingAtEnd) {
            Report(out, Severity::Error, "cut.repeat-target-after", Place::Row(c, r),
                   RowTextJa(c, r) + " の REPEAT が自分より後のフレーム " + target +
                       " を指しています（この行より前のフレームは " + before +
                       " まで）。待つ間に行が先へ進み、メッセージの途中でカットが終わります。"
                       "戻るセル番号をこの行より前のフレームにしてください。",
                   RowTextEn(c, r) + ": the REPEAT names frame " + target +
                       ", which comes after it (frames before it end at " + before +
                       "). While the message waits the rows run on and the cut ends in the "
                       "middle of the message. Name a frame before the REPEAT.");
        } else {
            Report(out, Severity::Warning, "cut.repeat-target-after", Place::Row(c, r),
                   RowTextJa(c, r) + " の REPEAT が自分より後のフレーム " + target +
                       " を指していて、ループになりません。"
                       "戻るセル番号をこの行より前のフレームにしてください。",
                   RowTextEn(c, r) + ": the REPEAT names frame " + target +
                       ", which comes after it, so nothing loops. Name a frame before the "
                       "REPEAT.");
        }
    });
}

void CheckRepeatLoopsWithoutPicture(const CheckContext& context, Findings& out) {
    ForEachCommand(context.project, ControlCommand::Repeat, [&](int c, const Cut& cut, int r) {
        const std::int32_t position = cut.Frame(r).control.position;
        const int target = cut.RowAfterFrameNumber(position);
        if (target > r || cut.CountNormalFrames(std::max(target - 1, 0), r) > 0) {
            return;
        }
        Report(out, Severity::Warning, "cut.repeat-loop-without-picture", Place::Row(c, r),
               RowTextJa(c, r) +
                   " の REPEAT のループに通常フレームがありません。ループしても何も表示されません。"
                   "ループに通常フレームを入れてください。",
               RowTextEn(c, r) +
                   ": the REPEAT loop holds no normal frame, so looping shows nothing. Put "
                   "normal frames into the loop.");
    });
}

void CheckChargeStartWithoutEnd(const CheckContext& context, Findings& out) {
    ForEachCommand(context.project, ControlCommand::ChargeStart, [&](int c, const Cut& cut, int r) {
        for (int below = r + 1; below < cut.FrameCount(); ++below) {
            if (Is(cut.Frame(below), ControlCommand::ChargeEnd)) {
                return;
            }
        }
        Report(out, Severity::Warning, "cut.chargestart-without-end", Place::Row(c, r),
               RowTextJa(c, r) +
                   " の CHARGESTART の下に CHARGEEND がありません。溜めの時間が終わると"
                   "残りの行を飛ばしてカットが終わります。下に CHARGEEND を置いてください。",
               RowTextEn(c, r) +
                   ": the CHARGESTART has no CHARGEEND below it; when the charge time runs "
                   "out the remaining rows are skipped and the cut ends. Put a CHARGEEND "
                   "below it.");
    });
}

void CheckZeroChargeBeforeEnd(const CheckContext& context, Findings& out) {
    ForEachCommand(context.project, ControlCommand::ChargeStart, [&](int c, const Cut& cut, int r) {
        if (cut.Frame(r).control.time != 0 || r + 1 >= cut.FrameCount() ||
            !Is(cut.Frame(r + 1), ControlCommand::ChargeEnd)) {
            return;
        }
        const Cut segment = CutSegment(cut, r, cut.FrameCount());
        ProbeOptions options;
        options.untilMs = ProbeTimeFor(segment, 40);
        const ProbeResult probe = ProbeCommandPlayback(segment, options);
        if (segment.FrameCount() > 2 && probe.visited[2]) {
            return;  // the playback went on after this CHARGEEND after all
        }
        Report(out, Severity::Warning, "cut.zero-charge-before-end", Place::Row(c, r),
               RowTextJa(c, r) +
                   " の CHARGESTART は時間 0 で、すぐ下の CHARGEEND を飛ばし、その先の "
                   "CHARGEEND（なければカットの終わり）まで進んでしまいます。"
                   "時間を 1 秒以上にするか、この CHARGESTART と CHARGEEND を消してください。",
               RowTextEn(c, r) +
                   ": the CHARGESTART has time 0, so playback skips the CHARGEEND right below "
                   "it and jumps to a later CHARGEEND (or the end of the cut). Give it 1 "
                   "second or more, or remove the pair.");
    });
}

void CheckRowsAfterChargeStack(const CheckContext& context, Findings& out) {
    ForEachCommand(context.project, ControlCommand::ChargeStack, [&](int c, const Cut& cut, int r) {
        if (cut.CountNormalFrames(r + 1, cut.FrameCount()) == 0) {
            return;
        }
        const Cut segment = CutSegment(cut, r, cut.FrameCount());
        ProbeOptions options;
        options.untilMs = ProbeTimeFor(segment, 40);
        const ProbeResult probe = ProbeCommandPlayback(segment, options);
        const bool laterDrawn =
            std::any_of(probe.presented.begin(), probe.presented.end(),
                        [&](int row) { return row > 0 && segment.Frame(row).IsNormal(); });
        if (laterDrawn) {
            return;
        }
        Report(out, Severity::Warning, "cut.rows-after-chargestack", Place::Row(c, r),
               RowTextJa(c, r) +
                   " の CHARGESTACK より後の行は表示されません（連打がたまると何も描かずに"
                   "最後まで進みます）。見せたい絵は CHARGESTACK より前に置いてください。",
               RowTextEn(c, r) +
                   ": rows after the CHARGESTACK are never drawn (once the clicks are in, "
                   "playback runs to the end without drawing). Put the frames to show before "
                   "it.");
    });
}

void CheckShowStartWithoutReturn(const CheckContext& context, Findings& out) {
    ForEachCommand(context.project, ControlCommand::ShowStart, [&](int c, const Cut& cut, int r) {
        if (r + 1 >= cut.FrameCount()) {
            return;
        }
        const Cut segment = CutSegment(cut, r, cut.FrameCount());
        ProbeOptions options;
        options.untilMs = std::min<std::int64_t>(segment.FrameCount() * 1000 + 3000, 60000);
        const ProbeResult probe = ProbeCommandPlayback(segment, options);
        if (!probe.showStartActiveAtEnd) {
            return;
        }
        Report(out, Severity::Warning, "cut.showstart-without-return", Place::Row(c, r),
               RowTextJa(c, r) +
                   " の SHOWSTART から後は連打でしか進まず、再生は二度と元に戻りません。"
                   "その後の制御フレーム（SHOWEND を含む）は実行されません。"
                   "SHOWSTART はカットの最後の部分にだけ使ってください。",
               RowTextEn(c, r) +
                   ": after the SHOWSTART the sheet advances only by rapid clicking and "
                   "playback never gets back; later control frames (SHOWEND included) are "
                   "never run. Use SHOWSTART only for the last part of a cut.");
    });
}

void CheckEmptyMessages(const CheckContext& context, Findings& out) {
    ForEachCommand(context.project, ControlCommand::Message, [&](int c, const Cut& cut, int r) {
        if (!FieldText(cut.Frame(r).control.message).empty()) {
            return;
        }
        Report(out, Severity::Warning, "cut.empty-message", Place::Row(c, r),
               RowTextJa(c, r) +
                   " の MESSAGE のテキストが空です。空のウインドウのままクリックを待ちます。"
                   "テキストを入れるか、制御フレームを消してください。",
               RowTextEn(c, r) +
                   ": the MESSAGE has no text; an empty window waits for a click. Write the "
                   "text or remove the control frame.");
    });
}

void CheckUsedCutsWithoutPicture(const CheckContext& context, Findings& out) {
    const Project& project = context.project;
    std::set<std::int32_t> used;
    for (std::int32_t cut : CutReferencesOf(project.messages)) {
        used.insert(cut);
    }
    for (std::int32_t cut : CutReferencesOf(project.profile.profile)) {
        used.insert(cut);
    }
    for (std::int32_t c : used) {
        if (c < 0 || c >= static_cast<int>(project.cuts.size())) {
            continue;
        }
        const Cut& cut = project.cuts[static_cast<std::size_t>(c)];
        if (cut.CountNormalFrames(0, cut.FrameCount()) > 0) {
            continue;
        }
        Report(out, Severity::Warning, "cut.used-without-picture", Place::Cut(c),
               "カット " + Num(c + 1) +
                   " には通常フレームがありませんが、メッセージかプロフィールで使われています。"
                   "ゲームでは何も表示されません。通常フレームを入れてください。",
               "Cut " + Num(c + 1) +
                   " has no normal frame but the messages or the profile use it; the game "
                   "shows nothing there. Add normal frames.");
    }
}

}  // namespace plk
