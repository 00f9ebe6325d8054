#include "forms/Dialogs.h"

#include <algorithm>

#include <commdlg.h>

#include "forms/Application.h"
#include "forms/Dpi.h"
#include "forms/Services.h"

namespace forms {

HWND DialogOwner() { return Application ? Application->ModalOwner() : nullptr; }

// ---- open and save dialogs ----------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* owner, const char* name) : TComponent(owner, name) {}

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

namespace {
// The file dialogs make the folder the user browsed to the current one.
// Names that the program holds relative to its current folder (a profile
// named on the command line without a folder) must keep meaning the same
// files afterwards, so the folder is put back.
class KeepCurrentDirectory {
public:
    KeepCurrentDirectory() {
        DWORD n = GetCurrentDirectoryA(0, nullptr);
        if (n == 0) return;
        path_.assign(n, '\0');
        n = GetCurrentDirectoryA(n, path_.data());
        if (n == 0 || n >= path_.size()) {
            path_.clear();
            return;
        }
        path_.resize(n);
    }
    ~KeepCurrentDirectory() {
        if (!path_.empty()) SetCurrentDirectoryA(path_.c_str());
    }
    KeepCurrentDirectory(const KeepCurrentDirectory&) = delete;
    KeepCurrentDirectory& operator=(const KeepCurrentDirectory&) = delete;

private:
    std::string path_;
};
}  // namespace

bool TOpenDialog::Run(bool save) {
    std::string file(kFileBufferSize, '\0');
    // A proposal longer than the buffer is cut; the last byte stays NUL.
    std::copy_n(FileName.begin(), std::min<size_t>(FileName.size(), file.size() - 1), file.begin());
    const std::string filter = FilterBuffer();

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = DialogOwner();
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(std::max(FilterIndex, 0));
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kFileBufferSize;
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = Flags();

    BOOL ok;
    {
        KeepCurrentDirectory keepFolder;
        TaskModalScope modal(ofn.hwndOwner);
        ok = save ? ModalServices().GetSaveFileNameA(ofn) : ModalServices().GetOpenFileNameA(ofn);
    }
    if (!ok) return false;
    file.resize(std::find(file.begin(), file.end(), '\0') - file.begin());
    FileName = file;
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

bool TOpenDialog::Execute() { return Run(false); }

bool TSaveDialog::Execute() { return Run(true); }

// ---- colour dialog ------------------------------------------------------------

TColorDialog::TColorDialog(TComponent* owner, const char* name) : TComponent(owner, name) {
    CustomColors.fill(RGB(255, 255, 255));
}

namespace {
// Places the colour dialog once it has its size: centred across the monitor
// of its owner, a third of the free height from the top.
UINT_PTR CALLBACK ColorDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_INITDIALOG) return 0;
    CentreWindowOn(dialog, MonitorRectOf(GetWindow(dialog, GW_OWNER)), 3);
    return TRUE;  // the dialog sets the focus as usual
}
}  // namespace

bool TColorDialog::Execute() {
    // The dialog works on a copy: a cancelled one leaves the slots alone.
    std::array<COLORREF, 16> custom = CustomColors;
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = DialogOwner();
    cc.rgbResult = ColorToRGB(Color);
    cc.lpCustColors = custom.data();
    cc.Flags = CC_RGBINIT | CC_ENABLEHOOK;
    cc.lpfnHook = ColorDialogHook;

    BOOL ok;
    {
        TaskModalScope modal(cc.hwndOwner);
        ok = ModalServices().ChooseColorA(cc);
    }
    if (!ok) return false;
    Color = static_cast<TColor>(cc.rgbResult & 0xFFFFFF);
    CustomColors = custom;
    return true;
}

}  // namespace forms
