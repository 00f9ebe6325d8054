// The text-input dialog: its layout in units of its font, and the real
// dialog, answered from inside its modal loop.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "forms/Controls.h"
#include "forms/InputDialog.h"
#include "tests/support/WindowTest.h"

using namespace forms;
using namespace testutil;

namespace {

TEST(PromptLayout, TheAverageWidthDropsTheRemainderAndTheUnitsRoundAsMulDiv) {
    // 52 letters 311 pixels wide: aw 5, not 6. Text height 13.
    const PromptLayout l = LayOutPrompt({311, 13}, {101, 13}, 21);
    EXPECT_EQ(l.ClientWidth, 225);   // 180 * 5 / 4
    EXPECT_EQ(l.ClientHeight, 102);  // 63 * 13 / 8 = 102.4
    EXPECT_EQ(l.Label, (DialogRect{10, 13, 101, 13}));
    EXPECT_EQ(l.Edit, (DialogRect{10, 31, 205, 21}));  // 19 * 13 / 8 = 30.9
    EXPECT_EQ(l.Ok, (DialogRect{48, 67, 63, 23}));     // 47.5 and 62.5 round up
    EXPECT_EQ(l.Cancel, (DialogRect{115, 67, 63, 23}));
}

// A visible form of the program, to see that the dialog disables it.
class InputDialogTest : public WithShownForm {
protected:
    InputDialogTest() : WithShownForm("TPromptTestForm") {}
    // Runs the real dialog; `answer` sees it and closes it.
    bool Prompt(std::string& value, std::function<void(HWND)> answer) {
        WhenDialogOpens when(std::move(answer));
        bool result = RunPromptForText("Menu Items ...", "Enter new caption ...", value);
        EXPECT_TRUE(when.Ran()) << "the dialog never showed";
        EXPECT_FALSE(when.Ran() && IsWindow(when.Dialog())) << "the dialog is destroyed";
        return result;
    }
    static HWND Edit(HWND dialog) { return GetNextDlgTabItem(dialog, nullptr, FALSE); }
    static void Post(HWND target, WORD key) {
        PostMessageA(target, WM_KEYDOWN, key, 1);
        PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    }
};

TEST_F(InputDialogTest, LayoutFontFocusAndOwnership) {
    std::string value = "&Copy Icon to clipboard";
    bool formEnabled = true;
    RECT window{}, client{}, label{}, edit{}, ok{}, cancel{};
    std::string caption, labelText, editText, okText, cancelText;
    LONG_PTR style = 0, exStyle = 0;
    HWND owner = nullptr, focus = nullptr, firstTab = nullptr;
    int afterEdit = 0, afterOk = 0;
    DWORD selStart = 1, selEnd = 0;
    LRESULT limit = 0, defId = 0;
    LOGFONTA font{};
    SIZE letters{}, promptSize{};

    bool result = Prompt(value, [&](HWND dialog) {
        formEnabled = IsWindowEnabled(form->Handle());
        caption = WindowText(dialog);
        owner = GetWindow(dialog, GW_OWNER);
        style = GetWindowLongPtrA(dialog, GWL_STYLE);
        exStyle = GetWindowLongPtrA(dialog, GWL_EXSTYLE);
        GetWindowRect(dialog, &window);
        GetClientRect(dialog, &client);
        firstTab = Edit(dialog);
        HWND editWnd = firstTab;
        HWND labelWnd = GetWindow(editWnd, GW_HWNDPREV);
        label = RectInParent(labelWnd);
        labelText = WindowText(labelWnd);
        edit = RectInParent(editWnd);
        editText = WindowText(editWnd);
        ok = ControlRect(dialog, IDOK);
        okText = WindowText(GetDlgItem(dialog, IDOK));
        cancel = ControlRect(dialog, IDCANCEL);
        cancelText = WindowText(GetDlgItem(dialog, IDCANCEL));
        focus = GetFocus();
        SendMessageA(editWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
        limit = SendMessageA(editWnd, EM_GETLIMITTEXT, 0, 0);
        defId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
        HWND second = GetNextDlgTabItem(dialog, editWnd, FALSE);
        afterEdit = GetDlgCtrlID(second);
        afterOk = GetDlgCtrlID(GetNextDlgTabItem(dialog, second, FALSE));
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(editWnd, WM_GETFONT, 0, 0)), sizeof font, &font);
        letters = TextExtent(editWnd, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        promptSize = TextExtent(labelWnd, "Enter new caption ...");
        Post(editWnd, VK_ESCAPE);
    });

    EXPECT_FALSE(result);
    EXPECT_FALSE(formEnabled) << "the program's windows are disabled while the dialog is up";
    EXPECT_TRUE(IsWindowEnabled(form->Handle())) << "and enabled again afterwards";
    EXPECT_EQ(GetActiveWindow(), form->Handle()) << "the window active before is active again";

    EXPECT_EQ(caption, "Menu Items ...");
    EXPECT_EQ(owner, form->Handle());
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME) << "dialog frame";
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "fixed size";
    EXPECT_TRUE(style & WS_SYSMENU) << "close box";

    // The system's message font.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_STREQ(font.lfFaceName, metrics.lfMessageFont.lfFaceName);
    EXPECT_EQ(font.lfHeight, metrics.lfMessageFont.lfHeight);

