#include "forms/Services.h"

namespace forms {

// Defined with the text-input dialog.
bool RunPromptForText(const std::string& caption, const std::string& prompt, std::string& value);

Services& ModalServices() {
    static Services services{
        .MessageBox = [](HWND owner, const char* text, const char* caption,
                         UINT flags) { return ::MessageBoxA(owner, text, caption, flags); },
        .GetOpenFileName = [](OPENFILENAMEA& ofn) { return ::GetOpenFileNameA(&ofn); },
        .GetSaveFileName = [](OPENFILENAMEA& ofn) { return ::GetSaveFileNameA(&ofn); },
        .ChooseColor = [](CHOOSECOLORA& cc) { return ::ChooseColorA(&cc); },
        .PromptForText = RunPromptForText,
        .WinHelp = [](HWND owner, const char* file, UINT command,
                      ULONG_PTR data) { return ::WinHelpA(owner, file, command, data); },
        .CopyFile = [](const char* from, const char* to, BOOL failIfExists) {
            return ::CopyFileA(from, to, failIfExists);
        },
        .ShellExecute = [](HWND owner, const char* verb, const char* file, const char* parameters,
                           const char* directory, int show) {
            return ::ShellExecuteA(owner, verb, file, parameters, directory, show);
        },
    };
    return services;
}

}  // namespace forms
