#pragma once

#include <QApplication>
#include <memory>

namespace plk {

class CMainFrame;

// Loads Qt's Japanese texts (file, print and message dialogs); false when they are not
// installed.
bool InstallQtJapanese(QCoreApplication& application);

// The application: starts the frame with a new project, or with the project named on the
// command line, and ends when the frame is closed.
class CPLKCEApp : public QApplication {
    Q_OBJECT
public:
    CPLKCEApp(int& argc, char** argv);
    ~CPLKCEApp() override;

    // Start-up and the event loop; the process exit status.
    int Run();

private:
    std::unique_ptr<CMainFrame> m_frame;
};

}  // namespace plk
