#include "forms/Services.h"

#include <commdlg.h>
#include <shellapi.h>

#include "forms/Application.h"
#include "forms/Exception.h"
#include "forms/InputDialog.h"

namespace forms {

namespace {

// A function of a system DLL that is loaded at its first use. The common
// dialogs and the shell pull in a dozen further DLLs; loading them only when
// a dialog opens or a program starts keeps them out of the program's start.
template <typename F>
F* Lazy(const char* dll, const char* name) {
    HMODULE module = LoadSystemLibrary(dll);
    FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    if (!proc) throw Exception(std::string("Cannot find ") + name + " in " + dll);
    return reinterpret_cast<F*>(reinterpret_cast<void*>(proc));
}

template <typename F>
F* CommonDialog(const char* name) {
    return Lazy<F>("comdlg32.dll", name);
}

}  // namespace

Services& ModalServices() {
    static Services services{
        .MessageBoxA = [](HWND owner, const char* text, const char* caption,
                         UINT flags) { return ::MessageBoxA(owner, text, caption, flags); },
        .GetOpenFileNameA =
            [](OPENFILENAMEA& ofn) {
                static auto* open = CommonDialog<decltype(::GetOpenFileNameA)>("GetOpenFileNameA");
                return open(&ofn);
            },
        .GetSaveFileNameA =
            [](OPENFILENAMEA& ofn) {
                static auto* save = CommonDialog<decltype(::GetSaveFileNameA)>("GetSaveFileNameA");
                return save(&ofn);
            },
        .ChooseColorA =
            [](CHOOSECOLORA& cc) {
                static auto* choose = CommonDialog<decltype(::ChooseColorA)>("ChooseColorA");
                return choose(&cc);
            },
        .PromptForText = RunPromptForText,
        .WinHelpA = [](HWND owner, const char* file, UINT command,
                      ULONG_PTR data) { return ::WinHelpA(owner, file, command, data); },
        .CopyFileA = [](const char* from, const char* to,
                       BOOL failIfExists) { return ::CopyFileA(from, to, failIfExists); },
        .ShellExecuteA =
            [](HWND owner, const char* verb, const char* file, const char* parameters, const char* directory,
               int show) {
                static auto* execute = Lazy<decltype(::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
                return execute(owner, verb, file, parameters, directory, show);
            },
    };
    return services;
}

}  // namespace forms
