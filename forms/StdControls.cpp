#include "forms/StdControls.h"

#include <commctrl.h>

#include "forms/Dpi.h"

namespace forms {

namespace {
// Labels and check boxes stand on their parent's background, in their font's
// colour where it can be read there.
LRESULT ColorOnParent(TWinControl& control, HDC dc) {
    TWinControl* parent = control.Parent();
    const COLORREF background = ColorToRGB(parent ? parent->Color() : clBtnFace);
    SetTextColor(dc, TextColor(control.Font(), background));
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, background);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}
}  // namespace

TLabel::TLabel(TComponent* owner, const ControlDef& def) : TWinControl(owner, def) {
    CreateWnd({"Static", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0}, false);
}

// A label shows its caption on one line, whole.
int TLabel::ContentWidth() const { return TextExtent(Text()).cx; }

bool TLabel::Notify(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC) return false;
    result = ColorOnParent(*this, reinterpret_cast<HDC>(wp));
    return true;
}

TEdit::TEdit(TComponent* owner, const ControlDef& def, TEditCharCase charCase) : TWinControl(owner, def) {
    DWORD style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
    if (charCase == TEditCharCase::ecLowerCase) style |= ES_LOWERCASE;
    CreateWnd({"Edit", style, WS_EX_CLIENTEDGE}, false);
}

// ---- TMemo ------------------------------------------------------------------

TMemo::TMemo(TComponent* owner, const ControlDef& def, const std::vector<std::string>& lines)
    : TWinControl(owner, def) {
    CreateWnd({"Edit", WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN,
               WS_EX_CLIENTEDGE},
              false);
    // Typing is never cut off: without this the edit control takes no more
    // than 30,000 characters from the keyboard.
    SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0);
    lines_.Assign(lines);
}

LRESULT TMemo::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_GETDLGCODE: {
            // A multi-line edit asks for every key; Tab and Esc belong to the
            // form (Esc in a multi-line edit would close its parent).
            LRESULT code = DefaultHandler(msg, wp, lp);
            code &= ~DLGC_WANTTAB;
            if (auto* m = reinterpret_cast<MSG*>(lp); m && (m->message == WM_KEYDOWN || m->message == WM_CHAR) &&
                                                      (m->wParam == VK_TAB || m->wParam == VK_ESCAPE))
                code &= ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
            return code;
        }
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE) return 0;
            break;
        case WM_CHAR:
            if (wp == '\t' || wp == 27) return 0;
            break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

std::vector<std::string> TMemoLines::ToVector() const { return SplitLines(memo_.Text()); }

void TMemoLines::SetLines(const std::vector<std::string>& lines) {
    // Every line ends with a line break; the empty remainder after the last
    // one is not a line, so a list that ends with an empty line keeps it.
    memo_.SetText(JoinLines(lines));
}

// ---- TCheckBox --------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* owner, const ControlDef& def, bool checked) : TWinControl(owner, def) {
    CreateWnd({"Button", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0}, false);
    SetChecked(checked);
}

bool TCheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The box, the gap before the caption and the caption, as the button itself
// measures them; without that measure, the box of the menu check mark and
// the button's gap of half a digit.
int TCheckBox::ContentWidth() const {
    SIZE ideal{};
    if (SendMessageA(Handle(), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) && ideal.cx > 0) return ideal.cx;
    const int dpi = Form() ? Form()->Dpi() : WindowDpi(Handle());
    return SystemMetricForDpi(SM_CXMENUCHECK, dpi) + TextExtent("0").cx / 2 + TextExtent(Text()).cx;
}

bool TCheckBox::Notify(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) {
        result = ColorOnParent(*this, reinterpret_cast<HDC>(wp));
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    return false;
}

}  // namespace forms
