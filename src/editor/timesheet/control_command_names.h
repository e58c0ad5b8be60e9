#pragma once

#include <QString>
#include <span>
#include <string_view>

#include "core/timesheet/frame_record.h"

namespace plk {

// The control commands and the labels of their values as the editor shows them: the core's
// Japanese texts, or their translations. What a frame stores is the command's code, so the
// shown name never reaches a file.

// The name of the command list's entry `index` (the core's order); empty out of range.
QString ControlCommandName(int index);

// A label of the core's table ("時間", "戻るセル番号"...) in the editor's language; a label
// the editor does not list is shown as it stands.
QString ControlLabel(std::string_view coreLabel);

// What a control frame's values mean, as the time sheet shows them: the core's
// ControlValuesText with the labels translated.
QString ControlValuesDisplayText(const ControlBlock& block);

// The Japanese texts as the editor lists them for translation: the command names in the
// core's order, and every label. A test holds them together with the core's tables.
std::span<const char* const> ControlCommandSourceNames();
std::span<const char* const> ControlLabelSourceTexts();

}  // namespace plk
