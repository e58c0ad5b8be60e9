#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/timesheet/frame_record.h"

namespace plk {

// Time and position of a control frame are entered within 0..72000.
inline constexpr int kMinControlValue = 0;
inline constexpr int kMaxControlValue = 72000;

// Labels of the control-frame dialog (UTF-8 UI texts).
inline constexpr std::string_view kWindowPositionLabel = "ウインドウ表示位置";
inline constexpr std::string_view kReturnFrameLabel = "戻るセル番号";
inline constexpr std::string_view kSheetProgressLabel = "タイムシート進行";
inline constexpr std::string_view kTimeLabel = "時間";
inline constexpr std::string_view kReturnTypeLabel = "復帰タイプ";

// One entry of the command list: its text (UTF-8, compared byte for byte), the code it
// stands for, which value edits it uses, and the labels of the position and time edits.
struct ControlCommandEntry {
    std::string_view text;
    ControlCommand command;
    bool message;
    bool position;
    bool time;
    std::string_view positionLabel;
    std::string_view timeLabel;
};

// Every command, in the order of the dialog's list: "リピート", "ウェイト", then the
// others by code.
std::span<const ControlCommandEntry> ControlCommandEntries();

// The entry whose text is exactly `text`; null when none is.
const ControlCommandEntry* FindControlCommandEntry(std::string_view text);

// What a control frame's values mean, as the dialog labels them (UTF-8): the values its
// command uses, "戻るセル番号 2 / 復帰タイプ 0" for a REPEAT; empty for a command with none
// or a code the dialog does not know.
std::string ControlValuesText(const ControlBlock& block);

// The block a dialog returns: `base` with the command, message (Shift-JIS, cut to 255
// bytes at a character boundary, the rest of the field zeroed), time and position
// replaced; reserved1 and reserved2 stay as they are in `base`.
ControlBlock BuildControlBlock(const ControlBlock& base, ControlCommand command,
                               std::string_view messageSjis, int time, int position);

}  // namespace plk
