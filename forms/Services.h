#pragma once
// The narrow entry points of the modal services: message box, file, colour
// and text dialogs, help, file copy and program start. Each defaults to the
// real call; an in-process test replaces one to answer it, and puts the old
// one back afterwards. End-to-end tests always meet the real ones.

#include <functional>
#include <string>

#include "forms/Win.h"

// Their types, and the names of the entries, which these headers define as
// macros of the "A" functions.
#include <commdlg.h>
#include <shellapi.h>

namespace forms {

struct Services {
    std::function<int(HWND owner, const char* text, const char* caption, UINT flags)> MessageBox;
    std::function<BOOL(OPENFILENAMEA& ofn)> GetOpenFileName;
    std::function<BOOL(OPENFILENAMEA& ofn)> GetSaveFileName;
    std::function<BOOL(CHOOSECOLORA& cc)> ChooseColor;
    // The text-input dialog: true and the edited value only on OK.
    std::function<bool(const std::string& caption, const std::string& prompt, std::string& value)> PromptForText;
    std::function<BOOL(HWND owner, const char* helpFile, UINT command, ULONG_PTR data)> WinHelp;
    std::function<BOOL(const char* from, const char* to, BOOL failIfExists)> CopyFile;
    std::function<HINSTANCE(HWND owner, const char* verb, const char* file, const char* parameters,
                            const char* directory, int show)>
        ShellExecute;
};

// The process's services; each entry starts as the real call.
Services& ModalServices();

}  // namespace forms
