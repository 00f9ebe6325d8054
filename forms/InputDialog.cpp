#include "forms/InputDialog.h"

#include <cstddef>

#include "forms/Application.h"
#include "forms/Controls.h"
#include "forms/Dialogs.h"
#include "forms/Dpi.h"
#include "forms/Graphics.h"
#include "forms/Services.h"

namespace forms {

bool PromptForText(const std::string& caption, const std::string& prompt, std::string& value) {
    TaskModalScope modal(DialogOwner());
    return ModalServices().PromptForText(caption, prompt, value);
}

PromptLayout LayOutPrompt(SIZE letters, SIZE prompt, int editHeight) {
    const int aw = letters.cx / 52, ch = letters.cy;
    const auto x = [aw](int n) { return MulDiv(n, aw, 4); };
    const auto y = [ch](int n) { return MulDiv(n, ch, 8); };
    PromptLayout l;
    l.ClientWidth = x(180);
    l.ClientHeight = y(63);
    l.Label = {x(8), y(8), prompt.cx, prompt.cy};
    l.Edit = {l.Label.Left, y(19), x(164), editHeight};
    l.Ok = {x(38), y(41), x(50), y(14)};
    l.Cancel = {x(92), y(41), x(50), y(14)};
    return l;
}

// The dialog is a system dialog (DialogBoxIndirectParam) made from an empty
// template: the dialog manager gives it the modal loop, Tab, Enter for the
// default button and Esc for Cancel, while its measures come from our own
// units of the message font, not from the template's dialog units.
namespace {

constexpr int kEditId = 100;
constexpr int kMaxLength = 255;
constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

struct PromptState {
    const std::string& caption;
    const std::string& prompt;
    const std::string& initial;
    FontHandle font;  // the message font at the dialog's scale
    HWND label = nullptr, edit = nullptr, okButton = nullptr, cancelButton = nullptr;
    std::string text;
    bool ok = false;
};

HWND CreateChild(HWND dialog, const char* className, const std::string& text, DWORD style, DWORD exStyle, int id) {
    HWND hwnd = CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) throw Exception("Cannot create the controls of the input dialog");
    return hwnd;
}

void Place(HWND hwnd, const DialogRect& r) {
    SetWindowPos(hwnd, nullptr, r.Left, r.Top, r.Width, r.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Lays the dialog out in the message font of the scale dpi: at `at`, or
// centred. A new font goes to the controls before the old one is freed.
void LayOut(HWND dialog, PromptState& state, int dpi, const POINT* at) {
    FontHandle font = CreateMessageFont(dpi);
    HFONT f = font ? font.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (HWND w : {dialog, state.label, state.edit, state.okButton, state.cancelButton})
        SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);

    SIZE letters{}, prompt{};
    {
        WindowDC dc(dialog);
        ScopedSelect select(dc.Get(), f);
        if (!GetTextExtentPoint32A(dc.Get(), kLetters, 52, &letters) ||
            !GetTextExtentPoint32A(dc.Get(), state.prompt.c_str(), static_cast<int>(state.prompt.size()), &prompt))
            throw Exception("Cannot measure the font of the input dialog");
    }
    // An edit box needs its text height and two pixels of frame and two of
    // margin above and below: the height of the main window's edit boxes.
    const int editHeight = letters.cy + 8 * SystemMetricForDpi(SM_CYBORDER, dpi);
    const PromptLayout layout = LayOutPrompt(letters, prompt, editHeight);
    Place(state.label, layout.Label);
    Place(state.edit, layout.Edit);
    Place(state.okButton, layout.Ok);
    Place(state.cancelButton, layout.Cancel);
    FitToClientSize(dialog, layout.ClientWidth, layout.ClientHeight, dpi, at);
    if (!at) CentreWindowOn(dialog, MonitorRectOf(GetWindow(dialog, GW_OWNER)));
    state.font = std::move(font);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void InitDialog(HWND dialog, PromptState& state) {
    SetWindowTextA(dialog, state.caption.c_str());
    // Created in tab order: the edit box, OK, Cancel.
    state.label = CreateChild(dialog, "STATIC", state.prompt, SS_LEFT | SS_NOPREFIX, 0, -1);
    state.edit =
        CreateChild(dialog, "EDIT", state.initial, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kEditId);
    state.okButton = CreateChild(dialog, "BUTTON", "OK", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, IDOK);
    state.cancelButton = CreateChild(dialog, "BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL);
    SendMessageA(dialog, DM_SETDEFID, IDOK, 0);
    // The limit holds for typing; the value given is shown whole.
    SendMessageA(state.edit, EM_LIMITTEXT, kMaxLength, 0);

    LayOut(dialog, state, WindowDpi(dialog), nullptr);
    SetFocus(state.edit);
    SendMessageA(state.edit, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK PromptDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lp);
    auto* state = reinterpret_cast<PromptState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!state) return FALSE;
    // No error may unwind into the dialog manager: it is reported, and the
    // dialog ends as cancelled.
    bool done = false;
    const INT_PTR result = Guarded(
        nullptr,
        [&]() -> INT_PTR {
            INT_PTR handled = FALSE;
            switch (msg) {
                case WM_INITDIALOG: InitDialog(dialog, *state); break;  // FALSE: the focus is set
                case WM_DPICHANGED: {
                    // Moved to a monitor of another scale: laid out anew in
                    // its font, where Windows suggests.
                    const auto* suggested = reinterpret_cast<const RECT*>(lp);
                    const POINT at{suggested->left, suggested->top};
                    LayOut(dialog, *state, HIWORD(wp), &at);
                    handled = TRUE;
                    break;
                }
                case WM_COMMAND:
                    switch (LOWORD(wp)) {
                        case IDOK:
                            state->text = ReadWindowText(GetDlgItem(dialog, kEditId));
                            state->ok = true;
                            EndDialog(dialog, IDOK);
                            handled = TRUE;
                            break;
                        case IDCANCEL:
                            EndDialog(dialog, IDCANCEL);
                            handled = TRUE;
                            break;
                    }
                    break;
            }
            done = true;
            return handled;
        },
        INT_PTR{TRUE});
    if (!done) {
        state->ok = false;
        EndDialog(dialog, IDCANCEL);
    }
    return result;
}

// A dialog template without items: size, place and controls come with
// WM_INITDIALOG.
struct EmptyDialogTemplate {
    DLGTEMPLATE dialog;
    WORD menu;
    WORD windowClass;
    WORD title;
};
static_assert(offsetof(EmptyDialogTemplate, menu) == sizeof(DLGTEMPLATE), "the words follow the header");

}  // namespace

bool RunPromptForText(const std::string& caption, const std::string& prompt, std::string& value) {
    PromptState state{caption, prompt, value};

    alignas(DWORD) EmptyDialogTemplate dialogTemplate{};
    dialogTemplate.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

    // The dialog manager destroys the dialog whichever way it ends.
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate.dialog, DialogOwner(),
                                                   PromptDialogProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK || !state.ok) return false;
    value = std::move(state.text);
    return true;
}

}  // namespace forms
