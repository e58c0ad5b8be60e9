#pragma once

#include <QPixmap>
#include <QStringList>
#include <array>
#include <filesystem>
#include <memory>

#include "core/content/resource_table.h"
#include "editor/app/tool_window.h"
#include "editor/app/user_dialogs.h"
#include "editor/content/palette_commands.h"
#include "media/render/resource_image_batch.h"

class QLineEdit;
class QListWidget;
class QMenu;
class QRadioButton;

namespace plk {

// "Resource Palette": owns the character's 256 resource slots (slot 0 stands for no
// resource), lists them with thumbnails at one of three cell sizes, loads, replaces and
// deletes PNG images and WAV sounds, and places the selected image in the preview.
class CResourcePalette : public CToolWindow {
    Q_OBJECT
public:
    static constexpr int kSlotListId = 1000;
    static constexpr int kCell48Id = 1003;
    static constexpr int kCell64Id = 1004;
    static constexpr int kCell128Id = 1005;
    static constexpr int kWorldXId = 1006;
    static constexpr int kWorldYId = 1007;
    static constexpr int kLoadCommand = 137;
    static constexpr int kDeleteCommand = 138;
    static constexpr int kWorldPositionCommand = 139;  // offered, does nothing
    static constexpr int kRelinkCommand = 140;         // "リンクし直す..."
    static constexpr int kWorldLimit = 2048;           // nudging keeps positions within this

    explicit CResourcePalette(QWidget* owner);
    ~CResourcePalette() override;

    // Replaces the dialogs the palette shows (tests answer them instead of a user).
    void SetDialogs(std::unique_ptr<FileDialogs> files, std::unique_ptr<MessageBoxes> boxes);
    // Threads that decode images in RebuildFromTable; 0 (the default) uses every core.
    void SetRebuildThreads(int threads) { m_rebuildThreads = threads; }

    // Every slot empty; the palette's textures and sounds released.
    void ClearAll();
    // The slot table, read and written directly by the project file.
    ResourceTable& Table() { return *m_table; }
    const ResourceTable& Table() const { return *m_table; }
    // Loads every resource of a table just read from the project file `projectFile`. Images
    // decode on every core while the windows keep painting; when it returns, every slot is
    // in place. A file no longer at its path is looked for by name in the current folder
    // and around the project file; files found nowhere are listed in one message and their
    // slots show the "見つかりません" picture.
    // `started` is a decoding of the same table's images begun earlier by StartImageDecoding,
    // e.g. while the rest of the project file was still being read.
    void RebuildFromTable(const std::filesystem::path& projectFile = {},
                          std::unique_ptr<ResourceImageBatch> started = nullptr);
    // Starts decoding the images of `table` (read from `projectFile`) on every core, without
    // touching the palette, for a RebuildFromTable of that table to come.
    std::unique_ptr<ResourceImageBatch> StartImageDecoding(
        const ResourceTable& table, const std::filesystem::path& projectFile) const;
    // A filled slot whose file was not found when the project was opened.
    bool IsSlotMissing(int index) const { return m_missing[static_cast<std::size_t>(index)]; }

    // The list text of slot `index`: " %03d \n NoFile" or " %03d \n <name>".
    QString SlotText(int index) const;
    // The selected slot, or -1 when none.
    int SelectedSlot() const;
    // The picture slot `index` shows at the current cell size.
    QPixmap SlotPicture(int index) const;
    // The selected slot's picture (slot 0's when none), as the time sheet shows it.
    QPixmap SelectedThumbnail() const;
    int CellSize() const { return m_cellSize; }

    // The context menu a right click offers: null unless a slot from 1 up is selected.
    std::unique_ptr<QMenu> CreateContextMenu();
    // 137: asks for a file and loads it into the selected slot.
    void LoadSelected();
    // 138: empties the selected slot.
    void DeleteSelected();
    // 140: asks for a new file for the selected slot; the slot keeps its world position.
    void RelinkSelected();
    // Loads `path` into slot `index` (from 1), replacing what it holds. A file of another
    // type, or one that does not decode, leaves the slot as it was and is named in a message.
    // A new image starts at world position (0, 0), unless it takes the place of a missing
    // file or `keepPosition` is given: then the slot keeps its position.
    bool ImportFile(int index, const QString& path, bool keepPosition = false);
    // Files dropped on item `hitIndex`: each goes to the first empty slot from there on.
    // The whole drop is one step of the undo history.
    void DropFiles(int hitIndex, const QStringList& paths);

