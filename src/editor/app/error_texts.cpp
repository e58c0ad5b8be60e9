#include "editor/app/error_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <new>

#include "core/io/file_error.h"

namespace plk {
namespace {

QString Shown(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(path.native())));
}

// The slot a failed export names ("resource slot 7 ..."), or -1.
int SlotOf(const std::string& detail) {
    static const QRegularExpression slot(QStringLiteral("resource slot (\\d+)"));
    const QRegularExpressionMatch match = slot.match(QString::fromStdString(detail));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString FileErrorText(const FileError& error, FileTask task) {
    const QString file = Shown(error.path());
    QString text;
    switch (error.kind()) {
        case FileError::Kind::NotFound:
            // Writing a file fails this way only when its folder is missing.
            text =
                task != FileTask::OpenProject && SlotOf(error.detail()) < 0
                    ? QCoreApplication::translate(
                          "ErrorTexts",
                          "「%1」に書き込めません。保存先のフォルダーがあるか"
                          "確かめてください。")
                    : QCoreApplication::translate("ErrorTexts",
                                                  "「%1」が見つかりません。ファイルの場所を確かめて"
                                                  "ください。");
            break;
        case FileError::Kind::BadPath:
            text = QCoreApplication::translate(
                "ErrorTexts",
                "「%1」に書き込めません。保存先のフォルダーがあるか確かめてください。");
            break;
        case FileError::Kind::NotRegular:
            text = QCoreApplication::translate(
                "ErrorTexts",
                "「%1」はフォルダーやパイプなどで、普通のファイルではありません。"
                "ファイルを選び直してください。");
            break;
        case FileError::Kind::AccessDenied:
            text = QCoreApplication::translate(
                "ErrorTexts",
                "「%1」にアクセスできません。ファイルとフォルダーのアクセス権を確かめてください。");
            break;
        case FileError::Kind::DiskFull:
            text = QCoreApplication::translate(
                "ErrorTexts",
                "「%1」の書き込み中にディスクがいっぱいになりました。空きを作ってからやり直して"
                "ください。元のファイルはそのままです。");
            break;
        case FileError::Kind::BadFormat:
            text = task == FileTask::OpenProject
                       ? QCoreApplication::translate(
                             "ErrorTexts",
                             "「%1」は PLK-CE のプロジェクト ファイルではないか、"
                             "壊れているため開けません。")
                       : QCoreApplication::translate("ErrorTexts",
                                                     "「%1」は読み込めない形式か、壊れています。");
            break;
        case FileError::Kind::Generic:
            text = QCoreApplication::translate(
                "ErrorTexts",
                "「%1」の読み書きに失敗しました。ファイルとディスクの状態を"
                "確かめてからやり直してください。");
            break;
    }
    text = text.arg(file);
    if (const int slot = SlotOf(error.detail()); slot >= 0) {
        text += QCoreApplication::translate(
                    "ErrorTexts",
                    "\nリソース パレットのスロット %1 のファイルです。ファイルを元の"
                    "場所に戻すか、スロットに読み込み直してください。")
                    .arg(slot, 3, 10, QLatin1Char('0'));
    }
    return text;
}

}  // namespace

QString UserErrorText(const std::exception& error, FileTask task) {
    if (const auto* fileError = dynamic_cast<const FileError*>(&error)) {
        return FileErrorText(*fileError, task);
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return QCoreApplication::translate(
            "ErrorTexts", "メモリが足りません。ほかのプログラムを閉じてからやり直してください。");
    }
    switch (task) {
        case FileTask::OpenProject:
            return QCoreApplication::translate("ErrorTexts", "プロジェクトを開けませんでした。");
        case FileTask::SaveProject:
            return QCoreApplication::translate("ErrorTexts",
                                               "プロジェクトを保存できませんでした。");
        case FileTask::Export:
            break;
    }
    return QCoreApplication::translate("ErrorTexts", "エクスポートできませんでした。");
}

}  // namespace plk
