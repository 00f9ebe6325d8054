#pragma once
// The common dialog components: their properties as the form defines them.
// Each opens through one narrow entry point (see ModalServices).

#include <array>
#include <string>

#include "forms/Component.h"
#include "forms/Graphics.h"
#include "forms/Win.h"

namespace forms {

// The owner of a dialog opened now (TApplication::ModalOwner).
HWND DialogOwner();

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

    // Shows the dialog, proposing FileName. On OK, FileName and FilterIndex
    // take the choice and the result is true; otherwise nothing changes.
    virtual bool Execute();

    // Room for the chosen name: the longest path the system knows.
    static constexpr DWORD kFileBufferSize = 32768;

protected:
    bool Run(bool save);
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
    bool Execute() override;
};

class TColorDialog : public TComponent {
public:
    TColorDialog(TComponent* owner, const char* name);

    TColor Color = clBlack;
    // Needs no flag: the system draws its dialogs three-dimensional.
    bool Ctl3D = true;
    // Sixteen custom colour slots, none defined (white) at first.
    std::array<COLORREF, 16> CustomColors;

    // Shows the dialog in its basic form, which the user may widen, without
    // a help button, starting at Color (a system colour as its current RGB
    // value). On OK, Color takes the chosen colour, the custom colours are
    // kept, and the result is true; otherwise nothing changes.
    bool Execute();
};

}  // namespace forms
