#include "editor/timesheet/control_command_names.h"

#include <QCoreApplication>
#include <iterator>

#include "core/timesheet/control_commands.h"

namespace plk {
namespace {

// lupdate reads the names from here; the core holds the same ones, in the same order. The
// lower-case names are the game's own script words and are shown as they are in English too.
constexpr const char* kCommandNames[] = {
    QT_TRANSLATE_NOOP("ControlCommands", "リピート"),
    QT_TRANSLATE_NOOP("ControlCommands", "ウェイト"),
    QT_TRANSLATE_NOOP("ControlCommands", "message"),
    QT_TRANSLATE_NOOP("ControlCommands", "chat"),
    QT_TRANSLATE_NOOP("ControlCommands", "chatclear"),
    QT_TRANSLATE_NOOP("ControlCommands", "chargestart"),
    QT_TRANSLATE_NOOP("ControlCommands", "chargeend"),
    QT_TRANSLATE_NOOP("ControlCommands", "chargestack"),
    QT_TRANSLATE_NOOP("ControlCommands", "showstart"),
    QT_TRANSLATE_NOOP("ControlCommands", "showend"),
};

// The core's value labels, and "表示位置": the dialog's position label before a command
// sets it.
constexpr const char* kLabels[] = {
    QT_TRANSLATE_NOOP("ControlCommands", "ウインドウ表示位置"),
    QT_TRANSLATE_NOOP("ControlCommands", "戻るセル番号"),
    QT_TRANSLATE_NOOP("ControlCommands", "タイムシート進行"),
    QT_TRANSLATE_NOOP("ControlCommands", "時間"),
    QT_TRANSLATE_NOOP("ControlCommands", "復帰タイプ"),
    QT_TRANSLATE_NOOP("ControlCommands", "表示位置"),
};

QString Translated(const char* source) {
    return QCoreApplication::translate("ControlCommands", source);
}

QString ValueText(std::string_view label, int value) {
    return QStringLiteral("%1 %2").arg(ControlLabel(label)).arg(value);
}

}  // namespace

QString ControlCommandName(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kCommandNames))) {
        return {};
    }
    return Translated(kCommandNames[index]);
}

QString ControlLabel(std::string_view coreLabel) {
    for (const char* label : kLabels) {
        if (coreLabel == label) {
            return Translated(label);
        }
    }
    return QString::fromUtf8(coreLabel.data(), static_cast<qsizetype>(coreLabel.size()));
}

QString ControlValuesDisplayText(const ControlBlock& block) {
    // Built as the core builds its text, so that the Japanese reads the same.
    for (const ControlCommandEntry& entry : ControlCommandEntries()) {
        if (static_cast<std::int32_t>(entry.command) != block.command) {
            continue;
        }
        QStringList parts;
        if (entry.position) {
            parts.append(ValueText(entry.positionLabel, block.position));
        }
        if (entry.time) {
            parts.append(ValueText(entry.timeLabel, block.time));
        }
        return parts.join(QStringLiteral(" / "));
    }
    return {};
}

std::span<const char* const> ControlCommandSourceNames() {
    return kCommandNames;
}

std::span<const char* const> ControlLabelSourceTexts() {
    return kLabels;
}

}  // namespace plk
