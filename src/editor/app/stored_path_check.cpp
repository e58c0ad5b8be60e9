#include "editor/app/stored_path_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <optional>
#include <string>

#include "core/content/resource_table.h"
#include "core/text/sjis.h"

namespace plk {
namespace {

std::optional<std::string> Sjis(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return ToSjisExact(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

}  // namespace

QString UnstorablePathReason(const QString& path) {
    const QFileInfo file(path);
    // One byte of each field is kept for the terminator.
    constexpr std::size_t kLongest = sizeof(ResourceSlot::path) - 1;
    const std::optional<std::string> name = Sjis(file.fileName());
    if (!name) {
        return QCoreApplication::translate(
            "StoredPathCheck", "ファイル名に Shift-JIS で表せない文字が含まれています。");
    }
    if (name->size() > kLongest) {
        return QCoreApplication::translate("StoredPathCheck",
                                           "ファイル名が長すぎます（%1 バイト、%2 バイトまで）。")
            .arg(name->size())
            .arg(kLongest);
    }
    const std::optional<std::string> full = Sjis(file.absoluteFilePath());
    if (!full) {
        return QCoreApplication::translate(
            "StoredPathCheck", "フォルダー名に Shift-JIS で表せない文字が含まれています。");
    }
    if (full->size() > kLongest) {
        return QCoreApplication::translate(
                   "StoredPathCheck",
                   "フォルダーを含めたパスが長すぎます（%1 バイト、%2 バイトまで）。")
            .arg(full->size())
            .arg(kLongest);
    }
    return {};
}

QString UnstorablePathMessage(const QString& path, const QString& reason) {
    return QCoreApplication::translate(
               "StoredPathCheck",
               "「%1」は読み込めません。\n%2\n"
               "ファイル名やフォルダー名を変えるか、短いパスのフォルダーに移してから"
               "読み込んでください。")
        .arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace plk
