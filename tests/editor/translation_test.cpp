// The English translation: every entry of translations/plkce_en.ts is finished and keeps its
// source's arguments, the embedded .qm turns the Japanese source texts into English, and
// without it the texts stay the Japanese ones byte for byte.
#include <gtest/gtest.h>

#include <vector>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QXmlStreamReader>

#include "core/content/message_table.h"
#include "core/text/sjis.h"
#include "editor/app/ui_language.h"
#include "editor/check/character_check.h"
#include "editor/content/situation_names.h"
#include "editor_test_support.h"
#include "language_test.h"

namespace plk {
namespace {

// The %1..%99 and %n markers of a text, sorted, each as often as it occurs.
QStringList ArgumentsOf(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("%(\\d{1,2}|n)"));
    QStringList found;
    for (const QRegularExpressionMatch& match : marker.globalMatch(text)) {
        found.append(match.captured(0));
    }
    found.sort();
    return found;
}

// What is wrong with the entries of a .ts file, one line per fault; empty when all is well.
QStringList TsProblems(const QByteArray& xml) {
    QStringList problems;
    QXmlStreamReader reader(xml);
    QString context;
    QString source;
    int messages = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) {
            continue;
        }
        const auto name = reader.name();
        if (name == QLatin1String("name")) {
            context = reader.readElementText();
        } else if (name == QLatin1String("source")) {
            source = reader.readElementText();
        } else if (name == QLatin1String("translation")) {
            ++messages;
            const QString where = context + QStringLiteral(": ") + source;
            const QString type = reader.attributes().value(QLatin1String("type")).toString();
            QStringList forms;
            if (reader.attributes().value(QLatin1String("numerus")) == QLatin1String("yes") ||
                source.contains(QLatin1String("%n"))) {
                while (reader.readNextStartElement()) {
                    forms.append(reader.readElementText());
                }
            } else {
                forms.append(reader.readElementText());
            }
            if (!type.isEmpty()) {
                problems.append(QStringLiteral("%1 (%2)").arg(where, type));
                continue;
            }
            for (const QString& form : forms) {
                if (form.trimmed().isEmpty()) {
                    problems.append(QStringLiteral("%1 (empty)").arg(where));
                } else if (ArgumentsOf(form) != ArgumentsOf(source)) {
                    problems.append(QStringLiteral("%1 (arguments of \"%2\")").arg(where, form));
                }
            }
        }
    }
    if (reader.hasError()) {
        problems.append(QStringLiteral("XML: %1").arg(reader.errorString()));
    } else if (messages == 0) {
        problems.append(QStringLiteral("no entries"));
    }
    return problems;
}

// Each entry of a .ts file as "context | source | comment", sorted.
QStringList TsEntries(const QByteArray& xml) {
    QStringList entries;
    QXmlStreamReader reader(xml);
    QString context;
    QString source;
    QString comment;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == QLatin1String("message")) {
            entries.append(QStringList{context, source, comment}.join(QStringLiteral(" | ")));
            source.clear();
            comment.clear();
        }
        if (!reader.isStartElement()) {
            continue;
        }
        if (reader.name() == QLatin1String("name")) {
            context = reader.readElementText();
        } else if (reader.name() == QLatin1String("source")) {
            source = reader.readElementText();
        } else if (reader.name() == QLatin1String("comment")) {
            comment = reader.readElementText();
        }
    }
    entries.sort();
    return entries;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray TsWith(const char* source, const char* translation) {
    return QByteArray(
               "<?xml version=\"1.0\" encoding=\"utf-8\"?><TS version=\"2.1\"><context>"
               "<name>C</name><message><source>") +
           source + "</source>" + translation + "</message></context></TS>";
}

TEST(TranslationFile, CatchesUnfinishedEmptyAndMismatchedEntries) {
    struct Case {
        const char* source;
        const char* translation;
        bool ok;
    };
    const Case cases[] = {
        {"カット %1", "<translation>Cut %1</translation>", true},
        {"%1 (%2)", "<translation>%2 of %1</translation>", true},
        {"カット %1", "<translation type=\"unfinished\">Cut %1</translation>", false},
        {"カット", "<translation type=\"vanished\">Cut</translation>", false},
        {"カット", "<translation></translation>", false},
        {"カット %1", "<translation>Cut</translation>", false},
        {"カット %1", "<translation>Cut %1 of %2</translation>", false},
        {"%1 と %2", "<translation>%1 and %1</translation>", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TsProblems(TsWith(c.source, c.translation)).isEmpty(), c.ok)
            << c.source << " / " << c.translation;
    }
}

