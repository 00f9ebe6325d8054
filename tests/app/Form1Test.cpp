// The configuration window as it is created: read back through Win32.

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "app/Form1.h"
#include "tests/app/Form1Fixture.h"
#include "tests/support/ServiceStandIns.h"
#include "tests/support/WindowTest.h"

#include <commdlg.h>

using namespace forms;
using namespace testutil;
using glim::TForm1;

namespace {

class Form1Test : public Form1Fixture {
protected:
    // Where the definition puts a control, at the window's scale; a label or
    // a check box may be wider, to show its text whole.
    void ExpectRect(TWinControl* c, int left, int top, int width, int height, bool mayGrow = false) {
        RECT r = RectInParent(c->Handle());
        EXPECT_EQ(r.left, S(left)) << c->Name();
        EXPECT_EQ(r.top, S(top)) << c->Name();
        if (mayGrow)
            EXPECT_GE(r.right - r.left, S(width)) << c->Name();
        else
            EXPECT_EQ(r.right - r.left, S(width)) << c->Name();
        EXPECT_EQ(r.bottom - r.top, S(height)) << c->Name();
    }

    void ShowAndActivate() {
        form->Show();
        SetForegroundWindow(form->Handle());
        SetActiveWindow(form->Handle());
        Pump(5);
    }

    // The control of the window's definition with that name.
    TWinControl* Named(const std::string& name) const {
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (form->Components(i)->Name() == name) return dynamic_cast<TWinControl*>(form->Components(i));
        return nullptr;
    }

