#include "forms/InputDialog.h"

#include <cstddef>

#include "forms/Dialogs.h"
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
    HFONT font = nullptr;
    std::string text;
    bool ok = false;
};

// The font of the system's message boxes and dialogs, as the user has set it;
// the stock GUI font if the system does not tell.
FontHandle CreateMessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return FontHandle(CreateFontIndirectA(&metrics.lfMessageFont));
    return FontHandle();
}

HWND CreateChild(HWND dialog, const char* className, const std::string& text, DWORD style, DWORD exStyle, int id,
                 const DialogRect& r, HFONT font) {
    HWND hwnd = CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.Left, r.Top, r.Width,
                                r.Height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) throw Exception("Cannot create the controls of the input dialog");
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

// Gives the dialog this client size, whatever frame the system draws, and
// centres it on the screen.
void SizeAndCentre(HWND dialog, int clientWidth, int clientHeight) {
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(dialog, &client);
    width += clientWidth - client.right;
    height += clientHeight - client.bottom;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitDialog(HWND dialog, PromptState& state) {
    SetWindowTextA(dialog, state.caption.c_str());
    SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);

    SIZE letters{}, prompt{};
    {
        WindowDC dc(dialog);
        ScopedSelect select(dc.Get(), state.font);
        if (!GetTextExtentPoint32A(dc.Get(), kLetters, 52, &letters) ||
            !GetTextExtentPoint32A(dc.Get(), state.prompt.c_str(), static_cast<int>(state.prompt.size()), &prompt))
            throw Exception("Cannot measure the font of the input dialog");
    }
    // An edit box needs its text height and two pixels of frame and two of
    // margin above and below: the height of the main window's edit boxes.
    const int editHeight = letters.cy + 8 * GetSystemMetrics(SM_CYBORDER);
    const PromptLayout layout = LayOutPrompt(letters, prompt, editHeight);

    // Created in tab order: the edit box, OK, Cancel.
    CreateChild(dialog, "STATIC", state.prompt, SS_LEFT | SS_NOPREFIX, 0, -1, layout.Label, state.font);
    HWND edit = CreateChild(dialog, "EDIT", state.initial, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                            kEditId, layout.Edit, state.font);
    CreateChild(dialog, "BUTTON", "OK", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, IDOK, layout.Ok, state.font);
    CreateChild(dialog, "BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, layout.Cancel, state.font);
    SendMessageA(dialog, DM_SETDEFID, IDOK, 0);
    // The limit holds for typing; the value given is shown whole.
    SendMessageA(edit, EM_LIMITTEXT, kMaxLength, 0);

    SizeAndCentre(dialog, layout.ClientWidth, layout.ClientHeight);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

std::string EditText(HWND edit) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    const int n = GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
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
                case WM_COMMAND:
                    switch (LOWORD(wp)) {
                        case IDOK:
                            state->text = EditText(GetDlgItem(dialog, kEditId));
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
    FontHandle messageFont = CreateMessageFont();
    PromptState state{caption, prompt, value};
    state.font = messageFont ? messageFont.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

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
