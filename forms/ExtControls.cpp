#include "forms/ExtControls.h"

#include "forms/Accessible.h"

namespace forms {

namespace {
// Paints through an off-screen bitmap, so the control never flickers.
template <typename F>
void BufferedPaint(HWND hwnd, F&& paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r{};
    GetClientRect(hwnd, &r);
    MemoryDC mem(CreateCompatibleDC(dc));
    BitmapHandle bitmap(CreateCompatibleBitmap(dc, std::max<LONG>(r.right, 1), std::max<LONG>(r.bottom, 1)));
    {
        ScopedSelect select(mem.Get(), bitmap.Get());
        paint(mem.Get(), r);
        BitBlt(dc, 0, 0, r.right, r.bottom, mem.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd, &ps);
}

// A click is a press and a release of the left button inside the control.
bool TrackClick(HWND hwnd, UINT msg, LPARAM lp, bool& pressed) {
    if (msg == WM_LBUTTONDOWN) {
        pressed = true;
        SetCapture(hwnd);
    } else if (msg == WM_LBUTTONUP && pressed) {
        pressed = false;
        ReleaseCapture();
        RECT r{};
        GetClientRect(hwnd, &r);
        POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        return PtInRect(&r, pt) != 0;
    } else if (msg == WM_CAPTURECHANGED) {
        pressed = false;
    }
    return false;
}
}  // namespace

// ---- TPanel -----------------------------------------------------------------

TPanel::TPanel(TComponent* owner, const ControlDef& def) : TWinControl(owner, def) {
    CreateWnd({"TPanel", WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}, true);
}

LRESULT TPanel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
            BufferedPaint(Handle(), [&](HDC dc, RECT r) {
                FillRect(dc, &r, ColorBrush());
                DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
            });
            return 0;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// ---- TBevel -----------------------------------------------------------------

TBevel::TBevel(TComponent* owner, const ControlDef& def) : TWinControl(owner, def) {
    CreateWnd({"TBevel", WS_VISIBLE | WS_CLIPSIBLINGS, 0}, true);
}

LRESULT TBevel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_NCHITTEST: return HTTRANSPARENT;
        case WM_PAINT:
            BufferedPaint(Handle(), [&](HDC dc, RECT r) {
                FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
                DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT);
            });
            return 0;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// ---- TSpeedButton -----------------------------------------------------------

namespace {
HBITMAP LoadBitmapResource(int id) {
    return static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

int ScaleOf(const TWinControl& control, int designPixels) {
    TForm* form = control.Form();
    return form ? form->Scale(designPixels) : designPixels;
}
}  // namespace

TSpeedButton::TSpeedButton(TComponent* owner, const ControlDef& def, int glyphId, int numGlyphs)
    : TWinControl(owner, def), numGlyphs_(numGlyphs < 1 ? 1 : numGlyphs) {
    Accessibility.Role = kRolePushButton;
    Accessibility.DefaultAction = "Click";
    glyph_.Reset(LoadBitmapResource(glyphId));
    if (glyph_) {
        BITMAP bm{};
        GetObjectA(glyph_.Get(), sizeof(bm), &bm);
        glyphWidth_ = bm.bmWidth / numGlyphs_;
        glyphHeight_ = bm.bmHeight;
    }
    CreateWnd({"TSpeedButton", WS_VISIBLE | WS_CLIPSIBLINGS, 0}, true);
}

// The blanks that end some captions only place the word; a screen reader
// says the word.
std::string TSpeedButton::AccessibleName() const {
    if (!Accessibility.Name.empty()) return Accessibility.Name;
    std::string caption = Text();
    caption.erase(caption.find_last_not_of(' ') + 1);
    return caption;
}

void TSpeedButton::SetHot(bool hot) {
    if (hot == hot_) return;
    hot_ = hot;
    if (hot) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&tme);
    }
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TSpeedButton::Paint(HDC dc) {
    RECT r{};
    GetClientRect(Handle(), &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const bool down = pressed_ && hot_;
    if (down)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (hot_)
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);

    // The glyph and the caption, 4 pixels apart, centred together; the glyph
    // at the form's scale.
    const std::string caption = Text();
    HFONT font = Form() ? Form()->FontHandle(Font()) : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    ScopedSelect selectFont(dc, font);
    SIZE text{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    const int width = glyph_ ? ScaleOf(*this, glyphWidth_) : 0;
    const int height = glyph_ ? ScaleOf(*this, glyphHeight_) : 0;
    const int gap = glyph_ && !caption.empty() ? ScaleOf(*this, kSpacing) : 0;
    const int total = width + gap + text.cx;
    const int offset = down ? 1 : 0;
    const int x = (r.right - total) / 2 + offset;

    if (glyph_) {
        // The first image goes onto the button face at its own size, then to
        // its place at the scale; the colour of its bottom-left pixel is
        // transparent.
        MemoryDC picture(CreateCompatibleDC(dc));
        BitmapHandle canvas(CreateCompatibleBitmap(dc, glyphWidth_, glyphHeight_));
        ScopedSelect selectCanvas(picture.Get(), canvas.Get());
        RECT all{0, 0, glyphWidth_, glyphHeight_};
        FillRect(picture.Get(), &all, GetSysColorBrush(COLOR_BTNFACE));
        COLORREF transparent;
        {
            MemoryDC probe(CreateCompatibleDC(dc));
            ScopedSelect sel(probe.Get(), glyph_.Get());
            transparent = GetPixel(probe.Get(), 0, glyphHeight_ - 1);
        }
        DrawTransparent(picture.Get(), 0, 0, glyph_.Get(), 0, 0, glyphWidth_, glyphHeight_, transparent);
        StretchPicture(dc, x, (r.bottom - height) / 2 + offset, width, height, picture.Get(), glyphWidth_,
                       glyphHeight_);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColor(Font(), GetSysColor(COLOR_BTNFACE)));
    RECT tr{x + width + gap, offset, x + total + 1, r.bottom + offset};
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: BufferedPaint(Handle(), [&](HDC dc, RECT) { Paint(dc); }); return 0;
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
        case WM_MOUSEMOVE: {
            RECT r{};
            GetClientRect(Handle(), &r);
            POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            SetHot(PtInRect(&r, pt) != 0);
            break;
        }
        case WM_MOUSELEAVE: SetHot(false); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED: {
            bool wasPressed = pressed_;
            bool clicked = TrackClick(Handle(), msg == WM_LBUTTONDBLCLK ? WM_LBUTTONDOWN : msg, lp, pressed_);
            if (msg == WM_LBUTTONDOWN) hot_ = true;
            if (wasPressed != pressed_) InvalidateRect(Handle(), nullptr, FALSE);
            if (clicked) Click();
            return 0;
        }
        case WM_MOUSEACTIVATE:
            // A click activates the form but never moves the focus here.
            return MA_ACTIVATE;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// ---- TClickable -------------------------------------------------------------

LRESULT TClickable::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (TrackClick(Handle(), msg, lp, pressed_)) Click();
            return 0;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// ---- TScrollBox -------------------------------------------------------------

TScrollBox::TScrollBox(TComponent* owner, const ControlDef& def, TColor color) : TClickable(owner, def) {
    SetColor(color);
    CreateWnd({"TScrollBox", WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE}, true);
}

LRESULT TScrollBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r{};
            GetClientRect(Handle(), &r);
            FillRect(reinterpret_cast<HDC>(wp), &r, ColorBrush());
            return 1;
        }
    }
    return TClickable::WndProc(msg, wp, lp);
}