    // The cursor a control sets while the mouse is over it.
    static HCURSOR CursorOver(TWinControl* c) {
        SetCursor(nullptr);
        SendMessageA(c->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(c->Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }
};

struct Expected {
    const char* name;
    const char* parent;
    int left, top, width, height;
    const char* text;
    bool bold;
};

// The window's definition, as its users see it.
const Expected kControls[] = {
    {"Label3", "Panel1", 12, 15, 50, 13, "Captions", true},
    {"Label1", "Panel1", 12, 39, 45, 13, "App. Title", false},
    {"Label2", "Panel1", 12, 66, 58, 13, "Dlg. Caption", false},
    {"Label4", "Panel1", 12, 108, 44, 13, "Options", true},
    {"Label5", "Panel1", 12, 132, 35, 13, "Helpfile", false},
    {"Label6", "Panel1", 12, 159, 52, 13, "Homepage", false},
    {"Label7", "Panel1", 12, 186, 28, 13, "E-mail", false},
    {"Label8", "Panel1", 12, 213, 61, 13, "Open at start", false},
    {"Label9", "Panel1", 12, 240, 55, 13, "Default Ext.", false},
    {"Label10", "Panel1", 285, 12, 62, 13, "Extensions", true},
    {"Edit1", "Panel1", 81, 36, 154, 21, "Glimsel", false},
    {"Edit2", "Panel1", 81, 63, 154, 21, "Save Icon as ...", false},
    {"Edit3", "Panel1", 81, 129, 154, 21, "", false},
    {"Edit4", "Panel1", 81, 156, 154, 21, "", false},
    {"Edit5", "Panel1", 81, 183, 154, 21, "", false},
    {"Edit6", "Panel1", 81, 210, 154, 21, "", false},
    {"Edit7", "Panel1", 81, 237, 25, 21, "ics", false},
    {"CheckBox1", "Panel1", 12, 267, 190, 17, "Allow the user to edit the file mask", false},
    {"CheckBox2", "Panel1", 12, 294, 181, 17, "Add filenames to application title", false},
    {"Memo1", "Panel1", 264, 36, 228, 49, nullptr, false},
    {"Memo2", "Panel1", 264, 129, 228, 76, nullptr, false},
    {"Bevel1", "Panel1", 249, 1, 10, 361, "", false},
    {"ScrollBox1", "Panel1", 264, 315, 228, 34, "", false},
    {"Image1", "ScrollBox1", 6, 0, 32, 32, "", false},
    {"SpeedButton5", "Panel1", 264, 101, 94, 21, "About         ", true},
    {"SpeedButton1", "Panel1", 264, 264, 94, 21, "Menu items  ", true},
    {"SpeedButton2", "Panel1", 264, 291, 94, 21, "Color          ", true},
    {"OpenBtn", "Panel2", 12, 9, 70, 25, "Open", false},
    {"SpeedButton3", "Panel2", 94, 9, 70, 25, "Save", false},
    {"SaveAsBtn", "Panel2", 176, 9, 70, 25, "Save as", false},
    {"HelpBtn", "Panel2", 259, 9, 70, 25, "Help", false},
    {"AboutBtn", "Panel2", 341, 9, 70, 25, "About", false},
    {"SpeedButton4", "Panel2", 423, 9, 70, 25, "Exit", false},
};

TEST_F(Form1Test, WindowHasDialogFrameCaptionAndScaledClientArea) {
    HWND hwnd = form->Handle();
    EXPECT_EQ(WindowText(hwnd), "Glimsel - Configuration");
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    LONG exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    RECT client = ClientRectOf(hwnd);
    EXPECT_EQ(client.right, S(504));
    EXPECT_EQ(client.bottom, S(402));
    EXPECT_FALSE(IsWindowVisible(hwnd)) << "the window shows only when the message loop runs";

    EXPECT_EQ(form->Font().Name, "MS Sans Serif");
    EXPECT_EQ(form->Font().Height, -11);
}

TEST_F(Form1Test, ShownCentredOnTheScreen) {
    form->Show();
    Pump();
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(Form1Test, PanelsFillTheTopAndTheBottom) {
    ExpectRect(form->Panel1, 0, 0, 504, 361);
    // Panel2 keeps its height at the bottom of the client area.
    RECT bottom = RectInParent(form->Panel2->Handle());
    EXPECT_EQ(bottom.bottom, S(402));
    EXPECT_EQ(bottom.bottom - bottom.top, S(41));
    EXPECT_EQ(bottom.right - bottom.left, S(504));
    EXPECT_EQ(GetParent(form->Panel1->Handle()), form->Handle());
    EXPECT_EQ(GetParent(form->Panel2->Handle()), form->Handle());
}

TEST_F(Form1Test, EveryControlStandsWhereDefinedWithItsTextAndFont) {
    for (const Expected& e : kControls) {
        SCOPED_TRACE(e.name);
        TWinControl* c = Named(e.name);
        ASSERT_NE(c, nullptr);
        ASSERT_NE(c->Handle(), nullptr);
        TWinControl* parent = Named(e.parent);
        ASSERT_NE(parent, nullptr);
        EXPECT_EQ(GetParent(c->Handle()), parent->Handle());
        const std::string kind = e.name;
        ExpectRect(c, e.left, e.top, e.width, e.height, kind.starts_with("Label") || kind.starts_with("CheckBox"));
        EXPECT_EQ(WindowText(c->Handle()), e.text ? e.text : WindowText(c->Handle()));
        EXPECT_TRUE(IsWindowVisible(c->Handle()) || !IsWindowVisible(form->Handle()));

        LOGFONTA lf{};
        auto font = reinterpret_cast<HFONT>(SendMessageA(c->Handle(), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        GetObjectA(font, sizeof lf, &lf);
        EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
        EXPECT_EQ(lf.lfHeight, MulDiv(-11, form->Dpi(), 96)) << "8 points at the window's DPI";
        EXPECT_EQ(lf.lfWeight >= FW_BOLD, e.bold);
    }
}

TEST_F(Form1Test, FontColoursOfHeadingsAndButtons) {
    for (const char* name : {"Label3", "Label4", "Label10", "SpeedButton5", "SpeedButton1", "SpeedButton2"})
        EXPECT_EQ(Named(name)->Font().Color, clActiveCaption) << name;
    for (const char* name : {"SpeedButton3", "SpeedButton4"}) EXPECT_EQ(Named(name)->Font().Color, clBlack) << name;
    for (const char* name : {"OpenBtn", "SaveAsBtn", "HelpBtn", "AboutBtn", "Label1", "Edit1"})
        EXPECT_EQ(Named(name)->Font().Color, clWindowText) << name;
}

// The headings and the captions of Save and Exit on the schemes that Windows
// ships, set with SetSysColors and put back afterwards: each is drawn in a
// colour that can be read, the window's own where it can, and the window
// redraws when the colours or the settings change.
TEST_F(Form1Test, HeadingsAndCaptionsAreReadableOnEverySchemeAndFollowAChange) {
    ShowActive();
    const auto painted = [&] { RedrawWindow(form->Handle(), nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN); };
    const int indices[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_ACTIVECAPTION, COLOR_HOTLIGHT};
    COLORREF saved[4];
    for (int i = 0; i < 4; ++i) saved[i] = GetSysColor(indices[i]);
    struct Scheme {
        const char* name;
        COLORREF colours[4];
        COLORREF heading, caption;
    };
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    for (const Scheme& scheme :
         {Scheme{"Windows 7 to 11",
                 {RGB(240, 240, 240), black, RGB(153, 180, 209), RGB(0, 102, 204)},
                 RGB(0, 102, 204),
                 black},
          Scheme{"High Contrast Black", {black, white, RGB(0, 0, 255), RGB(0, 0, 255)}, white, white},
          Scheme{
              "Windows classic", {RGB(192, 192, 192), black, RGB(0, 0, 128), RGB(0, 0, 128)}, RGB(0, 0, 128), black}}) {
        SCOPED_TRACE(scheme.name);
        painted();
        EXPECT_TRUE(SetSysColors(4, indices, scheme.colours));
        SendMessageA(form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
        EXPECT_TRUE(GetUpdateRect(form->Label3->Handle(), nullptr, FALSE)) << "redrawn at the change";
        Pump();
        for (TWinControl* heading : std::initializer_list<TWinControl*>{
                 form->Label3, form->Label4, form->Label10, form->SpeedButton1, form->SpeedButton2, form->SpeedButton5})
            EXPECT_TRUE(Render(heading->Handle()).Holds(scheme.heading)) << heading->Name();
        for (TWinControl* button : std::initializer_list<TWinControl*>{form->SpeedButton3, form->SpeedButton4})
            EXPECT_TRUE(Render(button->Handle()).Holds(scheme.caption)) << button->Name();
    }
    // High contrast: the button text colour, whatever the ratios say. Wine
    // cannot turn it on; Windows can.
    HIGHCONTRASTA contrast{sizeof contrast, HCF_HIGHCONTRASTON};
    if (SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, 0)) {
        const Picture heading = Render(form->Label3->Handle());
        EXPECT_TRUE(heading.Holds(black) && !heading.Holds(RGB(0, 0, 128)));
        contrast.dwFlags = 0;
        SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, 0);
    }
    SetSysColors(4, indices, saved);
    painted();
    SendMessageA(form->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_TRUE(GetUpdateRect(form->SpeedButton3->Handle(), nullptr, FALSE)) << "redrawn at a new setting";
}

TEST_F(Form1Test, DefaultContents) {
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_EQ(form->Memo1->Lines().ToVector(),
              (std::vector<std::string>{"*.ic?", "*.exe;*.dll;*.ocx;*.cpl;*.ico", "*.*"}));
    auto about = form->Memo2->Lines().ToVector();
    ASSERT_EQ(about.size(), 3u);
    EXPECT_NE(about[0].find("Copyright"), std::string::npos);
    EXPECT_NE(about[0].find("20"), std::string::npos) << "the notice names a year";
    EXPECT_EQ(about[1], "");
    EXPECT_EQ(about[2].substr(0, 11), "          A") << "ten blanks, then the reservation of rights";
    EXPECT_NE(about[2].find("rights reserved"), std::string::npos);
    EXPECT_EQ(form->ScrollBox1->Color(), static_cast<TColor>(0x80000001));
    const Picture icon = Render(form->Image1->Handle());
    EXPECT_LT(icon.Extent(ColorToRGB(clBackground)).left, icon.width) << "the icon is drawn";
}

TEST_F(Form1Test, SpeedButtonsHaveGlyphsHintsAndCursors) {
    struct Button {
        TSpeedButton* button;
        const char* hint;
        int glyphs;
        TCursor cursor;
    };
    const Button buttons[] = {
        {form->SpeedButton5, "Click here !", 2, crHandPoint},
        {form->SpeedButton1, "Click here !", 2, crHandPoint},
        {form->SpeedButton2, "Click here !", 2, crHandPoint},
        {form->OpenBtn, "Open configuration file", 1, crDefault},
        {form->SpeedButton3, "Update current configuration file", 1, crDefault},
        {form->SaveAsBtn, "Save configuration file as ...", 1, crDefault},
        {form->HelpBtn, "Call help", 1, crDefault},
        {form->AboutBtn, "About Glimsel Configuration", 1, crDefault},
        {form->SpeedButton4, "Exit program", 1, crDefault},
    };
    for (const Button& b : buttons) {
        SCOPED_TRACE(b.button->Name());
        EXPECT_EQ(b.button->Hint(), b.hint);
        EXPECT_EQ(b.button->NumGlyphs(), b.glyphs);
        EXPECT_EQ(CursorOver(b.button), CursorHandle(b.cursor));
        ASSERT_NE(b.button->Glyph(), nullptr);
        BITMAP bm{};
        GetObjectA(b.button->Glyph(), sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 16 * b.glyphs);
        EXPECT_EQ(bm.bmHeight, 16);
        EXPECT_EQ(bm.bmBitsPixel, 4);
        EXPECT_FALSE(GetWindowLongA(b.button->Handle(), GWL_STYLE) & WS_TABSTOP);
    }
    EXPECT_EQ(CursorOver(form->ScrollBox1), CursorHandle(crHandPoint));
    EXPECT_EQ(CursorOver(form->Image1), CursorHandle(crHandPoint));
    EXPECT_TRUE(form->ShowHint());
}

// A button's hint shows when the mouse rests on it: the tooltip sees the
// mouse messages of the button. The mouse is moved as a person moves it,
// through SendInput.
TEST_F(Form1Test, AButtonsHintShowsWhenTheMouseRestsOnIt) {
    ShowAndActivate();
    RECT r{};
    GetWindowRect(form->SpeedButton3->Handle(), &r);
    struct Search {
        std::string shown;
        static BOOL CALLBACK Visit(HWND hwnd, LPARAM lp) {
            char name[32] = {};
            GetClassNameA(hwnd, name, sizeof name);
            if (std::string(name) == TOOLTIPS_CLASSA && IsWindowVisible(hwnd))
                reinterpret_cast<Search*>(lp)->shown = WindowText(hwnd);
            return TRUE;
        }
    } search;
    // The tip waits for the mouse to rest: a bounded number of rounds, the
    // mouse moved onto the button again now and then.
    for (int round = 0; round < 1000 && search.shown.empty(); ++round) {
        if (round % 100 == 0) {
            INPUT move{};
            move.type = INPUT_MOUSE;
            move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            move.mi.dx = MulDiv((r.left + r.right) / 2 + round / 100, 65536, GetSystemMetrics(SM_CXSCREEN));
            move.mi.dy = MulDiv((r.top + r.bottom) / 2, 65536, GetSystemMetrics(SM_CYSCREEN));
            SendInput(1, &move, sizeof move);
        }
        Pump(1);
        EnumThreadWindows(GetCurrentThreadId(), &Search::Visit, reinterpret_cast<LPARAM>(&search));
    }
    EXPECT_EQ(search.shown, "Update current configuration file");
    SetCursorPos(0, 0);  // off the window, for the tests after this one
}

TEST_F(Form1Test, ScrollBoxHasSingleSunkenFrameAndNoScrollBars) {
    HWND box = form->ScrollBox1->Handle();
    EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongA(box, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
}

TEST_F(Form1Test, TabGoesThroughTheEditorsInOrderAndNeverToAButton) {
    ShowAndActivate();
    EXPECT_EQ(GetFocus(), form->Edit1->Handle()) << "the first editor has the focus at start";
    const std::vector<TWinControl*> order{form->Edit1,     form->Edit2, form->Edit3, form->Edit4,
                                          form->Edit5,     form->Edit6, form->Edit7, form->CheckBox1,
                                          form->CheckBox2, form->Memo1, form->Memo2, form->Edit1};
    SetFocus(form->Edit1->Handle());
    for (size_t i = 1; i < order.size(); ++i) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), order[i]->Handle()) << "after " << order[i - 1]->Name();
    }
    EXPECT_EQ(form->Memo1->Lines().Count(), 3) << "Tab typed nothing into the memo";
    EXPECT_EQ(form->Memo1->Text().find('\t'), std::string::npos);
}

TEST_F(Form1Test, ClickingASpeedButtonLeavesTheFocusAlone) {
    MessageBoxRecorder boxes;
    ShowAndActivate();
    SetFocus(form->Edit3->Handle());
    HWND button = form->HelpBtn->Handle();
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ(GetFocus(), form->Edit3->Handle());
}

TEST_F(Form1Test, CapitalsTypedIntoTheExtensionArriveInLowerCase) {
    ShowAndActivate();
    SetFocus(form->Edit7->Handle());
    SendMessageA(form->Edit7->Handle(), EM_SETSEL, 0, -1);
    for (char c : std::string("ICO")) TypeChar(c);
    EXPECT_EQ(form->Edit7->Text(), "ico");
}

TEST_F(Form1Test, MemoKeepsLongLinesWholeAndEnterStartsANewLine) {
    HWND memo = form->Memo1->Handle();
    LONG style = GetWindowLongA(memo, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_AUTOHSCROLL) << "no word wrap";
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));

    const std::string longLine(300, 'x');
    form->Memo1->Lines().Assign(std::vector<std::string>{longLine});
    EXPECT_EQ(SendMessageA(memo, EM_LINELENGTH, 0, 0), 300) << "the first line holds the whole text";
    EXPECT_EQ(form->Memo1->Lines().ToVector(), std::vector<std::string>{longLine});

    ShowAndActivate();
    SetFocus(form->Memo1->Handle());
    SendMessageA(memo, EM_SETSEL, 0, -1);
    TypeChar('a');
    PressKey(VK_RETURN);
    TypeChar('b');
    EXPECT_EQ(GetFocus(), memo);
    EXPECT_EQ(form->Memo1->Lines().ToVector(), (std::vector<std::string>{"a", "b"}));

    // Beyond the edit control's default limit of 30,000 characters, typing
    // still adds.
    const std::string full(40000, 'm');
    form->Memo1->SetText(full);
    SendMessageA(memo, EM_SETSEL, 40000, 40000);
    TypeChar('z');
    EXPECT_EQ(form->Memo1->Text(), full + "z");
}

TEST_F(Form1Test, MemoLinesFollowTheTextWithoutAnExtraEmptyLine) {
    TStrings& lines = form->Memo2->Lines();
    form->Memo2->SetText("one\r\ntwo\r\n");
    EXPECT_EQ(lines.ToVector(), (std::vector<std::string>{"one", "two"}));
    form->Memo2->SetText("one\r\n\r\n");
    EXPECT_EQ(lines.ToVector(), (std::vector<std::string>{"one", ""}));
    form->Memo2->SetText("");
    EXPECT_EQ(lines.Count(), 0);
    lines.Assign(std::vector<std::string>{"x", "", "y"});
    EXPECT_EQ(lines.Count(), 3);
    EXPECT_EQ(form->Memo2->Text(), "x\r\n\r\ny\r\n");
    EXPECT_EQ(lines.Get(2), "y");
    EXPECT_THROW(lines.Get(5), Exception);
}

TEST_F(Form1Test, PopupMenuShowsVisibleItemsWithSeparators) {
    EXPECT_EQ(form->IconMenu->Count(), 10);
    EXPECT_FALSE(form->Help1->Visible());
    EXPECT_EQ(form->Help1->Caption(), "&Help ...");
    MenuHandle menu = form->IconMenu->BuildMenu();
    ASSERT_EQ(GetMenuItemCount(menu.Get()), 9);
    const char* captions[] = {"&Copy Icon to clipboard",
                              "Save Icon as *.&ICO ...",
                              "Save Icon as *.&BMP ...",
                              nullptr,
                              "Backgr&ound color ...",
                              "&Website ...",
                              "&E-mail ...",
                              nullptr,
                              "&About ..."};
    for (int i = 0; i < 9; ++i) {
        MENUITEMINFOA info{sizeof info, MIIM_FTYPE};
        GetMenuItemInfoA(menu.Get(), static_cast<UINT>(i), TRUE, &info);
        if (!captions[i]) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << i;
            continue;
        }
        char text[128] = {};
        GetMenuStringA(menu.Get(), static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, captions[i]);
    }
    EXPECT_EQ(form->Copytoclipboard1->Hint(), "Copy icon to clipboard");
    EXPECT_EQ(form->Saveas1->Hint(), "Save icon as ... icon");
    EXPECT_EQ(form->SaveIconasBMP1->Hint(), "Save icon as ... bitmap");
    EXPECT_EQ(form->Setbackgroundcolor1->Hint(), "Select background color");

