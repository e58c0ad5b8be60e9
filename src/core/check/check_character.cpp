#include "core/check/check_character.h"

#include <algorithm>
#include <tuple>

#include "core/check/check_rules.h"

namespace plk {

bool PlaceBefore(const Place& a, const Place& b) {
    // Palette first, then cuts, messages, profile, tendency; unset keys (-1) sort first.
    auto area = [](const Place& p) {
        if (p.slot >= 0) {
            return 0;
        }
        if (p.cut >= 0) {
            return 1;
        }
        if (p.situation >= 0) {
            return 2;
        }
        return p.profile.empty() ? 4 : 3;
    };
    const int areaA = area(a);
    const int areaB = area(b);
    return std::tie(areaA, a.slot, a.cut, a.row, a.situation, a.line, a.profile, a.tendency) <
           std::tie(areaB, b.slot, b.cut, b.row, b.situation, b.line, b.profile, b.tendency);
}

Findings CheckCharacter(const Project& project, const ResourceFileReports* files) {
    using Rule = void (*)(const CheckContext&, Findings&);
    static constexpr Rule kRules[] = {
        CheckMissingFiles,
        CheckFileContent,
        CheckSlotNames,
        CheckCellsNamingEmptySlots,
        CheckUnusedSlots,
        CheckUnknownCommands,
        CheckRepeatWithoutWait,
        CheckRepeatBeforeWait,
        CheckRepeatTargets,
        CheckRepeatLoopsWithoutPicture,
        CheckChargeStartWithoutEnd,
        CheckZeroChargeBeforeEnd,
        CheckRowsAfterChargeStack,
        CheckShowStartWithoutReturn,
        CheckEmptyMessages,
        CheckUsedCutsWithoutPicture,
        CheckNeverSpokenLines,
        CheckPlaceholderLines,
        CheckLongLines,
        CheckCharaEscapeLines,
        CheckCutReferences,
        CheckProfileNames,
        CheckTendencyValues,
    };
    const CheckContext context{project, files};
    Findings findings;
    for (Rule rule : kRules) {
        rule(context, findings);
    }
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        if (a.severity != b.severity) {
            return a.severity < b.severity;
        }
        return PlaceBefore(a.place, b.place);
    });
    return findings;
}

Findings CheckCharacterWithFiles(const Project& project, const std::filesystem::path& projectFile) {
    const ResourceFileReports files = ReadResourceFiles(project.palette, projectFile);
    return CheckCharacter(project, &files);
}

const char* SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return "error";
        case Severity::Warning:
            return "warning";
        case Severity::Info:
            return "info";
    }
    return "info";
}

}  // namespace plk
