// Glimsel Configuration: edits the profile of the Glimsel icon viewer.

#include "app/Form1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::TApplication application;
    application.Initialize();
    application.SetTitle("Glimsel - Configuration");
    int exitCode = 0;
    try {
        application.CreateForm<glim::TForm1>();
        exitCode = application.Run();
    } catch (...) {
        // The window could not be built: say why rather than vanish.
        application.HandleException(nullptr);
        exitCode = 1;
    }
    return exitCode;
}