    // A caption changed to "-" makes the item a separator at the next opening.
    form->Internet1->SetCaption("-");
    menu = form->IconMenu->BuildMenu();
    MENUITEMINFOA info{sizeof info, MIIM_FTYPE};
    GetMenuItemInfoA(menu.Get(), 5, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
}

// Every control, menu item and form event runs the handler the window's
// definition names, and the menu's separators none.
TEST_F(Form1Test, EachEventIsBoundToItsHandler) {
    TForm1* f = form.get();
    const std::pair<TNotifyEvent, TNotifyEvent> clicks[] = {
        {f->SpeedButton1->OnClick, Bind<&TForm1::SpeedButton1Click>(f)},
        {f->SpeedButton2->OnClick, Bind<&TForm1::SpeedButton2Click>(f)},
        {f->ScrollBox1->OnClick, Bind<&TForm1::SpeedButton2Click>(f)},
        {f->Image1->OnClick, Bind<&TForm1::SpeedButton2Click>(f)},
        {f->SpeedButton3->OnClick, Bind<&TForm1::SpeedButton3Click>(f)},
        {f->SpeedButton4->OnClick, Bind<&TForm1::SpeedButton4Click>(f)},
        {f->SpeedButton5->OnClick, Bind<&TForm1::SpeedButton5Click>(f)},
        {f->HelpBtn->OnClick, Bind<&TForm1::HelpBtnClick>(f)},
        {f->AboutBtn->OnClick, Bind<&TForm1::AboutBtnClick>(f)},
        {f->SaveAsBtn->OnClick, Bind<&TForm1::SaveAsBtnClick>(f)},
        {f->OpenBtn->OnClick, Bind<&TForm1::OpenBtnClick>(f)},
        {f->OnActivate, Bind<&TForm1::FormActivate>(f)},
    };
    for (std::size_t i = 0; i < std::size(clicks); ++i) EXPECT_TRUE(clicks[i].first == clicks[i].second) << "row " << i;
    EXPECT_TRUE(f->OnKeyDown == Bind<&TForm1::FormKeyDown>(f));
    EXPECT_TRUE(f->OnCloseQuery == Bind<&TForm1::FormCloseQuery>(f));
    for (int i = 0; i < f->IconMenu->Count(); ++i) {
        TMenuItem* item = f->IconMenu->Items(i);
        EXPECT_TRUE(item->OnClick == (item->IsLine() ? TNotifyEvent{} : Bind<&TForm1::SetCaption>(f))) << item->Name();
    }
}

TEST_F(Form1Test, FileAndColourDialogsAreSetUp) {
    const char* filter = "Configuration files (*.ini)|*.ini|All files (*.*)|*.*";
    EXPECT_EQ(form->OpenDialog1->Title, "Open configuration file ...");
    EXPECT_EQ(form->OpenDialog1->Filter, filter);
    EXPECT_EQ(form->OpenDialog1->FilterIndex, 1);
    EXPECT_EQ(form->OpenDialog1->DefaultExt, "ini");
    DWORD open = form->OpenDialog1->Flags();
    EXPECT_TRUE(open & OFN_HIDEREADONLY);
    EXPECT_TRUE(open & OFN_PATHMUSTEXIST);
    EXPECT_TRUE(open & OFN_FILEMUSTEXIST);
    EXPECT_FALSE(open & OFN_OVERWRITEPROMPT);

    EXPECT_EQ(form->SaveDialog1->Title, "Save configuration file as ...");
    EXPECT_EQ(form->SaveDialog1->Filter, filter);
    EXPECT_EQ(form->SaveDialog1->FilterIndex, 1);
    EXPECT_EQ(form->SaveDialog1->DefaultExt, "");
    DWORD save = form->SaveDialog1->Flags();
    EXPECT_TRUE(save & OFN_OVERWRITEPROMPT);
    EXPECT_TRUE(save & OFN_HIDEREADONLY);
    EXPECT_FALSE(save & OFN_FILEMUSTEXIST);

    const std::string buffer = form->OpenDialog1->FilterBuffer();
    static const char expected[] = "Configuration files (*.ini)\0*.ini\0All files (*.*)\0*.*\0";
    EXPECT_EQ(buffer, std::string(expected, sizeof expected));

    EXPECT_TRUE(form->ColorDialog1->Ctl3D);
}

TEST_F(Form1Test, ExitHidesTheWindowAndEndsTheMessageLoop) {
    ShowAndActivate();
    form->SpeedButton4->Click();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message is posted";
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(Form1Test, CloseBoxEndsTheMessageLoopLikeExit) {
    ShowAndActivate();
    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

TEST(Form1Lifetime, CreatingAndDestroyingTheWindowLeaksNoGdiObjects) {
    // A first window loads what is loaded once per process (classes, fonts).
    { Owned<glim::TForm1> warmUp(new glim::TForm1(nullptr)); }
    Pump();
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 3; ++i) {
        Owned<glim::TForm1> form(new glim::TForm1(nullptr));
        form->Show();
        UpdateWindow(form->Handle());
        Pump();
    }
    Pump();
    DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(after, before + 2) << "GDI objects before " << before << ", after " << after;
}

}  // namespace
