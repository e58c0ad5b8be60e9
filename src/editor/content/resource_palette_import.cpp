// Loading, replacing, dropping and deleting single resources of the palette.
#include <QDir>
#include <QFileInfo>

#include "core/codec/packed_loader.h"
#include "core/text/sjis.h"
#include "editor/app/file_commands.h"
#include "editor/app/qt_text.h"
#include "editor/app/stored_path_check.h"
#include "editor/content/resource_palette.h"
#include "media/render/renderer.h"
#include "media/render/resource_image.h"
#include "media/render/texture_store.h"
#include "media/sound/sound_store.h"
#include "media/sound/wave_check.h"

namespace plk {
namespace {

FileFilter ResourceFileFilter() {
    return {QStringLiteral("Portable Network Graphics (*.png);;WAVE (*.wav)"), QString(),
            QStringLiteral("resource")};
}

bool IsDecodableWaveFile(const std::filesystem::path& file) {
    std::optional<std::vector<std::uint8_t>> bytes = LoadPackedFile(file);
    return bytes && IsDecodableWave(*bytes);
}

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

void CResourcePalette::LoadSelected() {
    const int index = SelectedSlot();
    if (index < 1) {
        return;
    }
    const QString path = m_files->GetOpenFileName(this, ResourceFileFilter());
    if (path.isEmpty()) {
        return;
    }
    // As the platform's open dialog does: bare resource names resolve in the chosen folder.
    QDir::setCurrent(QFileInfo(path).absolutePath());
    ImportFile(index, path);
}

void CResourcePalette::RelinkSelected() {
    const int index = SelectedSlot();
    if (index < 1 || m_table->slot[static_cast<std::size_t>(index)].IsEmpty()) {
        return;
    }
    // The dialog opens where the file was, or beside the project when that folder is gone.
    FileFilter filter = ResourceFileFilter();
    const QFileInfo stored(QStringFromSjis(m_table->slot[static_cast<std::size_t>(index)].Path()));
    if (stored.absoluteDir().exists()) {
        filter.folder = stored.absolutePath();
    } else {
        filter.folder = m_projectFolder;
    }
    const QString path = m_files->GetOpenFileName(this, filter);
    if (path.isEmpty()) {
        return;
    }
    QDir::setCurrent(QFileInfo(path).absolutePath());
    ImportFile(index, path, true);
}

namespace {

QString ImportStepText(const PaletteSlotContent& before) {
    return before.record.IsEmpty() ? CResourcePalette::tr("リソースの読み込み")
                                   : CResourcePalette::tr("リソースの更新");
}

}  // namespace

void CResourcePalette::DropFiles(int hitIndex, const QStringList& paths) {
    if (hitIndex < 1 || hitIndex >= kResourceSlots) {
        return;
    }
    auto edit = std::make_unique<PaletteSlotsEdit>(this, tr("リソースのドロップ"));
    for (const QString& path : paths) {
        int index = hitIndex;
        while (index < kResourceSlots &&
               !m_table->slot[static_cast<std::size_t>(index)].IsEmpty()) {
            ++index;
        }
        if (index >= kResourceSlots) {
            continue;  // no empty slot left for this file
        }
        QDir::setCurrent(QFileInfo(path).absolutePath());
        PaletteSlotContent before = SlotContent(index);
        if (ImportInto(index, path)) {
            edit->Add(index, std::move(before), SlotContent(index));
        }
    }
    if (!edit->IsEmpty()) {
        PushEdit(std::move(edit));
    }
}

bool CResourcePalette::ImportFile(int index, const QString& path, bool keepPosition) {
    if (index < 1 || index >= kResourceSlots) {
        return false;
    }
    PaletteSlotContent before = SlotContent(index);
    if (!ImportInto(index, path, keepPosition)) {
        return false;
    }
    auto edit = std::make_unique<PaletteSlotsEdit>(this, ImportStepText(before));
    edit->Add(index, std::move(before), SlotContent(index));
    PushEdit(std::move(edit));
    return true;
}

bool CResourcePalette::ImportInto(int index, const QString& path, bool keepPosition) {
    // A name or path the slot cannot hold exactly would be saved as another file's.
    if (const QString reason = UnstorablePathReason(path); !reason.isEmpty()) {
        m_boxes->ShowError(this, UnstorablePathMessage(path, reason));
        return false;
    }
    switch (KindFromFileName(QFileInfo(path).fileName().toStdString())) {
        case ResourceKind::Image:
            // A file that takes the place of a missing one goes where that one was.
            return ImportImage(index, path,
                               keepPosition || m_missing[static_cast<std::size_t>(index)]);
        case ResourceKind::Sound:
            return ImportSound(index, path);
        case ResourceKind::Empty:
            break;
    }
    m_boxes->ShowError(
        this, tr("「%1」は読み込めません。PNG 画像か WAVE サウンドのファイルを選んでください。")
                  .arg(Shown(path)));
    return false;
}

bool CResourcePalette::ImportImage(int index, const QString& path, bool keepPosition) {
    // Decoded before anything changes, so a damaged file leaves the slot as it was.
    std::optional<std::vector<std::uint8_t>> bytes = LoadPackedFile(ToFileSystemPath(path));
    std::optional<ResourceImage> decoded;
    if (bytes) {
        decoded = DecodeResourceImage(*bytes);
    }
    if (!decoded) {
        m_boxes->ShowError(this,
                           tr("「%1」を PNG 画像として読み込めませんでした。").arg(Shown(path)));
        return false;
    }
    // The old resource goes first: loading a new version of the same file must replace the
    // stored pixels, not only add a reference to the old ones.
    ReleaseSlotResource(index);
    StoreFileIdentity(index, path, ResourceKind::Image);
    if (!keepPosition) {
        ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
        slot.worldX = 0;
        slot.worldY = 0;
    }
    InstallImage(index, *decoded);
    if (index == SelectedSlot()) {
        ShowSelection();
    }
    return true;
}

bool CResourcePalette::ImportSound(int index, const QString& path) {
    // Checked here whether or not an audio device is open, as images are: a file that is
    // not a decodable WAVE leaves the slot as it was.
    if (!IsDecodableWaveFile(ToFileSystemPath(path))) {
        m_boxes->ShowError(
            this, tr("「%1」を WAVE サウンドとして読み込めませんでした。").arg(Shown(path)));
        return false;
    }
    ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    const std::size_t at = static_cast<std::size_t>(index);
    SoundStore& sounds = SoundStore::Instance();
    const std::string name = SjisFromQString(QFileInfo(path).fileName());
    const std::string oldName(slot.Name());
    const std::filesystem::path oldFile = ToFileSystemPath(QStringFromSjis(slot.Path()));
    // As for images, a new version of the same file must replace the stored sound.
    const bool hadSound = m_holdsSound[at];
    if (hadSound) {
        sounds.Remove(oldName);
    }
    sounds.LoadFrom(name, ToFileSystemPath(path));
    // Sounds decode in the store, which can only tell once its audio device is open.
    const bool loaded = sounds.Contains(name);
    if (!loaded && (sounds.IsStarted() || !QFileInfo(path).isReadable())) {
        if (hadSound) {
            sounds.LoadFrom(oldName, oldFile);
        }
        m_boxes->ShowError(
            this, tr("「%1」を WAVE サウンドとして読み込めませんでした。").arg(Shown(path)));
        return false;
    }
    m_holdsSound[at] = false;
    ReleaseSlotResource(index);
    m_holdsSound[at] = loaded;
    StoreFileIdentity(index, path, ResourceKind::Sound);
    SetSlotPictures(index, m_soundPictures);
    ShowItem(index);
    if (index == SelectedSlot()) {
        ShowSelection();
    }
    return true;
}

void CResourcePalette::StoreFileIdentity(int index, const QString& path, ResourceKind kind) {
    ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    const QFileInfo file(path);
    SetFieldText(slot.name, SjisFromQString(file.fileName()));
    SetFieldText(slot.path, SjisFromQString(file.absoluteFilePath()));
    slot.kind = static_cast<std::uint8_t>(kind);
    m_missing[static_cast<std::size_t>(index)] = false;
}

void CResourcePalette::ReleaseSlotResource(int index) {
    const std::size_t at = static_cast<std::size_t>(index);
    const ResourceSlot& slot = m_table->slot[at];
    if (m_holdsTexture[at]) {
        TextureStore::Instance().Release(slot.Name());
        m_holdsTexture[at] = false;
    }
    m_images[at] = QImage();
    if (m_holdsSound[at]) {
        SoundStore::Instance().Remove(slot.Name());
        m_holdsSound[at] = false;
    }
}

void CResourcePalette::DeleteSelected() {
    const int index = SelectedSlot();
    if (index < 1) {
        return;
    }
    ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    if (slot.IsEmpty()) {
        return;
    }
    const bool wasImage = slot.Kind() == ResourceKind::Image;
    PaletteSlotContent before = SlotContent(index);
    ReleaseSlotResource(index);
    slot = ResourceSlot{};
    m_missing[static_cast<std::size_t>(index)] = false;
    SetSlotPictures(index, m_emptyPictures);
    ShowItem(index);
    ShowWorldPosition(0, 0);
    Renderer& renderer = Renderer::Instance();
    if (wasImage) {
        renderer.SetCurrentImage({}, 0, 0);
    }
    renderer.RenderPreview();
    UpdateWorldEditsEnabled();
    auto edit = std::make_unique<PaletteSlotsEdit>(this, tr("リソースの削除"));
    edit->Add(index, std::move(before), SlotContent(index));
    PushEdit(std::move(edit));
}

}  // namespace plk
