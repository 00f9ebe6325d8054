#include "forms/Dialogs.h"

namespace forms {

TOpenDialog::TOpenDialog(TComponent* owner, const char* name) : TComponent(owner) { SetName(name); }

DWORD TOpenDialog::Flags() const {
    DWORD flags = OFN_ENABLESIZING | OFN_EXPLORER;
    if (Options & ofOverwritePrompt) flags |= OFN_OVERWRITEPROMPT;
    if (Options & ofHideReadOnly) flags |= OFN_HIDEREADONLY;
    if (Options & ofPathMustExist) flags |= OFN_PATHMUSTEXIST;
    if (Options & ofFileMustExist) flags |= OFN_FILEMUSTEXIST;
    return flags;
}

std::string TOpenDialog::FilterBuffer() const {
    std::string buffer = Filter;
    for (char& c : buffer)
        if (c == '|') c = '\0';
    buffer.push_back('\0');
    buffer.push_back('\0');
    return buffer;
}

TColorDialog::TColorDialog(TComponent* owner, const char* name) : TComponent(owner) {
    SetName(name);
    CustomColors.fill(RGB(255, 255, 255));
}

}  // namespace forms
