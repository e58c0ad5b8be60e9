#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/check/check_rules.h"
#include "core/text/message_layout.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

constexpr int kDrawnCells = kPartCopySlot;  // cells 0..26 are drawn; 27 is the copy buffer

const ResourceSlot& SlotAt(const Project& project, int s) {
    return project.palette.slot[static_cast<std::size_t>(s)];
}

bool IsNamed(const ResourceSlot& slot) {
    return !slot.Name().empty();
}

// Calls `visit(cut, row, slot)` for each drawn cell of each normal row that names a slot
// (any number but 0; one outside the palette is the visitor's to judge), in cut, row and
// cell order. A visit that returns false skips the rest of its row.
template <typename Visit>
void ForEachUsedSlot(const Project& project, Visit visit) {
    for (int c = 0; c < static_cast<int>(project.cuts.size()); ++c) {
        const Cut& cut = project.cuts[static_cast<std::size_t>(c)];
        for (int r = 0; r < cut.FrameCount(); ++r) {
            const FrameRecord& frame = cut.Frame(r);
            if (!frame.IsNormal()) {
                continue;
            }
            for (int i = 0; i < kDrawnCells; ++i) {
                const std::int32_t s = frame.cells[i].resource;
                if (s != 0 && !visit(c, r, s)) {
                    break;
                }
            }
        }
    }
}

// Every row whose cells name each slot, in cut and row order.
std::vector<std::vector<std::pair<int, int>>> RowsUsingSlots(const Project& project) {
    std::vector<std::vector<std::pair<int, int>>> uses(kResourceSlots);
    ForEachUsedSlot(project, [&uses](int c, int r, std::int32_t s) {
        if (s > 0 && s < kResourceSlots) {
            auto& rows = uses[static_cast<std::size_t>(s)];
            if (rows.empty() || rows.back() != std::pair{c, r}) {
                rows.emplace_back(c, r);
            }
        }
        return true;
    });
    return uses;
}

std::string UsesText(const std::vector<std::pair<int, int>>& rows, bool japanese) {
    constexpr std::size_t kListed = 3;
    if (rows.empty()) {
        return japanese ? "どのセルも使っていません。" : "No cell uses it.";
    }
    std::string text = japanese ? "使っている場所: " : "Used at ";
    for (std::size_t i = 0; i < rows.size() && i < kListed; ++i) {
        text += i == 0 ? "" : (japanese ? "、" : ", ");
        text += japanese ? RowTextJa(rows[i].first, rows[i].second)
                         : RowTextEn(rows[i].first, rows[i].second);
    }
    if (rows.size() > kListed) {
        const std::string more = std::to_string(rows.size() - kListed);
        const bool one = rows.size() - kListed == 1;
        text += japanese ? " ほか " + more + " 行"
                         : " and " + more + (one ? " more row" : " more rows");
    }
    return text + (japanese ? "。" : ".");
}

// Every byte starts a single-byte character or a lead byte followed by its trail byte.
bool IsWholeSjis(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const SjisByteClass kind = ClassifySjisByte(byte);
        if (kind == SjisByteClass::Invalid) {
            return false;
        }
        if (kind == SjisByteClass::Lead) {
            if (at + 1 >= text.size()) {
                return false;
            }
            const auto trail = static_cast<unsigned char>(text[at + 1]);
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
                return false;
            }
            at += 2;
        } else {
            at += 1;
        }
    }
    return true;
}

// A backslash or slash as a character of its own, not as the trail byte of a double-byte one.
bool HasFolderSeparator(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte == '\\' || byte == '/') {
            return true;
        }
        at += ClassifySjisByte(byte) == SjisByteClass::Lead ? 2 : 1;
    }
    return false;
}

bool HasTerminator(const char (&field)[260]) {
    return std::memchr(field, 0, sizeof field) != nullptr;
}

}  // namespace

