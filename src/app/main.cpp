#include "editor/app/plkce_app.h"

int main(int argc, char** argv) {
    plk::CPLKCEApp app(argc, argv);
    return app.Run();
}
