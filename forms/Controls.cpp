#include "forms/Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "forms/Accessible.h"
#include "forms/Application.h"
#include "forms/Dpi.h"

namespace forms {

namespace {
constexpr UINT_PTR kSubclassId = 1;

// A subclassed standard control's one store of its object. (Not the
// subclass's reference data: reading that from a handle takes
// GetWindowSubclass, which MinGW-w64's comctl32 import library lacks.)
constexpr char kObjectProp[] = "forms.TWinControl";

void EnsureClass(const char* name, WNDPROC proc, HICON icon, HBRUSH background) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (GetClassInfoA(instance, name, &wc)) return;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    wc.hIcon = icon;
    wc.hbrBackground = background;
    wc.hCursor = nullptr;  // WM_SETCURSOR decides
    if (!RegisterClassA(&wc)) throw Exception(std::string("Cannot register window class ") + name);
}
}  // namespace

std::string ReadWindowText(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(std::max(n, 0)));
    return s;
}

TShiftState CurrentShiftState() {
    unsigned s = ssNone;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    return static_cast<TShiftState>(s);
}

// ---- TWinControl ------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner, const ControlDef& def)
    : TComponent(owner, def.Name),
      OnClick(def.OnClick),
      parent_(def.Parent),
      bounds_(def.Bounds),
      align_(def.Align),
      text_(def.Text),
      hint_(def.Hint),
      font_(def.Font),
      cursor_(def.Cursor) {}

TWinControl::~TWinControl() {
    // Free has destroyed the window before. Only a constructor that failed
    // once the window was made leaves it here, where nothing else would end
    // it: it goes with what is left of the object.
    if (handle_) TWinControl::BeforeDestruction();
}

void TWinControl::BeforeDestruction() {
    // The one place the window is destroyed: while the whole object is still
    // there to answer its last messages. The children's windows go with it.
    if (handle_) DestroyWindow(handle_);
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)) == &StaticWndProc)
        return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return static_cast<TWinControl*>(GetPropA(hwnd, kObjectProp));
}

TForm* TWinControl::Form() const {
    const TWinControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TWinControl*>(c));
}

std::string TWinControl::Text() const { return handle_ ? ReadWindowText(handle_) : text_; }

void TWinControl::SetText(const std::string& text) {
    text_ = text;
    if (handle_) {
        SetWindowTextA(handle_, text.c_str());
        if (ownClass_) InvalidateRect(handle_, nullptr, TRUE);
    }
}

const TFont& TWinControl::Font() const {
    if (font_) return *font_;
    if (parent_) return parent_->Font();
    static const TFont defaultFont{};
    return defaultFont;
}

