// Emptying the palette and loading a whole table read from a project file.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProgressDialog>

#include "core/project/resource_search.h"
#include "core/text/sjis.h"
#include "editor/app/file_commands.h"
#include "editor/app/qt_text.h"
#include "editor/content/resource_palette.h"
#include "media/sound/sound_store.h"

namespace plk {
namespace {

constexpr int kProgressDelayMs = 500;
constexpr std::chrono::milliseconds kWaitStep(20);

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

}  // namespace

void CResourcePalette::ClearAll() {
    // Only the palette's own references go: the preview's background image and the message
    // texture live in the same store and must survive a new project.
    for (int i = 0; i < kResourceSlots; ++i) {
        ReleaseSlotResource(i);
    }
    SoundStore::Instance().ClearAll();
    m_holdsSound.fill(false);
    m_missing.fill(false);
    m_table->ClearAll();
    for (std::size_t i = 0; i < m_pictures.size(); ++i) {
        m_pictures[i].fill(m_emptyPictures[i]);
    }
    for (int i = 0; i < kResourceSlots; ++i) {
        m_list->item(i)->setIcon(QIcon(SlotPicture(i)));
        ShowItem(i);
    }
    // Nothing of the previous project stays selected, in the edits or in the preview.
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
    m_corrected.clear();
    ShowSelection();
}

QString CResourcePalette::SlotLine(int index) const {
    const ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    return QStringLiteral("%1: %2 (%3)")
        .arg(index, 3, 10, QLatin1Char('0'))
        .arg(QStringFromSjis(slot.Name()), QDir::toNativeSeparators(QStringFromSjis(slot.Path())));
}

void CResourcePalette::StorePath(int index, const std::filesystem::path& file) {
    ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    const QString path = QFile::decodeName(QByteArray::fromStdString(file.native()));
    SetFieldText(slot.path, SjisFromQString(QDir::cleanPath(path)));
}

CResourcePalette::SoundLoad CResourcePalette::LoadRebuiltSound(
    int index, const std::filesystem::path& projectFile, const std::filesystem::path& folder) {
    const std::size_t at = static_cast<std::size_t>(index);
    const ResourceSlot& slot = m_table->slot[at];
    std::filesystem::path file = ToFileSystemPath(QStringFromSjis(slot.Path()));
    bool fromFallback = false;
    if (!IsFile(file)) {
        file = FindMovedResource(slot, projectFile, folder);
        fromFallback = true;
    }
    if (!IsFile(file)) {
        return SoundLoad::NotFound;
    }
    SoundStore& sounds = SoundStore::Instance();
    sounds.LoadFrom(slot.Name(), file);
    m_holdsSound[at] = sounds.Contains(slot.Name());
    if (!m_holdsSound[at] && sounds.IsStarted()) {
        return SoundLoad::Undecodable;
    }
    if (fromFallback) {
        StorePath(index, file);
        m_corrected.append(SlotLine(index));
    }
    return SoundLoad::Loaded;
}

void CResourcePalette::ApplyRebuiltImage(const ResourceImageBatch::Result& result) {
    const int index = result.slot;
    if (result.fromFallback) {
        StorePath(index, result.file);
        m_corrected.append(SlotLine(index));
    }
    InstallImage(index, result.decoded);
}

std::unique_ptr<ResourceImageBatch> CResourcePalette::StartImageDecoding(
    const ResourceTable& table, const std::filesystem::path& projectFile) const {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    // Slot 0 stands for no resource and never holds one.
    std::vector<ResourceImageBatch::Job> jobs;
    for (int i = 1; i < kResourceSlots; ++i) {
        const ResourceSlot& slot = table.slot[static_cast<std::size_t>(i)];
        if (slot.Kind() == ResourceKind::Image) {
            jobs.push_back({i, ToFileSystemPath(QStringFromSjis(slot.Path())),
                            FindMovedResource(slot, projectFile, folder)});
        }
    }
    auto batch = std::make_unique<ResourceImageBatch>(m_rebuildThreads);
    batch->Start(std::move(jobs));
    return batch;
}

void CResourcePalette::RebuildFromTable(const std::filesystem::path& projectFile,
                                        std::unique_ptr<ResourceImageBatch> started) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    m_projectFolder =
        projectFile.empty()
            ? QString()
            : QFile::decodeName(QByteArray::fromStdString(projectFile.parent_path().string()));
    QStringList notFound;
    QStringList unreadable;
    m_corrected.clear();