// ---- TImage -----------------------------------------------------------------

TImage::TImage(TComponent* owner, const ControlDef& def, int iconId) : TClickable(owner, def) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const int size = def.Bounds.Width;
    icon_.Reset(
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    CreateWnd({"TImage", WS_VISIBLE | WS_CLIPSIBLINGS, 0}, true);
}

void TImage::Paint(HDC dc, RECT r) {
    // The parent's colour shows through the icon's transparent pixels.
    TWinControl* parent = Parent();
    BrushHandle brush(CreateSolidBrush(ColorToRGB(parent ? parent->Color() : clBtnFace)));
    FillRect(dc, &r, brush.Get());
    if (!icon_) return;
    const int design = DesignBounds().Width;
    const int size = ScaleOf(*this, design);
    // Drawn on the background at its own size, then brought to the scale.
    MemoryDC picture(CreateCompatibleDC(dc));
    BitmapHandle canvas(CreateCompatibleBitmap(dc, design, design));
    ScopedSelect selectCanvas(picture.Get(), canvas.Get());
    RECT all{0, 0, design, design};
    FillRect(picture.Get(), &all, brush.Get());
    DrawIconEx(picture.Get(), 0, 0, icon_.Get(), design, design, 0, nullptr, DI_NORMAL);
    StretchPicture(dc, 0, 0, size, size, picture.Get(), design, design);
}

LRESULT TImage::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: BufferedPaint(Handle(), [&](HDC dc, RECT r) { Paint(dc, r); }); return 0;
        case WM_PRINTCLIENT: {
            RECT r{};
            GetClientRect(Handle(), &r);
            Paint(reinterpret_cast<HDC>(wp), r);
            return 0;
        }
    }
    return TClickable::WndProc(msg, wp, lp);
}

}  // namespace forms
