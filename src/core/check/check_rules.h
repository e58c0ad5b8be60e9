#pragma once

#include <string_view>

#include "core/check/check_context.h"

namespace plk {

// One function per rule; each appends what it finds.

// Palette and cells.
void CheckMissingFiles(const CheckContext& context, Findings& out);
void CheckFileContent(const CheckContext& context, Findings& out);
void CheckSlotNames(const CheckContext& context, Findings& out);
void CheckCellsNamingEmptySlots(const CheckContext& context, Findings& out);
void CheckUnusedSlots(const CheckContext& context, Findings& out);

// Cuts and control frames.
void CheckUnknownCommands(const CheckContext& context, Findings& out);
void CheckRepeatWithoutWait(const CheckContext& context, Findings& out);
void CheckRepeatBeforeWait(const CheckContext& context, Findings& out);
void CheckRepeatTargets(const CheckContext& context, Findings& out);
void CheckRepeatLoopsWithoutPicture(const CheckContext& context, Findings& out);
void CheckChargeStartWithoutEnd(const CheckContext& context, Findings& out);
void CheckZeroChargeBeforeEnd(const CheckContext& context, Findings& out);
void CheckRowsAfterChargeStack(const CheckContext& context, Findings& out);
void CheckShowStartWithoutReturn(const CheckContext& context, Findings& out);
void CheckEmptyMessages(const CheckContext& context, Findings& out);
void CheckUsedCutsWithoutPicture(const CheckContext& context, Findings& out);

// Messages and profile.
// Whether `text` (Shift-JIS) is a placeholder line a new project puts in situation
// `situation`, compared byte for byte.
bool IsPlaceholderLine(int situation, std::string_view text);
void CheckNeverSpokenLines(const CheckContext& context, Findings& out);
void CheckPlaceholderLines(const CheckContext& context, Findings& out);
void CheckLongLines(const CheckContext& context, Findings& out);
void CheckCharaEscapeLines(const CheckContext& context, Findings& out);
void CheckCutReferences(const CheckContext& context, Findings& out);
void CheckProfileNames(const CheckContext& context, Findings& out);
void CheckTendencyValues(const CheckContext& context, Findings& out);

}  // namespace plk
