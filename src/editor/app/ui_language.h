#pragma once

#include <QString>
#include <optional>

class QCoreApplication;
class QMenu;

namespace plk {

// The language the editor's texts are shown in. Japanese texts are the source; English
// comes from the translation embedded in the editor. Stored data never depends on it.
enum class UiLanguage { Japanese, English };

// Japanese for a Japanese system locale, English for any other.
UiLanguage LanguageOfLocale(const QString& localeName);
UiLanguage SystemLanguage();

// The author's explicit choice in the settings, if any, and the language of this start:
// the choice, else the system's.
std::optional<UiLanguage> StoredLanguage();
void StoreLanguage(UiLanguage language);
UiLanguage StartLanguage();

// The embedded English translation, as a resource path.
inline const QString kEnglishTranslationPath = QStringLiteral(":/i18n/plkce_en.qm");

// Installs the translators of `language` into `application`: Qt's own Japanese texts for
// Japanese (the file, print and message dialogs), the editor's English texts for English.
// False when a translation could not be loaded (the texts then stay as they are).
bool InstallLanguage(QCoreApplication& application, UiLanguage language);
// Removes what InstallLanguage installed; the texts are Japanese again.
void UninstallLanguage(QCoreApplication& application);
// The language installed last (Japanese before any): for texts that come in both languages
// from the core rather than through a translator, such as the check's findings.
UiLanguage ActiveLanguage();

// Adds "言語 / Language" with 日本語 and English to `menu`. Choosing one stores it and says
// that the next start applies it.
void AddLanguageMenu(QMenu& menu);

}  // namespace plk