    // What slot `index` holds, and putting that back (undo and redo of slot edits).
    PaletteSlotContent SlotContent(int index) const;
    void RestoreSlot(int index, const PaletteSlotContent& content);
    // Sets an image slot's world position and shows it where the slot is selected.
    void SetWorldPosition(int index, std::int32_t x, std::int32_t y);
    // The next coordinate change starts a new undo step instead of merging into the last.
    void EndEditRun() { ++m_editRun; }
    // Scrolls slot `index` into view and selects it: undo and redo show what they changed.
    void RevealSlot(int index);
    // Slots whose files were found by name in the current folder by the last
    // RebuildFromTable, with their new paths ("007: face.png (/new/face.png)").
    const QStringList& CorrectedSlots() const { return m_corrected; }
    // The tooltip of slot `index`: name, path, kind, image size and world position.
    QString SlotToolTip(int index) const;

protected:
    LResult OnWindowMessage(const WindowMessage& message) override;
    // The items' height depends on the font and style the window gets once it is shown.
    void showEvent(QShowEvent* event) override;
    // Delete empties the selected slot.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void SetCellSize(int side);
    void UpdateGridSize();
    void SetSlotPictures(int index, const std::array<QPixmap, 3>& pictures);
    // The decoded image becomes slot `index`'s thumbnails and its texture, stored under the
    // slot's name.
    void InstallImage(int index, const ResourceImage& image);
    void ShowItem(int index);
    void OnSlotClicked(int index);
    void OnSlotDoubleClicked(int index);
    void OnWorldEdited(bool xAxis, const QString& text);
    void Nudge(int dx, int dy);
    void ShowSlotInPreview(int index);
    void ShowWorldPosition(int x, int y);
    void AskTimeSheetToRepaint(int index);
    // Lets go of the texture or sound slot `index` holds.
    void ReleaseSlotResource(int index);
    // Loads `path` into slot `index`; the edit is recorded by the caller.
    bool ImportInto(int index, const QString& path, bool keepPosition = false);
    bool ImportImage(int index, const QString& path, bool keepPosition);
    bool ImportSound(int index, const QString& path);
    // The edits and the preview show the selected slot (nothing without a selection).
    void ShowSelection();
    void UpdateWorldEditsEnabled();
    void PushWorldEdit(int index, PaletteWorldEdit::Position before,
                       PaletteWorldEdit::Source source);
    void StoreFileIdentity(int index, const QString& path, ResourceKind kind);
    enum class SoundLoad { Loaded, NotFound, Undecodable };
    // Sound slot `index` into the sound store, from its path or else where a moved file is
    // looked for (the current folder `folder`, around `projectFile`).
    SoundLoad LoadRebuiltSound(int index, const std::filesystem::path& projectFile,
                               const std::filesystem::path& folder);
    void ApplyRebuiltImage(const ResourceImageBatch::Result& result);
    void StorePath(int index, const std::filesystem::path& file);
    // "007: face.png (/path/face.png)" for the messages that list slots.
    QString SlotLine(int index) const;

    std::unique_ptr<ResourceTable> m_table;
    std::unique_ptr<FileDialogs> m_files;
    std::unique_ptr<MessageBoxes> m_boxes;
    QListWidget* m_list = nullptr;
    std::array<QRadioButton*, 3> m_cellButtons{};
    QLineEdit* m_worldX = nullptr;
    QLineEdit* m_worldY = nullptr;
    // One picture per slot and cell size (48, 64, 128).
    std::array<std::array<QPixmap, kResourceSlots>, 3> m_pictures;
    std::array<QPixmap, 3> m_emptyPictures;
    std::array<QPixmap, 3> m_soundPictures;
    std::array<QPixmap, 3> m_missingPictures;
    // Slots holding a reference in the texture store, so clearing releases exactly those.
    std::array<bool, kResourceSlots> m_holdsTexture{};
    std::array<bool, kResourceSlots> m_holdsSound{};
    std::array<bool, kResourceSlots> m_missing{};
    // The decoded image behind each slot's texture (shared with the store's copy).
    std::array<QImage, kResourceSlots> m_images;
    QStringList m_corrected;
    QString m_projectFolder;  // of the project last rebuilt, where relinking starts
    int m_editRun = 0;
    int m_cellSize = 64;
    int m_rebuildThreads = 0;
};

}  // namespace plk
