#include "core/timesheet/control_commands.h"

#include <array>

#include "core/text/sjis.h"

namespace plk {
namespace {

constexpr std::array kEntries = {
    ControlCommandEntry{"リピート", ControlCommand::Repeat, false, true, true, kReturnFrameLabel,
                        kReturnTypeLabel},
    ControlCommandEntry{"ウェイト", ControlCommand::Wait, false, false, true, kWindowPositionLabel,
                        kTimeLabel},
    ControlCommandEntry{"message", ControlCommand::Message, true, true, true, kWindowPositionLabel,
                        kTimeLabel},
    ControlCommandEntry{"chat", ControlCommand::Chat, true, true, true, kWindowPositionLabel,
                        kTimeLabel},
    ControlCommandEntry{"chatclear", ControlCommand::ChatClear, false, false, false,
                        kWindowPositionLabel, kTimeLabel},
    ControlCommandEntry{"chargestart", ControlCommand::ChargeStart, false, false, true,
                        kWindowPositionLabel, kTimeLabel},
    ControlCommandEntry{"chargeend", ControlCommand::ChargeEnd, false, false, false,
                        kWindowPositionLabel, kTimeLabel},
    ControlCommandEntry{"chargestack", ControlCommand::ChargeStack, false, false, true,
                        kWindowPositionLabel, kTimeLabel},
    ControlCommandEntry{"showstart", ControlCommand::ShowStart, false, true, false,
                        kSheetProgressLabel, kTimeLabel},
    ControlCommandEntry{"showend", ControlCommand::ShowEnd, false, false, false,
                        kWindowPositionLabel, kTimeLabel},
};

}  // namespace

std::span<const ControlCommandEntry> ControlCommandEntries() {
    return kEntries;
}

std::string ControlValuesText(const ControlBlock& block) {
    for (const ControlCommandEntry& entry : kEntries) {
        if (static_cast<std::int32_t>(entry.command) != block.command) {
            continue;
        }
        std::string text;
        if (entry.position) {
            text.append(entry.positionLabel).append(" ").append(std::to_string(block.position));
        }
        if (entry.time) {
            text.append(text.empty() ? "" : " / ").append(entry.timeLabel);
            text.append(" ").append(std::to_string(block.time));
        }
        return text;
    }
    return {};
}

const ControlCommandEntry* FindControlCommandEntry(std::string_view text) {
    for (const ControlCommandEntry& entry : kEntries) {
        if (entry.text == text) {
            return &entry;
        }
    }
    return nullptr;
}

ControlBlock BuildControlBlock(const ControlBlock& base, ControlCommand command,
                               std::string_view messageSjis, int time, int position) {
    ControlBlock block = base;
    block.command = static_cast<std::int32_t>(command);
    block.time = time;
    block.position = position;
    SetFieldText(block.message, messageSjis);
    return block;
}

}  // namespace plk
