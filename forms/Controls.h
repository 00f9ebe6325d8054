#pragma once
// Windowed controls and forms. Every control is a real child window with one
// C++ object, created from one line of its form's definition (ControlDef),
// owned by the form and destroyed with it.
//
// Positions are given as the form was designed: pixels for a 13-pixel text
// height. They are scaled by the form with its font's real text height, at
// creation and again when the window moves to a screen of another DPI.

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "forms/Component.h"
#include "forms/Graphics.h"
#include "forms/Method.h"
#include "forms/Win.h"

namespace forms {

class TForm;

struct TBounds {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

enum class TAlign { alNone, alTop, alBottom };

enum TShiftState : unsigned { ssNone = 0, ssShift = 1, ssAlt = 2, ssCtrl = 4 };
TShiftState CurrentShiftState();

// The whole text of a window, however long.
std::string ReadWindowText(HWND hwnd);

using TKeyEvent = Method<TObject*, WORD&, TShiftState>;
using TCloseQueryEvent = Method<TObject*, bool&>;

// What a control tells a screen reader beyond what Windows knows of its
// window: empty fields leave the standard answer.
struct TAccessibility {
    long Role = 0;              // ROLE_SYSTEM_*, 0: the standard role
    std::string Name;           // the accessible name
    std::string DefaultAction;  // the name of the default action, which clicks
};

// One line of a form definition.
struct ControlDef {
    const char* Name = "";
    class TWinControl* Parent = nullptr;
    TBounds Bounds{};
    std::string Text;
    std::string Hint;
    std::optional<TFont> Font;  // empty: the parent's font
    TCursor Cursor = crDefault;
    TAlign Align = TAlign::alNone;
    TNotifyEvent OnClick{};
};

class TWinControl : public TComponent {
public:
    TWinControl(TComponent* owner, const ControlDef& def);
    ~TWinControl() override;

    // The object of one of our windows, or null.
    static TWinControl* FromHandle(HWND hwnd);

    HWND Handle() const noexcept { return handle_; }
    TWinControl* Parent() const noexcept { return parent_; }
    TForm* Form() const;

    const TBounds& DesignBounds() const noexcept { return bounds_; }

    std::string Text() const;
    void SetText(const std::string& text);

    const TFont& Font() const;

    TColor Color() const noexcept { return color_; }
    void SetColor(TColor color);

    const std::string& Hint() const noexcept { return hint_; }

    TNotifyEvent OnClick;
    virtual void Click();

    // The width the control needs to show its content whole; the layout
    // widens it to the right up to that, never below its scaled width.
    virtual int ContentWidth() const { return 0; }
    // The width and height of a text in the control's font.
    SIZE TextExtent(const std::string& text) const;

    // Position, size and font at the form's current scale.
    void ApplyLayout();

    TAccessibility Accessibility;
    virtual std::string AccessibleName() const { return Accessibility.Name; }
    bool HasOwnAccessibility() const {
        return Accessibility.Role || !AccessibleName().empty() || !Accessibility.DefaultAction.empty();
    }

protected:
    struct Params {
        const char* ClassName;
        DWORD Style;
        DWORD ExStyle;
    };
    // Creates the window: a class of our own (registered on first use) or a
    // standard one, which is subclassed.
    void CreateWnd(const Params& params, bool ownClass);

    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);
    // A notification that the parent received from this control (WM_COMMAND,
    // WM_CTLCOLORSTATIC, WM_CTLCOLORBTN): the control handles its own.
    virtual bool Notify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // The brush and colours for a child's WM_CTLCOLOR*: this control's colour.
    HBRUSH ColorBrush();
    void BeforeDestruction() override;

private:
    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Detach();
    // The design bounds at the form's scale, before any widening.
    RECT ScaledRect() const;
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR);

    HWND handle_ = nullptr;
    TWinControl* parent_ = nullptr;
    TBounds bounds_;
    TAlign align_;
    std::string text_;
    std::string hint_;
    std::optional<TFont> font_;
    TCursor cursor_;
    TColor color_ = clBtnFace;
    bool ownClass_ = false;
    HFONT fontHandle_ = nullptr;  // owned by the form
    BrushHandle brush_;
    TColor brushColor_ = clBtnFace;

    friend class TForm;
};

enum class TBorderStyle { bsDialog, bsSizeable };
enum class TPosition { poDesigned, poScreenCenter };
enum class TFormStyle { fsNormal = 0, fsStayOnTop = 3 };

struct FormDef {
    const char* ClassName = "TForm";
    const char* Name = "";
    std::string Caption;
    int ClientWidth = 0;
    int ClientHeight = 0;
    TBorderStyle BorderStyle = TBorderStyle::bsSizeable;
    TPosition Position = TPosition::poDesigned;
    TFont Font{};
    int IconId = 1;
    bool KeyPreview = false;
    bool ShowHint = false;
    TNotifyEvent OnActivate{};
    TKeyEvent OnKeyDown{};
    TCloseQueryEvent OnCloseQuery{};
};

class TForm : public TWinControl {
public:
    TForm(TComponent* owner, const FormDef& def);
    ~TForm() override;

    static TForm* FromHandle(HWND hwnd);

    void Show();
    // Closes the form unless OnCloseQuery refuses; closing the main form ends
    // the application.
    void Close();
    // Whether the form may close now, as OnCloseQuery answers. Asked by Close()
    // and when the Windows session is about to end; once the session does
    // end, the answer given then stands and nothing is asked again.
    bool CloseQuery();

    bool KeyPreview = false;
    TFormStyle FormStyle = TFormStyle::fsNormal;

    bool ShowHint() const noexcept { return showHint_; }

    TNotifyEvent OnActivate;
    TKeyEvent OnKeyDown;
    TCloseQueryEvent OnCloseQuery;

    // A design measure in pixels at the font's real text height.
    int Scale(int designPixels) const;
    // The pixels per inch the form is laid out for: its monitor's.
    int Dpi() const noexcept { return dpi_; }
    int ClientWidth() const { return Scale(clientWidth_); }
    int ClientHeight() const { return Scale(clientHeight_); }

    HFONT FontHandle(const TFont& font);
    // Puts sibling controls into this window order, first to last. The
    // dialog manager tabs through it; a label put directly before the control
    // it names gives that control its name for screen readers.
    void SetTabOrder(std::initializer_list<TWinControl*> controls);

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // A control being created asks its form for an id and for its tooltip.
    friend class TWinControl;
    int NextControlId() noexcept { return nextId_++; }
    void AddHint(TWinControl* control);

    // Lays the form and every control out again for another DPI, keeping
    // contents, focus and window order; with `place`, the window moves there
    // (its top-left corner) and takes the size of its scaled client area.
    void ChangeDpi(int dpi, const RECT* place = nullptr);
    void RestoreFocus();
    void MeasureFont();

    TBorderStyle borderStyle_;
    TPosition position_;
    int clientWidth_;
    int clientHeight_;
    int textHeight_ = 13;
    int dpi_ = 96;
    bool showHint_;
    bool sessionEnded_ = false;
    HWND tooltip_ = nullptr;
    HWND lastFocus_ = nullptr;
    int nextId_ = 100;
    struct CachedFont {
        TFont font;
        forms::FontHandle handle;
    };
    std::vector<CachedFont> fonts_;
};

}  // namespace forms