    // Slot 0 stands for no resource and never holds one. The images decode on every core
    // while the sounds load here.
    std::unique_ptr<ResourceImageBatch> batch =
        started ? std::move(started) : StartImageDecoding(*m_table, projectFile);
    for (int i = 1; i < kResourceSlots; ++i) {
        const ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(i)];
        if (slot.Kind() == ResourceKind::Sound) {
            bool missing = false;
            switch (LoadRebuiltSound(i, projectFile, folder)) {
                case SoundLoad::NotFound:
                    notFound.append(SlotLine(i));
                    missing = true;
                    break;
                case SoundLoad::Undecodable:
                    unreadable.append(SlotLine(i));
                    break;
                case SoundLoad::Loaded:
                    break;
            }
            SetSlotPictures(i, missing ? m_missingPictures : m_soundPictures);
            m_missing[static_cast<std::size_t>(i)] = missing;
            ShowItem(i);
        }
    }

    // Images decode on every core while this thread applies the results in slot order
    // (so shared names end up in the texture store exactly as a one-by-one load leaves
    // them) and keeps the windows painting. Input waits until the palette is complete, so
    // no command can start on a half-loaded project.
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    while (!batch->AllTaken()) {
        if (std::optional<ResourceImageBatch::Result> result = batch->TakeNext(kWaitStep)) {
            switch (result->outcome) {
                case ResourceImageBatch::Outcome::Decoded:
                    ApplyRebuiltImage(*result);
                    break;
                case ResourceImageBatch::Outcome::NotFound:
                    notFound.append(SlotLine(result->slot));
                    m_missing[static_cast<std::size_t>(result->slot)] = true;
                    SetSlotPictures(result->slot, m_missingPictures);
                    break;
                case ResourceImageBatch::Outcome::Undecodable:
                    unreadable.append(SlotLine(result->slot));
                    break;
            }
        }
        if (!progress && clock.elapsed() > kProgressDelayMs) {
            progress =
                std::make_unique<QProgressDialog>(tr("リソースを読み込んでいます..."), QString(), 0,
                                                  static_cast<int>(batch->JobCount()), this);
            // Modeless: a modal progress dialog would run the whole event loop, input
            // included, from inside setValue.
            progress->setWindowModality(Qt::NonModal);
            progress->setMinimumDuration(0);
            progress->setAutoClose(false);
            progress->show();
        }
        if (progress) {
            progress->setValue(static_cast<int>(batch->FinishedCount()));
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    progress.reset();
    // A slot whose file is missing still holds its resource and is saved with it, so the
    // list names it (beside the empty picture) rather than showing it as free.
    for (int i = 1; i < kResourceSlots; ++i) {
        ShowItem(i);
    }

    ShowSelection();

    if (notFound.isEmpty() && unreadable.isEmpty() && m_corrected.isEmpty()) {
        return;
    }
    QStringList text;
    auto section = [&text](const QString& heading, const QStringList& lines) {
        if (lines.isEmpty()) {
            return;
        }
        if (!text.isEmpty()) {
            text << QString();
        }
        text << heading << lines;
    };
    section(tr("次のリソースのファイルが見つかりませんでした。"
               "ファイルを元の場所に戻すか、プロジェクトファイルのフォルダーに"
               "置いてからプロジェクトを開き直してください。リソースパレットで"
               "スロットを右クリックして「リンクし直す...」を選ぶこともできます。"),
            notFound);
    section(tr("次のリソースのファイルを読み込めませんでした。"
               "ファイルが壊れていないか確かめてください。"),
            unreadable);
    section(tr("次のリソースは元の場所になかったため、同じ名前のファイルを"
               "見つけて新しい場所に置き換えました。保存すると新しい場所が"
               "記録されます。"),
            m_corrected);
    m_boxes->ShowError(this, text.join(u'\n'));
}

}  // namespace plk
