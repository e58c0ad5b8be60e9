#pragma once

#include <QCoreApplication>
#include <QString>

namespace plk {

// Texts of the application's string table.
inline const QString kApplicationTitle = QStringLiteral("PLK-CE");

// The status bar's idle text, shown in the editor's language.
inline QString IdleStatusText() {
    return QCoreApplication::translate("plk::CMainFrame", "レディ");
}

// The caption's name for a project never saved; shown only, never stored.
inline QString UntitledDocumentName() {
    return QCoreApplication::translate("plk::CMainFrame", "無題");
}

}  // namespace plk