    // Units of that font, worked out here with MulDiv.
    const int aw = letters.cx / 52, ch = letters.cy;
    ASSERT_GT(aw, 0);
    auto X = [&](int n) { return MulDiv(n, aw, 4); };
    auto Y = [&](int n) { return MulDiv(n, ch, 8); };
    EXPECT_EQ(client.right, X(180));
    EXPECT_EQ(client.bottom, Y(63));
    const int width = window.right - window.left, height = window.bottom - window.top;
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2) << "centred on the screen";
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);

    EXPECT_EQ(labelText, "Enter new caption ...");
    EXPECT_EQ(label.left, X(8));
    EXPECT_EQ(label.top, Y(8));
    EXPECT_EQ(label.right - label.left, promptSize.cx) << "sized to its text";
    EXPECT_EQ(label.bottom - label.top, promptSize.cy);

    EXPECT_EQ(editText, "&Copy Icon to clipboard");
    EXPECT_EQ(edit.left, label.left);
    EXPECT_EQ(edit.top, Y(19));
    EXPECT_EQ(edit.right - edit.left, X(164));
    EXPECT_EQ(edit.bottom - edit.top, ch + 8 * GetSystemMetrics(SM_CYBORDER));

    EXPECT_EQ(okText, "OK");
    EXPECT_EQ(ok.left, X(38));
    EXPECT_EQ(ok.top, Y(41));
    EXPECT_EQ(ok.right - ok.left, X(50));
    EXPECT_EQ(ok.bottom - ok.top, Y(14));
    EXPECT_EQ(cancelText, "Cancel");
    EXPECT_EQ(cancel.left, X(92));
    EXPECT_EQ(cancel.top, Y(41));
    EXPECT_EQ(cancel.right - cancel.left, X(50));
    EXPECT_EQ(cancel.bottom - cancel.top, Y(14));

    EXPECT_EQ(focus, firstTab) << "the edit box has the focus";
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, value.size()) << "its whole text selected";
    EXPECT_EQ(limit, 255);
    EXPECT_EQ(defId, MAKELRESULT(IDOK, DC_HASDEFID)) << "OK is the default button";
    EXPECT_EQ(afterEdit, IDOK) << "tab order: edit, OK, Cancel";
    EXPECT_EQ(afterOk, IDCANCEL);
    EXPECT_EQ(value, "&Copy Icon to clipboard") << "Esc changes nothing";
}

TEST_F(InputDialogTest, EnterTakesTheTypedTextWhichReplacesTheSelection) {
    std::string value = "old caption";
    bool result = Prompt(value, [&](HWND dialog) {
        HWND edit = Edit(dialog);
        for (char c : std::string("Ne&w  ")) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
        Post(edit, VK_RETURN);
    });
    EXPECT_TRUE(result);
    EXPECT_EQ(value, "Ne&w  ") << "taken as typed, blanks and all";
}

TEST_F(InputDialogTest, OkWithAnEmptyBoxGivesAnEmptyText) {
    std::string value = "About ...";
    bool result = Prompt(value, [&](HWND dialog) {
        HWND edit = Edit(dialog);
        Post(edit, VK_DELETE);  // the selection goes
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(result);
    EXPECT_EQ(value, "");
}

TEST_F(InputDialogTest, TypingStopsAt255Characters) {
    std::string value;
    bool result = Prompt(value, [&](HWND dialog) {
        HWND edit = Edit(dialog);
        for (int i = 0; i < 300; ++i) PostMessageA(edit, WM_CHAR, 'a' + i % 26, 1);
        Post(edit, VK_RETURN);
    });
    EXPECT_TRUE(result);
    EXPECT_EQ(value.size(), 255u);
    EXPECT_EQ(value.substr(0, 3), "abc");
}

TEST_F(InputDialogTest, CancelButtonAndCloseBoxLeaveTheValueAlone) {
    struct Way {
        const char* name;
        std::function<void(HWND)> close;
    };
    const Way ways[] = {
        {"Cancel button", [](HWND d) { PostMessageA(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); }},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Way& way : ways) {
        std::string value = "Save Icon as *.&ICO ...";
        bool result = Prompt(value, [&](HWND dialog) {
            PostMessageA(Edit(dialog), WM_CHAR, 'x', 1);  // typed, then thrown away
            way.close(dialog);
        });
        EXPECT_FALSE(result) << way.name;
        EXPECT_EQ(value, "Save Icon as *.&ICO ...") << way.name;
        EXPECT_TRUE(IsWindowEnabled(form->Handle())) << way.name;
    }
}

// Moved to a monitor of twice the scale, the prompt takes the message font
// of that scale and lays itself out in it where Windows suggests, as the
// window does.
TEST_F(InputDialogTest, FollowsAChangeOfScale) {
    std::string value = "caption";
    LOGFONTA before{}, after{};
    SIZE letters{}, promptSize{};
    RECT client{}, window{}, ok{};
    const int dpi = 2 * GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSY);
    Prompt(value, [&](HWND dialog) {
        HWND edit = Edit(dialog);
        auto font = [edit](LOGFONTA& f) {
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)), sizeof f, &f);
        };
        font(before);
        RECT suggested{10, 20, 600, 400};
        SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        font(after);
        letters = TextExtent(edit, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        promptSize = TextExtent(GetWindow(edit, GW_HWNDPREV), "Enter new caption ...");
        client = ClientRectOf(dialog);
        GetWindowRect(dialog, &window);
        ok = ControlRect(dialog, IDOK);
        Post(edit, VK_ESCAPE);
    });
    EXPECT_EQ(after.lfHeight, 2 * before.lfHeight) << "the message font of the new scale";
    const PromptLayout layout = LayOutPrompt(letters, promptSize, 0);
    EXPECT_EQ(client.right, layout.ClientWidth);
    EXPECT_EQ(client.bottom, layout.ClientHeight);
    EXPECT_EQ((DialogRect{ok.left, ok.top, ok.right - ok.left, ok.bottom - ok.top}), layout.Ok);
    EXPECT_EQ(window.left, 10);
    EXPECT_EQ(window.top, 20);
}

}  // namespace
