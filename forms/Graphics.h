#pragma once
// Colours, font descriptions and owners for GDI objects and other handles.
// Owners are move-only, so a handle is freed exactly once; borrowed handles
// (stock objects, system brushes) are plain handles and never freed.

#include <cstdint>
#include <string>
#include <utility>

#include "forms/Colors.h"
#include "forms/Win.h"

namespace forms {

static_assert(clBackground == SystemColor(COLOR_BACKGROUND) && clActiveCaption == SystemColor(COLOR_ACTIVECAPTION) &&
              clWindowText == SystemColor(COLOR_WINDOWTEXT) && clBtnFace == SystemColor(COLOR_BTNFACE) &&
              clBtnText == SystemColor(COLOR_BTNTEXT) && clHotLight == SystemColor(COLOR_HOTLIGHT));

// The mouse cursors the controls and the screen use; crDefault is the arrow.
enum TCursor : int { crDefault = 0, crHourGlass = -11, crHandPoint = -21 };
HCURSOR CursorHandle(TCursor cursor);

// The RGB value of a colour, resolving a system colour through GetSysColor.
COLORREF ColorToRGB(TColor color);

template <typename H, BOOL(WINAPI* Deleter)(H)>
class Handle {
public:
    Handle() = default;
    explicit Handle(H h) noexcept : h_(h) {}
    Handle(Handle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Reset(); }

    H Get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != nullptr; }
    void Reset(H h = nullptr) noexcept {
        if (h_) Deleter(h_);
        h_ = h;
    }

private:
    H h_ = nullptr;
};

namespace detail {
template <typename H>
BOOL WINAPI DeleteGdi(H h) {
    return DeleteObject(h);
}
}  // namespace detail

using FontHandle = Handle<HFONT, detail::DeleteGdi<HFONT>>;
using BrushHandle = Handle<HBRUSH, detail::DeleteGdi<HBRUSH>>;
using BitmapHandle = Handle<HBITMAP, detail::DeleteGdi<HBITMAP>>;
using IconHandle = Handle<HICON, DestroyIcon>;
using MenuHandle = Handle<HMENU, DestroyMenu>;
using MemoryDC = Handle<HDC, DeleteDC>;

// Selects an object into a DC and puts back what it replaced.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, old_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's DC from GetDC, released when done.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() { ReleaseDC(hwnd_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

enum class TFontStyle { fsRegular, fsBold };

// What a control's font is: the form's font, or one of its own.
struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    TFontStyle Style = TFontStyle::fsRegular;
    TColor Color = clWindowText;
    // Where Color cannot be read on the control's background, the text takes
    // this colour if it can be read, else the button text colour.
    TColor Fallback = clBtnText;

    bool SameFace(const TFont& other) const {
        return Name == other.Name && Height == other.Height && Style == other.Style;
    }
};

FontHandle CreateFontFor(const TFont& font);

// The colour a text in `font` is drawn in on `background`: its own colour
// where that reaches a contrast of 4.5 : 1, else its fallback where that does,
// else the button text colour. While high contrast is on, always the button
// text colour, as the system's scheme sets it.
COLORREF TextColor(const TFont& font, COLORREF background);

// Paints a bitmap (or a part of one) with every pixel of the transparent
// colour left out.
void DrawTransparent(HDC dc, int x, int y, HBITMAP bitmap, int srcX, int srcY, int width, int height,
                     COLORREF transparent);

// Draws a picture composed at its own size in `source` (width by height)
// stretched into the target rectangle: pixel for pixel when the factors are
// whole, smoothed otherwise, from the picture doubled pixel for pixel where
// the target is at least one and a half times its size.
void StretchPicture(HDC dc, int x, int y, int width, int height, HDC source, int sourceWidth, int sourceHeight);

}  // namespace forms
