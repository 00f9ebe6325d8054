#include "forms/Graphics.h"

#include <cstdlib>

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

size_t NearestCopy(const std::vector<int>& sizes, int size) {
    for (size_t i = sizes.size(); i-- > 0;)
        if (sizes[i] > 0 && size >= sizes[i] && size % sizes[i] == 0) return i;
    size_t best = 0;
    for (size_t i = 1; i < sizes.size(); ++i)
        if (std::abs(sizes[i] - size) <= std::abs(sizes[best] - size)) best = i;
    return best;
}

void StretchPicture(HDC dc, int x, int y, int width, int height, HDC source, int sourceWidth, int sourceHeight) {
    if (width == sourceWidth && height == sourceHeight) {
        BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
        return;
    }
    const bool whole = sourceWidth > 0 && sourceHeight > 0 && width % sourceWidth == 0 && height % sourceHeight == 0 &&
                       width / sourceWidth == height / sourceHeight;
    int oldMode = SetStretchBltMode(dc, whole ? COLORONCOLOR : HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);  // HALFTONE needs it reset
    StretchBlt(dc, x, y, width, height, source, 0, 0, sourceWidth, sourceHeight, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

HCURSOR CursorHandle(TCursor cursor) {
    switch (cursor) {
        case crHandPoint: return LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
        case crHourGlass: return LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));  // IDC_WAIT
        default: return LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));           // IDC_ARROW
    }
}

}  // namespace forms
