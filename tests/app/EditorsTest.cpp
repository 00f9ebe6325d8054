// The menu-caption, colour and About-preview editors of the real window. The
// icon menu is the real one, read and answered while it is open; the input
// and colour dialogs and the boxes are answered through their entry points,
// and once each for real.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "tests/support/ProfileTestSupport.h"
#include "tests/app/Form1Fixture.h"
#include "tests/support/ServiceStandIns.h"
#include "tests/support/WindowTest.h"

#include <commdlg.h>

using namespace forms;
using namespace testutil;

namespace {

const std::string k13(13, ' ');

// Hands the icon menu to an action while it is open: a timer of this thread
// looks for the visible menu window (class #32768). The action must close the
// menu, with a choice or without.
class WhenMenuOpens {
public:
    explicit WhenMenuOpens(std::function<void(HWND window, HMENU menu)> action, int seconds = 10)
        : action_(std::move(action)), deadline_(GetTickCount64() + 1000ULL * seconds) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, &Tick);
    }
    ~WhenMenuOpens() {
        if (timer_) KillTimer(nullptr, timer_);
        if (current_ == this) current_ = nullptr;
    }
    WhenMenuOpens(const WhenMenuOpens&) = delete;
    WhenMenuOpens& operator=(const WhenMenuOpens&) = delete;

    bool Ran() const { return ran_; }

    // The thread's open menu window, if any.
    static HWND OpenMenuWindow() {
        HWND found = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM lp) -> BOOL {
                char name[16] = {};
                GetClassNameA(hwnd, name, sizeof name);
                if (std::string(name) == "#32768" && IsWindowVisible(hwnd)) {
                    *reinterpret_cast<HWND*>(lp) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        WhenMenuOpens* self = current_;
        if (!self || !self->timer_) return;
        HWND window = OpenMenuWindow();
        HMENU menu = window ? reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0)) : nullptr;
        if (!menu) {
            if (GetTickCount64() > self->deadline_) {
                self->Stop();
                EndMenu();
            }
            return;
        }
        self->Stop();
        self->ran_ = true;
        self->action_(window, menu);
    }
    void Stop() {
        KillTimer(nullptr, timer_);
        timer_ = 0;
    }

    static inline WhenMenuOpens* current_ = nullptr;
    std::function<void(HWND, HMENU)> action_;
    unsigned long long deadline_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

// The open menu as its user sees it: captions, and an empty text for a
// separator line.
std::vector<std::string> MenuLines(HMENU menu) {
    std::vector<std::string> lines;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA info{sizeof info, MIIM_FTYPE};
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        char text[256] = {};
        if (!(info.fType & MFT_SEPARATOR)) GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        lines.push_back(text);
    }
    return lines;
}

// Chooses the n-th item that can be chosen (1 = the first) with the keyboard,
// as a user would: the arrow keys skip the separator lines.
void ChooseWithKeys(HWND menuWindow, int n) {
    for (int i = 0; i < n; ++i) {
        PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 1);
        PostMessageA(menuWindow, WM_KEYUP, VK_DOWN, 0xC0000001);
    }
    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(menuWindow, WM_KEYUP, VK_RETURN, 0xC0000001);
}

struct Prompt {
    int calls = 0;
    std::string caption, prompt, value;
    bool menuOpen = false;
};

