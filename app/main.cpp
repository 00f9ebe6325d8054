// Glimsel Configuration: edits the profile of the Glimsel icon viewer.

#include "app/Form1.h"
#include "app/Title.h"
#include "forms/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::TApplication application;
    application.Initialize();
    application.SetTitle(glim::kTitle);
    // A window that cannot be built says why rather than vanish, and the
    // program ends with 1.
    return forms::Guarded(
        nullptr,
        [&] {
            application.CreateForm<glim::TForm1>();
            return application.Run();
        },
        1);
}