TEST(TranslationFile, EveryEnglishEntryIsFinishedAndKeepsItsArguments) {
    QFile file(QStringLiteral(PLKCE_TRANSLATIONS_DIR "/plkce_en.ts"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QStringList problems = TsProblems(file.readAll());
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
}

// A text marked in the code but missing from the .ts would stay Japanese in English; one
// removed from the code leaves a dead entry. lupdate over a copy shows both.
TEST(TranslationFile, HoldsExactlyTheTextsMarkedInTheEditor) {
    const QString committed = QStringLiteral(PLKCE_TRANSLATIONS_DIR "/plkce_en.ts");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("plkce_en.ts"));
    ASSERT_TRUE(QFile::copy(committed, copy));
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(
        QStringLiteral("bash"),
        {QStringLiteral(PLKCE_TRANSLATIONS_DIR "/../scripts/update_translations.sh"), copy});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();
    const QByteArray refreshed = ReadAll(copy);
    const QStringList problems = TsProblems(refreshed);
    EXPECT_TRUE(problems.isEmpty()) << "run scripts/update_translations.sh and translate:\n"
                                    << problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(TsEntries(refreshed), TsEntries(ReadAll(committed)));
}

class TranslationTest : public test::LanguageTest {};

TEST_F(TranslationTest, EnglishComesFromTheEmbeddedFileAndJapaneseStaysTheSource) {
    Findings findings = {{Severity::Error, "test", Place::Cut(2), "日本語の指摘", "in English"}};
    {
        CCharacterCheck check(nullptr, [] { return Project(); }, {});
        check.ShowFindings(findings);
        EXPECT_EQ(check.windowTitle(), QStringLiteral("キャラクターチェック"));
        EXPECT_EQ(check.Tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("カット 3"));
        EXPECT_EQ(check.ItemOfFinding(0)->text(1), QStringLiteral("日本語の指摘"));
    }
    ASSERT_TRUE(InstallLanguage(*QCoreApplication::instance(), UiLanguage::English));
    EXPECT_EQ(ActiveLanguage(), UiLanguage::English);
    {
        CCharacterCheck check(nullptr, [] { return Project(); }, {});
        check.ShowFindings(findings);
        EXPECT_EQ(check.windowTitle(), QStringLiteral("Character Check"));
        EXPECT_EQ(check.Tree()->topLevelItem(0)->text(0), QStringLiteral("Error (1)"));
        EXPECT_EQ(check.Tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("Cut 3"));
        EXPECT_EQ(check.ItemOfFinding(0)->text(1), QStringLiteral("in English"));
    }
    UninstallLanguage(*QCoreApplication::instance());
    CCharacterCheck check(nullptr, [] { return Project(); }, {});
    EXPECT_EQ(check.windowTitle(), QStringLiteral("キャラクターチェック"));
}

// The editor lists the situation names for translation beside the core's stored labels;
// the two lists must not drift apart, and only the shown name changes with the language.
TEST_F(TranslationTest, SituationNamesAreTheCoresLabelsAndTranslate) {
    for (int i = 0; i < kSituationCount; ++i) {
        const std::string core = SjisToUtf8(SituationLabels()[static_cast<std::size_t>(i)]);
        EXPECT_EQ(SituationSourceName(i), core) << i;
        EXPECT_EQ(SituationName(i), QString::fromStdString(core)) << i;
    }
    EXPECT_TRUE(SituationName(kSituationCount).isEmpty());
    ASSERT_TRUE(InstallLanguage(*QCoreApplication::instance(), UiLanguage::English));
    EXPECT_EQ(SituationName(5), QStringLiteral("F: Riichi"));
    EXPECT_EQ(SituationName(kSituationCount - 1), QStringLiteral("z: Member selection"));
}

TEST_F(TranslationTest, TheLocaleChoosesUnlessTheAuthorHasChosen) {
    const std::pair<const char*, UiLanguage> locales[] = {
        {"ja_JP", UiLanguage::Japanese}, {"ja", UiLanguage::Japanese},
        {"ja-JP", UiLanguage::Japanese}, {"en_US", UiLanguage::English},
        {"de_DE", UiLanguage::English},  {"C", UiLanguage::English},
        {"", UiLanguage::English},
    };
    for (const auto& [locale, language] : locales) {
        EXPECT_EQ(LanguageOfLocale(QString::fromLatin1(locale)), language) << locale;
    }
    EXPECT_FALSE(StoredLanguage().has_value());
    EXPECT_EQ(StartLanguage(), SystemLanguage());
    for (UiLanguage chosen : {UiLanguage::English, UiLanguage::Japanese}) {
        StoreLanguage(chosen);
        EXPECT_EQ(StartLanguage(), chosen);
    }
}

TEST_F(TranslationTest, AMachineThatNamesNoLanguageKeepsTheEditorsOwn) {
    const char* variables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::pair<QByteArray, bool>> saved;
    for (const char* variable : variables) {
        saved.emplace_back(qgetenv(variable), qEnvironmentVariableIsSet(variable));
        qunsetenv(variable);
    }
    const std::pair<const char*, UiLanguage> cases[] = {
        {nullptr, UiLanguage::Japanese},
        {"C", UiLanguage::Japanese},
        {"C.UTF-8", UiLanguage::Japanese},
        {"POSIX", UiLanguage::Japanese},
    };
    for (const auto& [lang, language] : cases) {
        if (lang) {
            qputenv("LANG", lang);
        }
        EXPECT_EQ(SystemLanguage(), language) << (lang ? lang : "(unset)");
    }
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (saved[i].second) {
            qputenv(variables[i], saved[i].first);
        } else {
            qunsetenv(variables[i]);
        }
    }
}

TEST_F(TranslationTest, TheViewMenuOffersBothLanguagesAndRemembersTheChoice) {
    auto made = test::MakeFrame();
    auto* menu = made.frame->findChild<QMenu*>(QStringLiteral("languageMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("言語 / Language"));
    QAction* japanese = menu->findChild<QAction*>(QStringLiteral("language_ja"));
    QAction* english = menu->findChild<QAction*>(QStringLiteral("language_en"));
    ASSERT_NE(japanese, nullptr);
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(japanese->text(), QStringLiteral("日本語"));
    EXPECT_EQ(english->text(), QStringLiteral("English"));
    ASSERT_NE(japanese->actionGroup(), nullptr);
    EXPECT_TRUE(japanese->actionGroup()->isExclusive());
    EXPECT_EQ(japanese->actionGroup(), english->actionGroup());
    // The texts are Japanese here (no translator installed), so 日本語 is the current one.
    EXPECT_TRUE(japanese->isChecked());
    EXPECT_FALSE(english->isChecked());
    // Choosing the language already shown asks nothing and makes the choice explicit.
    japanese->trigger();
    EXPECT_EQ(StoredLanguage(), UiLanguage::Japanese);
}

}  // namespace
}  // namespace plk