class EditorsTest : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        form->OnActivate = {};  // no load at the first activation
        ShowActive();
    }

    // Answers the text prompt with `answer` and OK, or with Cancel.
    ServiceOverride<decltype(Services::PromptForText)> AnswerPrompt(bool ok, std::string answer) {
        return {&Services::PromptForText,
                [this, ok, answer](const std::string& caption, const std::string& prompt, std::string& value) {
                    prompt_ = {prompt_.calls + 1, caption, prompt, value, WhenMenuOpens::OpenMenuWindow() != nullptr};
                    if (ok) value = answer;
                    return ok;
                }};
    }
    // Answers the colour dialog: records what it was given, may define custom
    // colour `slot` and closes with OK (and `chosen`) or Cancel.
    ColorDialogStandIn AnswerColor(BOOL ok, COLORREF chosen = 0, int slot = -1, COLORREF defined = 0) {
        return {color_, ok, chosen, slot, defined};
    }

    // Clicks a control with the left button, through its window procedure.
    static void Click(HWND hwnd) {
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        Pump();
    }

    // The colour on screen inside the preview box, right of the icon.
    COLORREF PreviewPixel() {
        HWND box = form->ScrollBox1->Handle();
        RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT r = ClientRectOf(box);
        HDC dc = GetDC(box);
        COLORREF pixel = GetPixel(dc, r.right - 5, r.bottom / 2);
        ReleaseDC(box, dc);
        return pixel;
    }

    Prompt prompt_;
    ColorRequest color_;
};

// ---- the icon menu -----------------------------------------------------------

TEST_F(EditorsTest, MenuOpensAtTheCursorWithSevenChoicesTwoLinesAndNeverHelpAndWakesItsOwner) {
    auto prompt = AnswerPrompt(true, "never");
    const POINT at{300, 200};
    SetCursorPos(at.x, at.y);
    RECT where{};
    std::vector<std::string> lines;
    {
        WhenMenuOpens when([&](HWND window, HMENU menu) {
            GetWindowRect(window, &where);
            lines = MenuLines(menu);
            PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
        });
        form->SpeedButton1->Click();
        ASSERT_TRUE(when.Ran()) << "no menu opened";
    }
    EXPECT_EQ(where.left, at.x);
    EXPECT_EQ(where.top, at.y);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"&Copy Icon to clipboard", "Save Icon as *.&ICO ...", "Save Icon as *.&BMP ...",
                                        "", "Backgr&ound color ...", "&Website ...", "&E-mail ...", "", "&About ..."}));
    EXPECT_EQ(prompt_.calls, 0) << "dismissed without a choice: nothing happens";
    EXPECT_EQ(WhenMenuOpens::OpenMenuWindow(), nullptr);

    // The menu follows the cursor, and a hidden item stays out wherever it is.
    form->Help1->SetCaption("&Help me");
    SetCursorPos(120, 90);
    {
        WhenMenuOpens when([&](HWND window, HMENU menu) {
            GetWindowRect(window, &where);
            lines = MenuLines(menu);
            EndMenu();
        });
        form->SpeedButton1->Click();
        ASSERT_TRUE(when.Ran());
    }
    // Windows needs a message to the owner after the menu closes, or the next
    // opening can close at once.
    bool nullPosted = false;
    for (MSG msg; PeekMessageA(&msg, form->Handle(), 0, 0, PM_REMOVE);) nullPosted |= msg.message == WM_NULL;
    EXPECT_TRUE(nullPosted);
    EXPECT_EQ(where.left, 120);
    EXPECT_EQ(where.top, 90);
    EXPECT_EQ(lines.size(), 9u);
    for (const std::string& line : lines) EXPECT_EQ(line.find("Help"), std::string::npos) << line;
}

TEST_F(EditorsTest, ChoosingAnItemAsksForItsCaptionAfterTheMenuClosedAndTheMenuShowsTheNewOne) {
    auto prompt = AnswerPrompt(true, "New b&ackground");
    SetCursorPos(300, 200);
    {
        WhenMenuOpens when([](HWND window, HMENU) { ChooseWithKeys(window, 4); });
        form->SpeedButton1->Click();
        ASSERT_TRUE(when.Ran());
    }
    EXPECT_EQ(prompt_.calls, 1);
    EXPECT_FALSE(prompt_.menuOpen) << "the caption is asked for once the menu has closed";
    EXPECT_EQ(prompt_.caption, "Menu Items ...");
    EXPECT_EQ(prompt_.prompt, "Enter new caption ...");
    EXPECT_EQ(prompt_.value, "Backgr&ound color ...") << "the dialog starts from the current caption";
    EXPECT_EQ(form->Setbackgroundcolor1->Caption(), "New b&ackground");

    std::vector<std::string> lines;
    {
        WhenMenuOpens when([&](HWND window, HMENU menu) {
            lines = MenuLines(menu);
            PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
        });
        form->SpeedButton1->Click();
        ASSERT_TRUE(when.Ran());
    }
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[4], "New b&ackground");
    EXPECT_EQ(prompt_.calls, 1);
}

