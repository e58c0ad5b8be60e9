// ファイル → アニメーションを書き出す: the current cut played on virtual time and written as
// an animated GIF or WebP on a worker, with the export's progress dialog and cancel.
#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

#include "core/project/game_export.h"
#include "editor/app/animation_export_dialog.h"
#include "editor/app/file_commands.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"
#include "media/anim/animation_export.h"

namespace plk {
namespace {

FileFilter AnimationFileFilter() {
    return {QCoreApplication::translate("FileCommands",
                                        "GIF アニメーション (*.gif);;WebP アニメーション (*.webp)"),
            QStringLiteral("gif"), QStringLiteral("animation")};
}

}  // namespace

void FileCommands::ExportAnimation() {
    CTimeSheetBase* sheet = m_windows.timeSheet;
    const int index = sheet->CurrentIndex();
    if (index < 0 || index >= sheet->CutCount()) {
        return;
    }
    // The export draws through the preview's renderer: a playing cut stops first, so the
    // two never share the message and overlay state.
    for (int i = 0; i < sheet->CutCount(); ++i) {
        if (CTimeSheet* page = sheet->Page(i)) {
            page->StopPlaybackAndWait();
        }
    }
    const Project project = GatherProject();
    const Cut& cut = project.cuts[static_cast<std::size_t>(index)];

    CAnimationExportDialog dialog(m_frame, cut, project.palette);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    AnimationExportOptions options = dialog.Options();
    FileFilter filter = AnimationFileFilter();
    if (!m_path.isEmpty()) {
        filter.folder = QFileInfo(m_path).absolutePath();
    }
    const QString path = m_files->GetSaveFileName(m_frame, filter);
    if (path.isEmpty()) {
        return;
    }
    options.format = path.endsWith(QStringLiteral(".webp"), Qt::CaseInsensitive)
                         ? AnimationFormat::Webp
                         : AnimationFormat::Gif;
    const std::int64_t expected =
        dialog.MeasuredMs() > 0 ? dialog.MeasuredMs() : options.playback.until;

    ExportRunner runner([&options, index, expected](const Project& gathered,
                                                    const std::filesystem::path& out,
                                                    const ExportOptions& progress) {
        plk::ExportAnimation(
            gathered.cuts[static_cast<std::size_t>(index)], gathered.palette, options, out,
            [&](std::int64_t ms) {
                const auto done = static_cast<std::size_t>(std::min(ms, expected));
                return !progress.progress ||
                       progress.progress(
                           done, static_cast<std::size_t>(std::max<std::int64_t>(1, expected)));
            });
    });
    const ExportOutcome outcome = runner.Run(m_frame, project, ToFileSystemPath(path));
    if (outcome.status == ExportOutcome::Status::Failed) {
        m_boxes->ShowError(m_frame, outcome.error);
    }
}

}  // namespace plk
