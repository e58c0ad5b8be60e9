#include "editor/app/ui_language.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTranslator>

#include "editor/app/window_layout.h"

// The embedded translations live in this static library; without a reference the linker
// would drop them.
static void InitTranslationResources() {
    Q_INIT_RESOURCE(plkce_translations);
}

namespace plk {

namespace {

const QString kLanguageKey = QStringLiteral("Settings/Language");
const QString kJapaneseCode = QStringLiteral("ja");
const QString kEnglishCode = QStringLiteral("en");
const QString kTranslatorName = QStringLiteral("plkceLanguageTranslator");

UiLanguage g_activeLanguage = UiLanguage::Japanese;

QString CodeOf(UiLanguage language) {
    return language == UiLanguage::Japanese ? kJapaneseCode : kEnglishCode;
}

bool InstallTranslator(QCoreApplication& application, const QString& name,
                       const QString& directory) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(name, directory)) {
        delete translator;
        return false;
    }
    translator->setObjectName(kTranslatorName);
    return QCoreApplication::installTranslator(translator);
}

}  // namespace

UiLanguage LanguageOfLocale(const QString& localeName) {
    return localeName.startsWith(kJapaneseCode) ? UiLanguage::Japanese : UiLanguage::English;
}

namespace {

// The C and POSIX locales (bare containers, services, build machines) name no language at all,
// so they leave the editor in its own language. The variables are read in the order the C
// library gives them for texts.
bool LocaleNamesNoLanguage() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty()) {
            return value == "C" || value == "POSIX" || value.startsWith("C.") ||
                   value.startsWith("POSIX.");
        }
    }
    return true;
}

}  // namespace

UiLanguage SystemLanguage() {
    if (LocaleNamesNoLanguage()) {
        return UiLanguage::Japanese;
    }
    // The user-interface languages follow LANGUAGE and LC_MESSAGES, as texts should; the
    // locale's name follows the number format.
    const QStringList languages = QLocale::system().uiLanguages();
    return LanguageOfLocale(languages.isEmpty() ? QLocale::system().name() : languages.front());
}

std::optional<UiLanguage> StoredLanguage() {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    const QString code = settings.value(kLanguageKey).toString();
    if (code == kJapaneseCode) {
        return UiLanguage::Japanese;
    }
    if (code == kEnglishCode) {
        return UiLanguage::English;
    }
    return std::nullopt;
}

void StoreLanguage(UiLanguage language) {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    settings.setValue(kLanguageKey, CodeOf(language));
}

UiLanguage StartLanguage() {
    return StoredLanguage().value_or(SystemLanguage());
}

bool InstallLanguage(QCoreApplication& application, UiLanguage language) {
    if (language == UiLanguage::Japanese) {
        // The editor's own texts are Japanese already; only Qt's dialogs need a translation.
        g_activeLanguage = language;
        return InstallTranslator(application, QStringLiteral("qtbase_ja"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    // Qt's own dialogs speak English without a translation.
    InitTranslationResources();
    if (!InstallTranslator(application, kEnglishTranslationPath, QString())) {
        return false;
    }
    g_activeLanguage = language;
    return true;
}

void UninstallLanguage(QCoreApplication& application) {
    for (QTranslator* translator :
         application.findChildren<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    g_activeLanguage = UiLanguage::Japanese;
}

UiLanguage ActiveLanguage() {
    return g_activeLanguage;
}

void AddLanguageMenu(QMenu& menu) {
    menu.addSeparator();
    // Both languages in one text, so whoever picked the wrong one can find the way back.
    QMenu* languages = menu.addMenu(QStringLiteral("言語 / Language"));
    languages->setObjectName(QStringLiteral("languageMenu"));
    auto* group = new QActionGroup(languages);
    group->setExclusive(true);
    // The language this run shows; choosing it again only makes the choice explicit.
    const UiLanguage current = ActiveLanguage();
    QWidget* owner = &menu;
    while (qobject_cast<QMenu*>(owner) != nullptr && owner->parentWidget() != nullptr) {
        owner = owner->parentWidget();
    }
    owner = owner->window();
    const std::pair<UiLanguage, QString> choices[] = {
        {UiLanguage::Japanese, QStringLiteral("日本語")},
        {UiLanguage::English, QStringLiteral("English")},
    };
    for (const auto& [language, name] : choices) {
        QAction* action = languages->addAction(name);
        action->setObjectName(QStringLiteral("language_") + CodeOf(language));
        action->setCheckable(true);
        action->setChecked(language == current);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, languages, [language, current, owner] {
            StoreLanguage(language);
            if (language == current) {
                return;
            }
            QMessageBox::information(
                owner, QStringLiteral("言語 / Language"),
                QStringLiteral("表示言語は次回の起動時に切り替わります。\n"
                               "The new language applies the next time PLK-CE starts."));
        });
    }
}

}  // namespace plk
