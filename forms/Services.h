#pragma once
// The narrow entry points of the modal services: message box, file, colour
// and text dialogs, help, file copy and program start. Each defaults to the
// real call; an in-process test replaces one to answer it, and puts the old
// one back afterwards. End-to-end tests always meet the real ones.

#include <functional>
#include <string>

#include "forms/Win.h"

// The dialogs' parameter blocks (OPENFILENAMEA, CHOOSECOLORA), declared
// here so that only the files that fill one include <commdlg.h>.
struct tagOFNA;
struct tagCHOOSECOLORA;

namespace forms {

// Each entry is named after the Win32 function it stands in for.
struct Services {
    std::function<int(HWND owner, const char* text, const char* caption, UINT flags)> MessageBoxA;
    std::function<BOOL(tagOFNA& ofn)> GetOpenFileNameA;
    std::function<BOOL(tagOFNA& ofn)> GetSaveFileNameA;
    std::function<BOOL(tagCHOOSECOLORA& cc)> ChooseColorA;
    // The text-input dialog: true and the edited value only on OK.
    std::function<bool(const std::string& caption, const std::string& prompt, std::string& value)> PromptForText;
    std::function<BOOL(HWND owner, const char* helpFile, UINT command, ULONG_PTR data)> WinHelpA;
    std::function<BOOL(const char* from, const char* to, BOOL failIfExists)> CopyFileA;
    std::function<HINSTANCE(HWND owner, const char* verb, const char* file, const char* parameters,
                            const char* directory, int show)>
        ShellExecuteA;
};

// The process's services; each entry starts as the real call.
Services& ModalServices();

}  // namespace forms
