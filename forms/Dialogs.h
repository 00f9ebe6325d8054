#pragma once
// The common dialog components: their properties as the form defines them.
// Each opens through one narrow entry point (see ModalServices).

#include <array>
#include <string>

#include "forms/Application.h"
#include "forms/Graphics.h"

namespace forms {

enum TOpenOption : unsigned {
    ofOverwritePrompt = 1u << 0,
    ofHideReadOnly = 1u << 1,
    ofPathMustExist = 1u << 2,
    ofFileMustExist = 1u << 3,
};

class TOpenDialog : public TComponent {
public:
    TOpenDialog(TComponent* owner, const char* name);

    std::string Title;
    std::string Filter;  // "Text|pattern|Text|pattern"
    int FilterIndex = 1;
    std::string DefaultExt;
    std::string FileName;
    unsigned Options = 0;

    // The OPENFILENAME flags that the options stand for.
    DWORD Flags() const;
    // The filter as the dialog takes it: NUL-separated, double NUL at the end.
    std::string FilterBuffer() const;
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
};

class TColorDialog : public TComponent {
public:
    TColorDialog(TComponent* owner, const char* name);

    TColor Color = clBlack;
    bool Ctl3D = true;
    unsigned Options = 0;
    // Sixteen custom colour slots, none defined (white) at first.
    std::array<COLORREF, 16> CustomColors;
};

}  // namespace forms