void TWinControl::SetColor(TColor color) {
    color_ = color;
    // Children that stand on this colour repaint too.
    if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HBRUSH TWinControl::ColorBrush() {
    if (color_ < 0) return GetSysColorBrush(color_ & 0xFF);
    if (!brush_ || brushColor_ != color_) {
        brush_.Reset(CreateSolidBrush(static_cast<COLORREF>(color_)));
        brushColor_ = color_;
    }
    return brush_.Get();
}

void TWinControl::Click() { OnClick(this); }

RECT TWinControl::ScaledRect() const {
    TForm* form = Form();
    if (!form || !parent_ || !parent_->Handle()) return {};
    RECT client{};
    GetClientRect(parent_->Handle(), &client);
    int x = 0, y = 0;
    int w = form->Scale(bounds_.Width);
    int h = form->Scale(bounds_.Height);
    switch (align_) {
        case TAlign::alTop: w = client.right; break;
        case TAlign::alBottom:
            w = client.right;
            y = client.bottom - h;
            break;
        case TAlign::alNone:
            x = form->Scale(bounds_.Left);
            y = form->Scale(bounds_.Top);
            break;
    }
    return {x, y, x + w, y + h};
}

SIZE TWinControl::TextExtent(const std::string& text) const {
    SIZE size{};
    if (!handle_) return size;
    WindowDC dc(handle_);
    auto font = reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0));
    ScopedSelect select(dc.Get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void TWinControl::ApplyLayout() {
    TForm* form = Form();
    if (!handle_ || !form || form == this) return;
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(form->FontHandle(Font())), FALSE);
    RECT r = ScaledRect();
    // Only what the text needs widens a control, to the right.
    int width = r.right - r.left;
    if (align_ == TAlign::alNone) width = std::max(width, ContentWidth());
    SetWindowPos(handle_, nullptr, r.left, r.top, width, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::CreateWnd(const Params& params, bool ownClass) {
    ownClass_ = ownClass;
    if (ownClass) EnsureClass(params.ClassName, &StaticWndProc, nullptr, nullptr);

    TForm* form = Form();
    HWND parentWnd = parent_ ? parent_->Handle() : nullptr;
    RECT r = ScaledRect();
    DWORD style = params.Style | (parent_ ? WS_CHILD : 0);
    HMENU id = parent_ && form ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(form->NextControlId())) : nullptr;
    HWND hwnd = CreateWindowExA(params.ExStyle, params.ClassName, text_.c_str(), style, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, parentWnd, id, GetModuleHandleA(nullptr), ownClass ? this : nullptr);
    if (!hwnd) throw Exception("Cannot create the window of " + Name());
    if (!ownClass) {
        handle_ = hwnd;
        SetPropA(hwnd, kObjectProp, this);
        SetWindowSubclass(hwnd, &SubclassProc, kSubclassId, 0);
    }
    if (form) {
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(form->FontHandle(Font())), FALSE);
        if (parent_ && align_ == TAlign::alNone) {
            int need = ContentWidth();
            if (need > r.right - r.left)
                SetWindowPos(hwnd, nullptr, 0, 0, need, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (!hint_.empty() && form != this) form->AddHint(this);
    }
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp) {
    return ownClass_ ? DefWindowProcA(handle_, msg, wp, lp) : DefSubclassProc(handle_, msg, wp, lp);
}

bool TWinControl::Notify(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (lp) {
                LRESULT result = 0;
                if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lp));
                    child && child != this && child->Notify(msg, wp, lp, result))
                    return result;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            LRESULT result = 0;
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lp));
                child && child->Notify(msg, wp, lp, result))
                return result;
            break;
        }
        case WM_SETCURSOR:
            if (LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == handle_) {
                TCursor cursor = Screen && Screen->Cursor() != crDefault ? Screen->Cursor() : cursor_;
                if (cursor != crDefault || ownClass_) {
                    ::SetCursor(CursorHandle(cursor));
                    return TRUE;
                }
            }
            break;
        case WM_SETFOCUS:
            if (Screen && parent_) Screen->SetActiveControl(this);
            break;
        case WM_SETFONT:
            if (ownClass_) {
                fontHandle_ = reinterpret_cast<HFONT>(wp);
                if (LOWORD(lp)) InvalidateRect(handle_, nullptr, TRUE);
                return 0;
            }
            break;
        case WM_GETFONT:
            if (ownClass_) return reinterpret_cast<LRESULT>(fontHandle_);
            break;
        case WM_CLOSE:
            // Only a form closes; a control never destroys itself on request.
            if (parent_) return 0;
            break;
        case WM_GETOBJECT:
            if (static_cast<LONG>(static_cast<DWORD>(lp)) == OBJID_CLIENT && HasOwnAccessibility())
                if (LRESULT result = AccessibleObjectResult(*this, wp)) return result;
            break;
        case kAccessibleActionMessage: Click(); return 0;
    }
    return DefaultHandler(msg, wp, lp);
}

void TWinControl::Detach() {
    if (!handle_) return;
    if (ownClass_)
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    else {
        RemoveWindowSubclass(handle_, &SubclassProc, kSubclassId);
        RemovePropA(handle_, kObjectProp);
    }
    if (Screen && Screen->ActiveControl() == this) Screen->SetActiveControl(nullptr);
    handle_ = nullptr;
}

// Every message of every control passes here: the one place that keeps C++
// errors from unwinding through Windows.
LRESULT TWinControl::Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    bool done = false;
    const LRESULT result = Guarded(
        this,
        [&] {
            const LRESULT r = WndProc(msg, wp, lp);
            done = true;
            return r;
        },
        LRESULT{0});
    // A failed paint must not come back at once, again and again.
    if (!done && msg == WM_PAINT) ValidateRect(hwnd, nullptr);
    if (msg == WM_NCDESTROY) Detach();
    return result;
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) self->handle_ = hwnd;
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    return self->Dispatch(hwnd, msg, wp, lp);
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    auto* self = static_cast<TWinControl*>(GetPropA(hwnd, kObjectProp));
    if (!self || !self->handle_) return DefSubclassProc(hwnd, msg, wp, lp);
    return self->Dispatch(hwnd, msg, wp, lp);
}

// ---- TForm ------------------------------------------------------------------

TForm::TForm(TComponent* owner, const FormDef& def)
    : TWinControl(owner, ControlDef{.Name = def.Name, .Text = def.Caption, .Font = def.Font}),
      KeyPreview(def.KeyPreview),
      OnActivate(def.OnActivate),
      OnKeyDown(def.OnKeyDown),
      OnCloseQuery(def.OnCloseQuery),
      borderStyle_(def.BorderStyle),
      position_(def.Position),
      clientWidth_(def.ClientWidth),
      clientHeight_(def.ClientHeight),
      showHint_(def.ShowHint) {
    {
        // The system's DPI until the window exists and can name its monitor's.
        WindowDC dc(nullptr);
        dpi_ = GetDeviceCaps(dc.Get(), LOGPIXELSY);
        if (dpi_ <= 0) dpi_ = USER_DEFAULT_SCREEN_DPI;
    }
    MeasureFont();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    EnsureClass(def.ClassName, &StaticWndProc, LoadIconA(instance, MAKEINTRESOURCEA(def.IconId)),
                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

    DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (borderStyle_ == TBorderStyle::bsDialog)
        exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    else
        style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    CreateWnd({def.ClassName, style, exStyle}, true);
    if (int dpi = WindowDpi(Handle()); dpi != dpi_) {
        dpi_ = dpi;
        fonts_.clear();
        MeasureFont();
    }
    // The caption and borders of the window's own scale, which on another
    // monitor than the system's differ from the system's.
    FitToClientSize(Handle(), ClientWidth(), ClientHeight(), dpi_);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font())), FALSE);
}

