#include "editor/app/plkce_app.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QPixmap>
#include <QTranslator>

#include "editor/app/app_strings.h"
#include "editor/app/autosave_controller.h"
#include "editor/app/end_signal_watcher.h"
#include "editor/app/file_commands.h"
#include "editor/app/main_frame.h"
#include "editor/app/sample_character.h"
#include "media/icons/toolbar_icons.h"

namespace plk {

bool InstallQtJapanese(QCoreApplication& application) {
    // The editor speaks Japanese whatever the system's language, Qt's own dialogs too.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

CPLKCEApp::CPLKCEApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(kApplicationTitle);
    setApplicationVersion(QStringLiteral("1.0"));
    setWindowIcon(QIcon(QPixmap::fromImage(ApplicationIcon())));
    // The tool windows outlive a closed frame only for a moment: closing the frame ends
    // the program.
    setQuitOnLastWindowClosed(false);
    InstallQtJapanese(*this);
}

CPLKCEApp::~CPLKCEApp() = default;

int CPLKCEApp::Run() {
    QString projectPath;
    for (const QString& argument : arguments().mid(1)) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            projectPath = argument;
            break;
        }
    }

    m_frame = std::make_unique<CMainFrame>();
    connect(m_frame.get(), &CMainFrame::closed, this, &QApplication::quit, Qt::QueuedConnection);
    // A logout, a plain kill or Ctrl+C closes the frame, the unsaved edits kept as a
    // recovery copy.
    auto* endSignals = new EndSignalWatcher(this);
    connect(endSignals, &EndSignalWatcher::endRequested, m_frame.get(), &CMainFrame::EndBySignal);
    m_frame->ShowAll();
    // --play: the first cut plays over and over once the project is open (scripts/run.sh
    // --sample shows the sample character alive).
    if (!projectPath.isEmpty() && m_frame->Commands().OpenFile(projectPath) &&
        arguments().contains(QStringLiteral("--play"))) {
        PlayFirstCutLooping(*m_frame);
    }
    m_frame->Autosave().OfferLeftCopies();
    int status = exec();
    m_frame.reset();
    return status;
}

}  // namespace plk
