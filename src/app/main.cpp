#include "core/io/file_io.h"
#include "editor/app/plkce_app.h"

int main(int argc, char** argv) {
    plk::InstallTemporaryFileCleanup();
    plk::CPLKCEApp app(argc, argv);
    return app.Run();
}