// The design measures hold for a text height of 13 pixels; the real height
// of "0" in the form's font at its DPI scales them.
void TForm::MeasureFont() {
    WindowDC dc(nullptr);
    ScopedSelect select(dc.Get(), FontHandle(Font()));
    SIZE size{};
    textHeight_ = GetTextExtentPoint32A(dc.Get(), "0", 1, &size) && size.cy > 0 ? size.cy : 13;
}

void TForm::ChangeDpi(int dpi, const RECT* place) {
    if (dpi <= 0) return;
    dpi_ = dpi;
    // The new fonts go to every control before the old ones are freed.
    std::vector<CachedFont> oldFonts = std::move(fonts_);
    fonts_.clear();
    MeasureFont();
    POINT at{};
    if (place) at = {place->left, place->top};
    FitToClientSize(Handle(), ClientWidth(), ClientHeight(), dpi_, place ? &at : nullptr);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font())), FALSE);
    // Components come in creation order, so a parent is laid out before the
    // controls it holds.
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TWinControl*>(Components(i)); control && control->Form() == this)
            control->ApplyLayout();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

TForm::~TForm() {
    if (tooltip_) DestroyWindow(tooltip_);
}

TForm* TForm::FromHandle(HWND hwnd) { return dynamic_cast<TForm*>(TWinControl::FromHandle(hwnd)); }

int TForm::Scale(int designPixels) const { return MulDiv(designPixels, textHeight_, 13); }

HFONT TForm::FontHandle(const TFont& font) {
    for (auto& cached : fonts_)
        if (cached.font.SameFace(font)) return cached.handle.Get();
    TFont scaled = font;
    scaled.Height = MulDiv(font.Height, dpi_, 96);
    fonts_.push_back({font, CreateFontFor(scaled)});
    return fonts_.back().handle.Get();
}

void TForm::SetTabOrder(std::initializer_list<TWinControl*> controls) {
    // The dialog manager tabs through siblings in z-order.
    HWND after = HWND_TOP;
    for (TWinControl* c : controls) {
        SetWindowPos(c->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = c->Handle();
    }
}

void TForm::AddHint(TWinControl* control) {
    if (!tooltip_) {
        tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        if (!tooltip_) return;
        SendMessageA(tooltip_, TTM_ACTIVATE, showHint_, 0);
    }
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(control->Handle());
    ti.hinst = GetModuleHandleA(nullptr);
    ti.lpszText = const_cast<char*>(control->Hint().c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void TForm::Show() {
    // The screen is the primary monitor, whose top-left corner is 0, 0.
    if (position_ == TPosition::poScreenCenter)
        CentreWindowOn(Handle(), {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    // No UpdateWindow: the activation event (which may fill the controls)
    // comes first, so the window paints once, with its final contents.
    ShowWindow(Handle(), SW_SHOW);
}

void TForm::Close() {
    if (!CloseQuery()) return;
    if (Application && Application->MainForm() == this) Application->Terminate();
    ShowWindow(Handle(), SW_HIDE);
}

bool TForm::CloseQuery() {
    if (sessionEnded_) return true;
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

// Back to the control that had the focus, or to the first one.
void TForm::RestoreFocus() {
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) return;
    HWND target = lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_)
                      ? lastFocus_
                      : GetNextDlgTabItem(Handle(), nullptr, FALSE);
    if (target) ::SetFocus(target);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
            } else if (!HIWORD(wp)) {
                // The activation event runs as the window becomes active, before
                // the focus goes back to a control: what it puts into the
                // controls is there before anything else happens in them.
                if (!Destroying()) OnActivate(this);
                if (GetActiveWindow() == Handle()) RestoreFocus();
            }
            return 0;
        case WM_CLOSE: Close(); return 0;
        // An error while asking refuses: the fallback of the dispatch is 0.
        case WM_QUERYENDSESSION: {
            const TApplication::EndSessionQuery query(Handle());
            return CloseQuery() ? TRUE : FALSE;
        }
        case WM_ENDSESSION:
            // The session ends now, as the query agreed: the program ends
            // without asking again.
            if (wp) {
                sessionEnded_ = true;
                if (Application && Application->MainForm() == this) Application->Terminate();
            }
            return 0;
        case WM_COMMAND:
            // IDOK and IDCANCEL from the dialog manager (Enter, Esc) do nothing.
            if (lp == 0) return 0;
            break;
        case WM_DESTROY:
            if (Application && Application->MainForm() == this && !Destroying() && !Application->Terminated())
                PostQuitMessage(0);
            break;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            // New system colours or high contrast: every text and face is
            // drawn anew, each choosing its colours again.
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            break;
        case WM_DPICHANGED:
            // Moved to a monitor of another scale: laid out anew where
            // Windows suggests.
            ChangeDpi(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
            return 0;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

}  // namespace forms
