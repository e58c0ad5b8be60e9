#pragma once

#include <QString>

namespace plk {

// Texts of the application's string table.
inline const QString kApplicationTitle = QStringLiteral("PLK-CE");
inline const QString kIdleStatusText = QStringLiteral("レディ");
inline const QString kUntitledDocument = QStringLiteral("無題");
inline const QString kSaveChangesQuestion = QStringLiteral("変更を保存しますか？");

}  // namespace plk