// ---- SetCaption ----------------------------------------------------------------

TEST_F(EditorsTest, OnlyAConfirmedTextThatIsNotEmptyBecomesTheCaptionExactlyAsTyped) {
    MessageBoxRecorder boxes;
    struct Case {
        bool ok;
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {true, "&Website ...", "&Website ..."},  // OK without a change
        {true, "", "&Website ..."},              // OK with an empty text
        {false, "typed, then cancelled", "&Website ..."},
        {true, "   ", "   "},  // blanks are text
        {true, " &Visit us  ", " &Visit us  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        form->Internet1->SetCaption("&Website ...");
        auto prompt = AnswerPrompt(c.ok, c.typed);
        form->SetCaption(form->Internet1);
        EXPECT_EQ(prompt_.value, "&Website ...");
        EXPECT_EQ(form->Internet1->Caption(), c.expected);
    }
    EXPECT_EQ(boxes.Count(), 0) << "no message in any case";
}

TEST_F(EditorsTest, ACaptionOfADashMakesTheItemASeparatorThatCannotBeChosen) {
    auto prompt = AnswerPrompt(true, "-");
    form->SetCaption(form->EMail1);
    EXPECT_EQ(form->EMail1->Caption(), "-");
    EXPECT_TRUE(form->EMail1->IsLine());

    std::vector<std::string> lines;
    SetCursorPos(300, 200);
    {
        WhenMenuOpens when([&](HWND window, HMENU menu) {
            lines = MenuLines(menu);
            // The last choice that is left: the arrow keys skip three lines now.
            ChooseWithKeys(window, 6);
        });
        form->SpeedButton1->Click();
        ASSERT_TRUE(when.Ran());
    }
    EXPECT_EQ(lines,
              (std::vector<std::string>{"&Copy Icon to clipboard", "Save Icon as *.&ICO ...", "Save Icon as *.&BMP ...",
                                        "", "Backgr&ound color ...", "&Website ...", "", "", "&About ..."}));
    EXPECT_EQ(prompt_.value, "&About ...");
    EXPECT_EQ(form->About1->Caption(), "-");
}

TEST_F(EditorsTest, ASenderThatIsNoMenuItemIsAnError) {
    auto prompt = AnswerPrompt(true, "x");
    EXPECT_THROW(form->SetCaption(form->Edit1), Exception);
    EXPECT_THROW(form->SetCaption(nullptr), Exception);
    EXPECT_EQ(prompt_.calls, 0);
    EXPECT_EQ(form->Edit1->Text(), "Glimsel");
}

TEST_F(EditorsTest, TheRealInputDialogShowsTheCaptionAndCancelKeepsIt) {
    std::string title, edit;
    {
        WhenDialogOpens when([&](HWND dialog) {
            title = WindowText(dialog);
            edit = WindowText(GetDlgItem(dialog, 100));
            SetDlgItemTextA(dialog, 100, "changed");
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        form->SetCaption(form->Copytoclipboard1);
        ASSERT_TRUE(when.Ran());
    }
    EXPECT_EQ(title, "Menu Items ...");
    EXPECT_EQ(edit, "&Copy Icon to clipboard");
    EXPECT_EQ(form->Copytoclipboard1->Caption(), "&Copy Icon to clipboard");
    {
        WhenDialogOpens when([&](HWND dialog) {
            SetDlgItemTextA(dialog, 100, "&Copy  ");
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        form->SetCaption(form->Copytoclipboard1);
        ASSERT_TRUE(when.Ran());
    }
    EXPECT_EQ(form->Copytoclipboard1->Caption(), "&Copy  ");
}

// ---- the preview colour ---------------------------------------------------------

TEST_F(EditorsTest, NoColourChosenStartsAtTheDesktopColourAndOkWithoutAChangeMakesItARealColour) {
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    auto answer = AnswerColor(TRUE, desktop);
    form->SpeedButton2->Click();
    EXPECT_EQ(color_.calls, 1);
    EXPECT_EQ(color_.start, desktop);
    EXPECT_EQ(form->ScrollBox1->Color(), static_cast<TColor>(desktop)) << "a plain RGB value, not a system colour";
    EXPECT_EQ(form->ColorDialog1->Color, static_cast<TColor>(desktop));
}

TEST_F(EditorsTest, AChosenColourShowsAndCancelGoesBackToNoColour) {
    {
        auto answer = AnswerColor(TRUE, RGB(0, 128, 255));
        form->SpeedButton2->Click();
    }
    EXPECT_EQ(form->ScrollBox1->Color(), static_cast<TColor>(RGB(0, 128, 255)));
    EXPECT_EQ(PreviewPixel(), RGB(0, 128, 255)) << "the box is repainted in the new colour";
    {
        auto answer = AnswerColor(FALSE, RGB(9, 9, 9));
        form->SpeedButton2->Click();
    }
    EXPECT_EQ(color_.start, RGB(0, 128, 255)) << "the dialog starts from the preview colour";
    EXPECT_EQ(form->ScrollBox1->Color(), static_cast<TColor>(0x80000001));
    EXPECT_EQ(PreviewPixel(), GetSysColor(COLOR_BACKGROUND));

    // A dialog that cannot open counts as cancelled.
    form->ScrollBox1->SetColor(static_cast<TColor>(RGB(1, 2, 3)));
    {
        ServiceOverride<decltype(Services::ChooseColorA)> failing(&Services::ChooseColorA,
                                                                  [](CHOOSECOLORA&) -> BOOL { return FALSE; });
        form->SpeedButton2->Click();
    }
    EXPECT_EQ(form->ScrollBox1->Color(), static_cast<TColor>(0x80000001));
}

TEST_F(EditorsTest, ThePreviewBoxAndItsIconOpenTheColourDialogToo) {
    auto answer = AnswerColor(TRUE, RGB(10, 20, 30));
    Click(form->ScrollBox1->Handle());
    EXPECT_EQ(color_.calls, 1);
    EXPECT_EQ(form->ScrollBox1->Color(), static_cast<TColor>(RGB(10, 20, 30)));
    Click(form->Image1->Handle());
    EXPECT_EQ(color_.calls, 2);
    EXPECT_EQ(color_.start, RGB(10, 20, 30));
    Click(form->SpeedButton2->Handle());
    EXPECT_EQ(color_.calls, 3);
}

TEST_F(EditorsTest, CustomColoursStayForTheRunAfterOkButNotAfterCancel) {
    {
        auto answer = AnswerColor(TRUE, RGB(1, 1, 1), 2, RGB(200, 100, 50));
        form->SpeedButton2->Click();
    }
    for (COLORREF c : color_.custom) EXPECT_EQ(c, RGB(255, 255, 255)) << "none defined at the first opening";
    {
        auto answer = AnswerColor(FALSE, 0, 7, RGB(7, 7, 7));
        form->SpeedButton2->Click();
    }
    EXPECT_EQ(color_.custom[2], RGB(200, 100, 50));
    {
        auto answer = AnswerColor(FALSE);
        form->SpeedButton2->Click();
    }
    EXPECT_EQ(color_.custom[2], RGB(200, 100, 50));
    EXPECT_EQ(color_.custom[7], RGB(255, 255, 255)) << "defined in a cancelled dialog: gone";
}

TEST_F(EditorsTest, TheRealColourDialogOpensAtTheDesktopColourAndOkKeepsIt) {
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    std::string red, green, blue;
    {
        WhenDialogOpens when([&](HWND dialog) {
            red = WindowText(GetDlgItem(dialog, 706));
            green = WindowText(GetDlgItem(dialog, 707));
            blue = WindowText(GetDlgItem(dialog, 708));
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        form->SpeedButton2->Click();
        ASSERT_TRUE(when.Ran());
    }
    EXPECT_EQ(red, std::to_string(GetRValue(desktop)));
    EXPECT_EQ(green, std::to_string(GetGValue(desktop)));
    EXPECT_EQ(blue, std::to_string(GetBValue(desktop)));
    EXPECT_EQ(form->ScrollBox1->Color(), static_cast<TColor>(desktop));
}

TEST_F(EditorsTest, TheDesktopColourConfirmedUnchangedIsSavedAsAColourAndCancelSavesNone) {
    profiletest::TempFolder folder;
    form->CommandLineProfile = folder.File("colour.ini");
    auto readColor = [&] {
        char value[64] = {};
        GetPrivateProfileStringA("Options", "Color", "(missing)", value, sizeof value,
                                 form->CommandLineProfile.c_str());
        return std::string(value);
    };
    char expected[16];
    std::snprintf(expected, sizeof expected, "$%06lX", static_cast<unsigned long>(GetSysColor(COLOR_BACKGROUND)));
    {
        // OK without touching anything: the dialog hands back its start colour.
        ServiceOverride<decltype(Services::ChooseColorA)> ok(&Services::ChooseColorA,
                                                             [](CHOOSECOLORA&) -> BOOL { return TRUE; });
        form->SpeedButton2->Click();
    }
    form->SpeedButton3->Click();
    EXPECT_EQ(readColor(), expected);
    {
        auto cancel = AnswerColor(FALSE);
        form->SpeedButton2->Click();
    }
    form->SpeedButton3->Click();
    EXPECT_EQ(readColor(), "") << "no colour chosen is saved as an empty value";
}

// ---- the About preview ----------------------------------------------------------

TEST_F(EditorsTest, TheAboutPreviewShowsSixLinesInAnInformationBox) {
    MessageBoxRecorder boxes;
    form->Msg1->BoxCaption = "Glimsel - Configuration";
    form->Memo2->Lines().Assign(std::vector<std::string>{"", "A 100%% tool", "", "B", "", "", "seventh"});
    Click(form->SpeedButton5->Handle());
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "\r\nA 100% tool" + k13 + "\r\n\r\nB\r\n\r\n\r\n") << "%% shows as one %";
    EXPECT_EQ(boxes.Last().caption, "Glimsel - Configuration");
    EXPECT_EQ(boxes.Last().flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(boxes.Last().flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(form->Memo2->Lines().Count(), 7) << "the preview changes nothing";

    form->Memo2->SetText("");
    Click(form->SpeedButton5->Handle());
    EXPECT_EQ(boxes.Count(), 2) << "an empty memo still shows a box";
    EXPECT_EQ(boxes.Last().text, "\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(EditorsTest, AStrayPercentSignShowsTheErrorInsteadOfThePreview) {
    MessageBoxRecorder boxes;
    form->Memo2->Lines().Assign(std::vector<std::string>{"50% off"});
    Click(form->SpeedButton5->Handle());
    EXPECT_EQ(boxes.Count(), 1) << "one box: the error, not the preview";
    EXPECT_EQ(boxes.Last().flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_NE(boxes.Last().text.find("50% off"), std::string::npos) << boxes.Last().text;
    EXPECT_NE(boxes.Last().text.find("invalid"), std::string::npos) << boxes.Last().text;
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

}  // namespace