void CheckMissingFiles(const CheckContext& context, Findings& out) {
    if (context.files == nullptr) {
        return;
    }
    const auto uses = RowsUsingSlots(context.project);
    for (int s = 1; s < kResourceSlots; ++s) {
        const ResourceFileState state = (*context.files)[static_cast<std::size_t>(s)].state;
        if (state != ResourceFileState::Missing && state != ResourceFileState::Unreadable) {
            continue;
        }
        const std::string name = SjisToUtf8(SlotAt(context.project, s).Name());
        const auto& rows = uses[static_cast<std::size_t>(s)];
        if (state == ResourceFileState::Missing) {
            Report(out, Severity::Error, "resource.missing-file", Place::Slot(s),
                   "スロット " + std::to_string(s) + " のファイル「" + name +
                       "」が見つかりません。エクスポートできず、ゲームにも入りません。" +
                       UsesText(rows, true) + "ファイルを置き直すか、読み込み直してください。",
                   "The file of slot " + std::to_string(s) + " (" + name +
                       ") cannot be found; export fails and the game never gets it. " +
                       UsesText(rows, false) + " Put the file back or load it again.");
        } else {
            Report(out, Severity::Error, "resource.unreadable-file", Place::Slot(s),
                   "スロット " + std::to_string(s) + " のファイル「" + name + "」を読めません。" +
                       UsesText(rows, true) + "ファイルの読み取り権限を確かめてください。",
                   "The file of slot " + std::to_string(s) + " (" + name + ") cannot be read. " +
                       UsesText(rows, false) + " Check that the file can be read.");
        }
    }
}

void CheckFileContent(const CheckContext& context, Findings& out) {
    if (context.files == nullptr) {
        return;
    }
    for (int s = 1; s < kResourceSlots; ++s) {
        const ResourceFileReport& report = (*context.files)[static_cast<std::size_t>(s)];
        if (report.state != ResourceFileState::Read || report.contentMatchesKind) {
            continue;
        }
        const ResourceSlot& slot = SlotAt(context.project, s);
        const std::string name = SjisToUtf8(slot.Name());
        if (slot.Kind() == ResourceKind::Sound) {
            Report(out, Severity::Error, "resource.not-wave", Place::Slot(s),
                   "スロット " + std::to_string(s) + " の「" + name +
                       "」は RIFF/WAVE 形式の音ではありません。ゲームでは鳴りません。"
                       "WAV 形式で保存し直して読み込んでください。",
                   "Slot " + std::to_string(s) + " (" + name +
                       ") is not a RIFF/WAVE sound; the game will not play it. Save it as "
                       "WAV and load it again.");
        } else {
            Report(out, Severity::Error, "resource.not-png", Place::Slot(s),
                   "スロット " + std::to_string(s) + " の「" + name +
                       "」は PNG 画像として読めません。ゲームでは表示されません。"
                       "PNG で保存し直して読み込んでください。",
                   "Slot " + std::to_string(s) + " (" + name +
                       ") does not read as a PNG image; the game will not show it. Save it "
                       "as PNG and load it again.");
        }
    }
}

