// The content checks and imports on arbitrary bytes: the "\chara" escape check, the name
// checks and the detection of inserted characters, the field cuts, the message and profile
// imports, and the shifts of stored cut references. Besides the sanitizers: imported texts
// are terminated and cut at a character boundary, inserted characters are the part of the
// new text between what it shares with the old one, and references that name no cut are
// never changed.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/content/cut_references.h"
#include "core/content/message_table.h"
#include "core/content/message_text.h"
#include "core/content/profile.h"
#include "core/project/project.h"
#include "core/text/name_validation.h"
#include "core/text/sjis.h"

#include "fuzz_check.h"

namespace {

using namespace plk;

template <std::size_t N>
void CheckTerminated(const char (&field)[N], std::size_t maxText) {
    const char* end = static_cast<const char*>(std::memchr(field, '\0', N));
    FUZZ_CHECK(end != nullptr && static_cast<std::size_t>(end - field) <= maxText);
}

template <typename T>
T RecordFrom(FuzzedDataProvider& data) {
    T record{};
    const std::vector<std::uint8_t> bytes = data.ConsumeBytes<std::uint8_t>(sizeof(T));
    if (!bytes.empty()) {
        std::memcpy(&record, bytes.data(), bytes.size());
    }
    return record;
}

void CheckInserted(std::string_view before, std::string_view after) {
    const std::string_view inserted = InsertedCharacters(before, after);
    if (inserted.empty()) {
        return;
    }
    // A view into `after`; what lies around it is a start and an end of `before`.
    FUZZ_CHECK(inserted.data() >= after.data() &&
               inserted.data() + inserted.size() <= after.data() + after.size());
    const std::size_t head = static_cast<std::size_t>(inserted.data() - after.data());
    const std::size_t tail = after.size() - head - inserted.size();
    FUZZ_CHECK(head + tail <= before.size());
    FUZZ_CHECK(after.substr(0, head) == before.substr(0, head));
    FUZZ_CHECK(after.substr(after.size() - tail) == before.substr(before.size() - tail));
}

void CheckMessageImport(FuzzedDataProvider& data) {
    auto table = std::make_unique<MessageTable>();
    ResetMessages(
        *table, data.ConsumeBool() ? MessageDefaults::NewProject : static_cast<MessageDefaults>(0));
    std::vector<SituationMessages> block(data.ConsumeIntegralInRange(0, kSituationCount + 2));
    for (SituationMessages& situation : block) {
        situation = RecordFrom<SituationMessages>(data);
    }
    ImportMessages(*table, block);
    for (std::size_t i = 0; i < table->situations.size(); ++i) {
        for (const MessageLine& line : table->situations[i].line) {
            CheckTerminated(line.text, kMessageTextMax);
        }
        if (i < block.size()) {
            FUZZ_CHECK(table->situations[i].windowCut == block[i].windowCut);
        }
    }
    for (const SituationMessages& situation : table->situations) {
        for (const MessageLine& line : situation.line) {
            const CharaEscapeCheck check = CheckCharaEscapes(FieldText(line.text));
            FUZZ_CHECK(check.Passed() == CharaEscapeWarning(check).empty());
        }
    }
    ShowSituation(*table, data.ConsumeIntegralInRange(0, kSituationCount - 1));
}

void CheckProfileImport(FuzzedDataProvider& data) {
    const ProfileBlock stored = RecordFrom<ProfileBlock>(data);
    const ProfileBlock loaded = LoadProfile(stored);
    for (const auto* field : {&loaded.profile.characterName, &loaded.profile.romanName,
                              &loaded.profile.nickname, &loaded.profile.freeWord3}) {
        CheckTerminated(*field, 255);
    }
    // Cuts and names that fail their check are kept as stored.
    FUZZ_CHECK(loaded.profile.profileCut == stored.profile.profileCut);
    // ... as whole characters: a lead byte left without its partner is dropped.
    const std::string_view name = FieldText(stored.profile.characterName);
    FUZZ_CHECK(FieldText(loaded.profile.characterName) ==
               name.substr(0, SjisPrefixLength(name, name.size())));
    (void)CheckProfileNames(loaded.profile);

    const LegacyProfileRecord legacy = RecordFrom<LegacyProfileRecord>(data);
    const ProfileBlock imported = ImportLegacyProfile(legacy);
    CheckTerminated(imported.profile.characterName, 255);
    CheckTerminated(imported.profile.romanName, 255);
    (void)CheckProfileNames(imported.profile);
}

void CheckCutShifts(FuzzedDataProvider& data) {
    CutReferences refs;
    for (int k = data.ConsumeIntegralInRange(0, 12); k > 0; --k) {
        refs.push_back(data.ConsumeBool() ? data.ConsumeIntegralInRange(-2, 18)
                                          : data.ConsumeIntegral<std::int32_t>());
    }
    const std::int32_t count = data.ConsumeBool() ? data.ConsumeIntegralInRange(0, kMaxCuts)
                                                  : data.ConsumeIntegral<std::int32_t>();
    const std::int32_t position = data.ConsumeBool()
                                      ? data.ConsumeIntegralInRange(-1, std::max(count, -1))
                                      : data.ConsumeIntegral<std::int32_t>();
    const auto change = data.ConsumeBool() ? CutListChange::Inserted : CutListChange::Deleted;
    const std::int64_t countBefore =
        std::int64_t{count} + (change == CutListChange::Inserted ? -1 : 1);
    CutReferences shifted = refs;
    ShiftCutReferences(shifted, change, position, count);
    for (std::size_t i = 0; i < refs.size(); ++i) {
        const bool inList = refs[i] >= 0 && refs[i] < countBefore;
        if (!inList) {
            FUZZ_CHECK(shifted[i] == refs[i]);
        } else {
            FUZZ_CHECK(shifted[i] - refs[i] >= -1 && shifted[i] - refs[i] <= 1);
            // With a position the list really has, a reference into the list stays in it.
            const bool realPosition = change == CutListChange::Inserted
                                          ? position >= -1 && position < countBefore
                                          : position >= 0 && position < countBefore;
            // (Deleting the last cut leaves references to cut 0 in place.)
            if (realPosition) {
                FUZZ_CHECK(shifted[i] >= 0 && shifted[i] < std::max(count, 1));
            }
        }
    }
    // An insertion taken back by the deletion of the new cut restores every reference.
    if (change == CutListChange::Inserted && count > 0 && position >= -1 && position < count - 1) {
        CutReferences back = shifted;
        ShiftCutReferences(back, CutListChange::Deleted, position + 1, count - 1);
        for (std::size_t i = 0; i < refs.size(); ++i) {
            if (refs[i] >= 0 && refs[i] < countBefore) {
                FUZZ_CHECK(back[i] == refs[i]);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    switch (data.ConsumeIntegralInRange(0, 3)) {
        case 0: {
            const std::string before = data.ConsumeRandomLengthString(300);
            const std::string after = data.ConsumeRandomLengthString(300);
            (void)IsValidCharacterName(after);
            (void)IsValidRomanName(after);
            CheckInserted(before, after);
            const std::string field = ProfileFieldText(after);
            FUZZ_CHECK(field.size() <= 255 && after.compare(0, field.size(), field) == 0);
            const CharaEscapeCheck check = CheckCharaEscapes(after);
            FUZZ_CHECK(check.Passed() == CharaEscapeWarning(check).empty());
            break;
        }
        case 1:
            CheckMessageImport(data);
            break;
        case 2:
            CheckProfileImport(data);
            break;
        default:
            CheckCutShifts(data);
            break;
    }
    return 0;
}
