#include "forms/Graphics.h"

#include "forms/Contrast.h"

namespace forms {

COLORREF ColorToRGB(TColor color) {
    if (color < 0) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color);
}

COLORREF TextColor(const TFont& font, COLORREF background) {
    HIGHCONTRASTA contrast{sizeof contrast};
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    if (SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON))
        return text;
    return ReadableColor(ColorToRGB(font.Color), background, {ColorToRGB(font.Fallback), text});
}

FontHandle CreateFontFor(const TFont& font) {
    LOGFONTA lf{};
    lf.lfHeight = font.Height;
    lf.lfWeight = font.Style == TFontStyle::fsBold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE);
    return FontHandle(CreateFontIndirectA(&lf));
}

void DrawTransparent(HDC dc, int x, int y, HBITMAP bitmap, int srcX, int srcY, int width, int height,
                     COLORREF transparent) {
    MemoryDC image(CreateCompatibleDC(dc));
    MemoryDC maskDC(CreateCompatibleDC(dc));
    BitmapHandle mask(CreateBitmap(width, height, 1, 1, nullptr));
    ScopedSelect imageSel(image.Get(), bitmap);
    ScopedSelect maskSel(maskDC.Get(), mask.Get());

    // The mask is white where the picture is transparent, black elsewhere.
    SetBkColor(image.Get(), transparent);
    BitBlt(maskDC.Get(), 0, 0, width, height, image.Get(), srcX, srcY, SRCCOPY);

    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    // Invert-AND-invert: the picture's pixels where the mask is black, the
    // background where it is white.
    BitBlt(dc, x, y, width, height, image.Get(), srcX, srcY, SRCINVERT);
    BitBlt(dc, x, y, width, height, maskDC.Get(), 0, 0, SRCAND);
    BitBlt(dc, x, y, width, height, image.Get(), srcX, srcY, SRCINVERT);
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
}

namespace {
void Stretch(HDC dc, int x, int y, int width, int height, HDC source, int sourceWidth, int sourceHeight, int mode) {
    int oldMode = SetStretchBltMode(dc, mode);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);  // HALFTONE needs it reset
    StretchBlt(dc, x, y, width, height, source, 0, 0, sourceWidth, sourceHeight, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}
}  // namespace

void StretchPicture(HDC dc, int x, int y, int width, int height, HDC source, int sourceWidth, int sourceHeight) {
    if (width == sourceWidth && height == sourceHeight) {
        BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
        return;
    }
    const bool whole = sourceWidth > 0 && sourceHeight > 0 && width % sourceWidth == 0 && height % sourceHeight == 0 &&
                       width / sourceWidth == height / sourceHeight;
    if (whole) {
        Stretch(dc, x, y, width, height, source, sourceWidth, sourceHeight, COLORONCOLOR);
        return;
    }
    // Between whole factors, from one and a half times the size on, the
    // smoothing starts from the picture doubled pixel for pixel, the nearer
    // whole factor, so that its edges stay as sharp as they can.
    if (2 * height < 3 * sourceHeight) {
        Stretch(dc, x, y, width, height, source, sourceWidth, sourceHeight, HALFTONE);
        return;
    }
    MemoryDC doubled(CreateCompatibleDC(dc));
    BitmapHandle canvas(CreateCompatibleBitmap(dc, 2 * sourceWidth, 2 * sourceHeight));
    ScopedSelect select(doubled.Get(), canvas.Get());
    Stretch(doubled.Get(), 0, 0, 2 * sourceWidth, 2 * sourceHeight, source, sourceWidth, sourceHeight, COLORONCOLOR);
    Stretch(dc, x, y, width, height, doubled.Get(), 2 * sourceWidth, 2 * sourceHeight, HALFTONE);
}

HCURSOR CursorHandle(TCursor cursor) {
    switch (cursor) {
        case crHandPoint: return LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
        case crHourGlass: return LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));  // IDC_WAIT
        default: return LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));           // IDC_ARROW
    }
}

}  // namespace forms
