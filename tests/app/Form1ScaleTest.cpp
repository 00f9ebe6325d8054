// The configuration window at the scale of its screen: run at 96, 120, 144
// and 192 DPI (each in a Wine prefix of that scale), and moved to another
// scale while it is open.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Form1.h"
#include "tests/app/Form1Fixture.h"
#include "tests/support/WindowTest.h"

using namespace forms;
using namespace testutil;

namespace {

class Form1Scale : public Form1Fixture {
protected:
    std::vector<HWND> Children(HWND parent) const {
        std::vector<HWND> list;
        for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) list.push_back(c);
        return list;
    }

    // Every caption whole on one line; no two controls of a panel overlap and
    // none leaves its panel; the client area by the rule.
    void ExpectNothingCut() {
        RECT client = ClientRectOf(form->Handle());
        EXPECT_EQ(client.right, S(504));
        EXPECT_EQ(client.bottom, S(402));
        const int box = MulDiv(13, form->Dpi(), 96);
        for (TLabel* label : {form->Label1, form->Label2, form->Label3, form->Label4, form->Label5, form->Label6,
                              form->Label7, form->Label8, form->Label9, form->Label10}) {
            RECT r = RectInParent(label->Handle());
            SIZE text = TextExtent(label->Handle(), label->Text());
            EXPECT_GE(r.right - r.left, text.cx) << label->Text();
            EXPECT_GE(r.bottom - r.top, text.cy) << label->Text();
            EXPECT_LT(r.bottom - r.top, 2 * text.cy) << label->Text() << ": one line";
        }
        for (TCheckBox* check : {form->CheckBox1, form->CheckBox2}) {
            RECT r = RectInParent(check->Handle());
            EXPECT_GE(r.right - r.left, box + TextExtent(check->Handle(), check->Text()).cx) << check->Text();
        }
        for (TPanel* panel : {form->Panel1, form->Panel2}) {
            RECT inside = ClientRectOf(panel->Handle());
            std::vector<HWND> children = Children(panel->Handle());
            for (size_t i = 0; i < children.size(); ++i) {
                // The separator line runs down the whole column by design.
                if (children[i] == form->Bevel1->Handle()) continue;
                RECT a = RectInParent(children[i]);
                RECT both{};
                EXPECT_TRUE(UnionRect(&both, &a, &inside) && EqualRect(&both, &inside))
                    << TWinControl::FromHandle(children[i])->Name() << " leaves its panel";
                for (size_t j = i + 1; j < children.size(); ++j) {
                    if (children[j] == form->Bevel1->Handle()) continue;
                    RECT b = RectInParent(children[j]);
                    EXPECT_FALSE(IntersectRect(&both, &a, &b))
                        << TWinControl::FromHandle(children[i])->Name() << " overlaps "
                        << TWinControl::FromHandle(children[j])->Name();
                }
            }
        }
    }
};

TEST_F(Form1Scale, EveryCaptionFitsAndNothingOverlapsOrLeavesItsPanel) {
    SCOPED_TRACE("at " + std::to_string(form->Dpi()) + " DPI");
    ExpectNothingCut();
}

TEST_F(Form1Scale, PicturesAreDrawnAtTheLayoutsScale) {
    SCOPED_TRACE("at " + std::to_string(form->Dpi()) + " DPI");
    // The icon's opaque pixels fill rows 3 to 30 and columns 0 to 30 of its
    // 32; a colour of its own behind it shows where it ends.
    const COLORREF back = RGB(10, 200, 30);
    form->ScrollBox1->SetColor(back);
    const double icon = S(32);
    RECT e = Render(form->Image1->Handle()).Extent(back);
    EXPECT_EQ(RectInParent(form->Image1->Handle()).right - RectInParent(form->Image1->Handle()).left, S(32));
    EXPECT_NEAR(e.bottom - e.top, 28 * icon / 32, 1.5);
    EXPECT_NEAR(e.right - e.left, 31 * icon / 32, 1.5);

    // The open-folder glyph fills rows 0 to 14 of its 16, and stands taller
    // than the caption beside it.
    const double glyph = S(16);
    e = Render(form->OpenBtn->Handle()).Extent(GetSysColor(COLOR_BTNFACE));
    EXPECT_NEAR(e.bottom - e.top, 15 * glyph / 16, 1.5);
}

TEST_F(Form1Scale, MovedToAScreenOfAnotherScaleItIsLaidOutAgainKeepingItsState) {
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(5);
    form->Edit2->SetText("kept");
    form->Memo2->Lines().Assign(std::vector<std::string>{"one", "two"});
    form->CheckBox1->SetChecked(true);
    SetFocus(form->Edit4->Handle());
    const std::vector<HWND> order = Children(form->Panel1->Handle());
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const int first = form->Dpi();

    for (int dpi : {first == 144 ? 192 : 144, first}) {
        SCOPED_TRACE("to " + std::to_string(dpi) + " DPI");
        // Windows suggests a place and a size; the place is taken, the size
        // comes from the client area at the new scale.
        RECT suggested{40, 30, 40 + MulDiv(600, dpi, 96), 30 + MulDiv(450, dpi, 96)};
        SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        Pump();
        EXPECT_EQ(form->Dpi(), dpi);
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        EXPECT_EQ(window.left, 40);
        EXPECT_EQ(window.top, 30);

        // The scale comes from the text height of the new font.
        LOGFONTA lf{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(form->Edit1->Handle(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
        EXPECT_EQ(lf.lfHeight, MulDiv(-11, dpi, 96));
        RECT edit = RectInParent(form->Edit7->Handle());
        EXPECT_EQ(edit.left, S(81));
        EXPECT_EQ(edit.top, S(237));
        EXPECT_EQ(edit.right - edit.left, S(25));
        ExpectNothingCut();

        EXPECT_EQ(form->Edit2->Text(), "kept");
        EXPECT_EQ(form->Memo2->Lines().ToVector(), (std::vector<std::string>{"one", "two"}));
        EXPECT_TRUE(form->CheckBox1->Checked());
        EXPECT_EQ(GetFocus(), form->Edit4->Handle());
        EXPECT_EQ(Children(form->Panel1->Handle()), order) << "window and tab order unchanged";
    }
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), form->Edit5->Handle());
    // The fonts of the first scale are gone, not leaked.
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore + 2);
}

TEST(PictureCopies, AWholeFactorRepeatsEveryPixel) {
    WindowDC screen(nullptr);
    MemoryDC source(CreateCompatibleDC(screen.Get()));
    BitmapHandle pattern(CreateCompatibleBitmap(screen.Get(), 2, 2));
    ScopedSelect selectSource(source.Get(), pattern.Get());
    const COLORREF colours[2][2] = {{RGB(255, 0, 0), RGB(0, 0, 255)}, {RGB(0, 128, 0), RGB(255, 255, 255)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) SetPixel(source.Get(), x, y, colours[y][x]);

    MemoryDC target(CreateCompatibleDC(screen.Get()));
    BitmapHandle canvas(CreateCompatibleBitmap(screen.Get(), 6, 6));
    ScopedSelect selectTarget(target.Get(), canvas.Get());
    StretchPicture(target.Get(), 0, 0, 6, 6, source.Get(), 2, 2);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(GetPixel(target.Get(), x, y), colours[y / 3][x / 3]) << x << "," << y;
}

}  // namespace