void CheckSlotNames(const CheckContext& context, Findings& out) {
    std::map<std::string, int> firstWithName;
    for (int s = 1; s < kResourceSlots; ++s) {
        const ResourceSlot& slot = SlotAt(context.project, s);
        const std::string number = std::to_string(s);
        if (!HasTerminator(slot.name)) {
            Report(out, Severity::Error, "resource.name-too-long", Place::Slot(s),
                   "スロット " + number +
                       " の名前が 259 バイトを超えていて、ゲームのファイルに収まりません。"
                       "短い名前のファイルで読み込み直してください。",
                   "The name of slot " + number +
                       " is longer than 259 bytes and does not fit the game file. Load the "
                       "file again under a shorter name.");
        }
        if (!HasTerminator(slot.path)) {
            Report(out, Severity::Error, "resource.path-too-long", Place::Slot(s),
                   "スロット " + number +
                       " のパスが 259 バイトを超えていて、正しく保存できません。"
                       "浅いフォルダーから読み込み直してください。",
                   "The path of slot " + number +
                       " is longer than 259 bytes and cannot be stored whole. Load the file "
                       "again from a shorter path.");
        }
        if (!IsNamed(slot)) {
            if (slot.kind != 0 || !slot.Path().empty()) {
                Report(out, Severity::Warning, "resource.no-name", Place::Slot(s),
                       "スロット " + number +
                           " には名前がなく、エクスポートでは空のスロットになります。"
                           "ファイルを読み込み直してください。",
                       "Slot " + number +
                           " has no name, so export leaves it empty. Load the file again.");
            }
            continue;
        }
        const std::string name = SjisToUtf8(slot.Name());
        if (!IsWholeSjis(slot.Name())) {
            Report(out, Severity::Error, "resource.name-not-sjis", Place::Slot(s),
                   "スロット " + number +
                       " の名前に Shift-JIS で表せないバイトがあり、ゲームでは正しく扱えません。"
                       "ファイル名を変えて読み込み直してください。",
                   "The name of slot " + number +
                       " holds bytes that are not Shift-JIS text; the game cannot use it. Rename "
                       "the file and load it again.");
        } else if (HasFolderSeparator(slot.Name())) {
            Report(out, Severity::Warning, "resource.name-has-folder", Place::Slot(s),
                   "スロット " + number + " の名前「" + name +
                       "」にフォルダーの区切りが含まれています。ゲームは名前だけで探すので、"
                       "ファイル名だけにしてください。",
                   "The name of slot " + number + " (" + name +
                       ") contains a folder separator; the game looks resources up by name "
                       "alone. Use the bare file name.");
        }
        if (slot.Path().empty()) {
            Report(out, Severity::Error, "resource.no-path", Place::Slot(s),
                   "スロット " + number + " の「" + name +
                       "」にはファイルのパスがなく、エクスポートが失敗します。"
                       "ファイルを読み込み直してください。",
                   "Slot " + number + " (" + name +
                       ") has no file path; export fails. Load the file again.");
        }
        if (slot.Kind() != ResourceKind::Image && slot.Kind() != ResourceKind::Sound) {
            Report(out, Severity::Error, "resource.bad-kind", Place::Slot(s),
                   "スロット " + number + " の「" + name +
                       "」は画像とも音とも記録されていません。ゲームでは使われません。"
                       "ファイルを読み込み直してください。",
                   "Slot " + number + " (" + name +
                       ") is recorded as neither image nor sound; the game will not use it. "
                       "Load the file again.");
        } else if (KindFromFileName(name) != slot.Kind()) {
            Report(out, Severity::Warning, "resource.extension-mismatch", Place::Slot(s),
                   "スロット " + number + " の「" + name +
                       "」は拡張子と種類（画像／音）が合いません。"
                       "正しい拡張子のファイルで読み込み直してください。",
                   "The extension of slot " + number + " (" + name +
                       ") does not match its kind (image or sound). Load a file with the right "
                       "extension.");
        }
        const auto [first, inserted] = firstWithName.emplace(name, s);
        if (!inserted) {
            const std::string other = std::to_string(first->second);
            Report(out, Severity::Warning, "resource.duplicate-name", Place::Slot(s),
                   "スロット " + number + " はスロット " + other + " と同じ名前「" + name +
                       "」です。名前で読み込まれるため、片方の内容しか使われません。"
                       "ファイル名を変えてください。",
                   "Slot " + number + " has the same name as slot " + other + " (" + name +
                       "); resources load by name, so only one of them is used. Rename one "
                       "file.");
        }
    }
}

void CheckCellsNamingEmptySlots(const CheckContext& context, Findings& out) {
    const Project& project = context.project;
    // One finding per row, for its first wrong cell.
    ForEachUsedSlot(project, [&](int c, int r, std::int32_t s) {
        const std::string number = std::to_string(s);
        if (s < 0 || s >= kResourceSlots) {
            Report(out, Severity::Error, "cell.bad-slot", Place::Row(c, r),
                   RowTextJa(c, r) + " のセルが存在しないスロット " + number +
                       " を指しています。セルを設定し直してください。",
                   RowTextEn(c, r) + " has a cell naming slot " + number +
                       ", which does not exist. Set the cell again.");
            return false;
        }
        if (!IsNamed(SlotAt(project, s))) {
            Report(out, Severity::Warning, "cell.empty-slot", Place::Row(c, r),
                   RowTextJa(c, r) + " のセルが空のスロット " + number +
                       " を指していて、何も表示されません。"
                       "リソースを入れるか、セルを消してください。",
                   RowTextEn(c, r) + " has a cell naming the empty slot " + number +
                       "; nothing is shown. Fill the slot or clear the cell.");
            return false;
        }
        return true;
    });
}

void CheckUnusedSlots(const CheckContext& context, Findings& out) {
    const auto uses = RowsUsingSlots(context.project);
    for (int s = 1; s < kResourceSlots; ++s) {
        const ResourceSlot& slot = SlotAt(context.project, s);
        if (!IsNamed(slot) || !uses[static_cast<std::size_t>(s)].empty()) {
            continue;
        }
        const std::string name = SjisToUtf8(slot.Name());
        Report(out, Severity::Info, "resource.unused", Place::Slot(s),
               "スロット " + std::to_string(s) + " の「" + name +
                   "」はどのセルにも使われていません。不要ならパレットから外せます。",
               "Slot " + std::to_string(s) + " (" + name +
                   ") is not used by any cell. Remove it from the palette if it is not needed.");
    }
}

}  // namespace plk
