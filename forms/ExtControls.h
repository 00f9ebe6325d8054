#pragma once
// The controls that Windows does not offer as such, drawn by us: panel,
// bevel line, flat speed button, colour box and icon image.

#include "forms/Controls.h"

namespace forms {

// A raised container in the button-face colour.
class TPanel : public TWinControl {
public:
    TPanel(TComponent* owner, const ControlDef& def);

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// An etched (lowered) line at its left edge.
class TBevel : public TWinControl {
public:
    TBevel(TComponent* owner, const ControlDef& def);

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// A flat button with a glyph left of its caption. It never takes the focus
// and draws its border only while the mouse is over it. For screen readers
// it is a push button named by its caption without the trailing blanks.
class TSpeedButton : public TWinControl {
public:
    // glyphId: a 16-colour bitmap resource holding numGlyphs images side by
    // side, of which the button shows the first; its bottom-left pixel is
    // transparent. The glyph is drawn at the form's scale.
    TSpeedButton(TComponent* owner, const ControlDef& def, int glyphId, int numGlyphs = 1);

    int NumGlyphs() const noexcept { return numGlyphs_; }
    HBITMAP Glyph() const noexcept { return glyph_.Get(); }
    std::string AccessibleName() const override;

    static constexpr int kSpacing = 4;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint(HDC dc);
    void SetHot(bool hot);

    BitmapHandle glyph_;
    int numGlyphs_;
    int glyphWidth_ = 0;
    int glyphHeight_ = 0;
    bool hot_ = false;
    bool pressed_ = false;
};

// A control that a press and a release of the left button inside it click.
class TClickable : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool pressed_ = false;
};

// A box in a colour of its own, with a single sunken frame and no scroll
// bars; a click anywhere in it is its OnClick.
class TScrollBox : public TClickable {
public:
    TScrollBox(TComponent* owner, const ControlDef& def, TColor color);

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// An icon drawn with its transparency on its parent's colour, at the form's
// scale of its designed size.
class TImage : public TClickable {
public:
    TImage(TComponent* owner, const ControlDef& def, int iconId);

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint(HDC dc, RECT r);

    IconHandle icon_;  // the image of the icon at its designed size
};

}  // namespace forms
