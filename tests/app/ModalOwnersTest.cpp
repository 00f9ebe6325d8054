// Every box and dialog of the window, opened for real and closed. Windows
// brings a window's own boxes up with it from the task bar and Alt+Tab, opens
// them on its monitor, and hands the activation back to a box's owner only
// when that owner is visible and enabled as the box hides. A dialog enables
// again only an owner that it disabled itself, so the owner must still be
// enabled when it is handed to the system. Wine forgives a stranger as owner
// and an owner disabled too early; these tests do not.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/app/Form1Fixture.h"
#include "tests/support/WindowTest.h"

#include <commdlg.h>

using namespace forms;
using namespace testutil;

namespace {

// An owner as a box found it: which window, and whether visible and enabled.
struct Owner {
    HWND hwnd;
    bool visible, enabled;
    static Owner Of(HWND hwnd) { return {hwnd, IsWindowVisible(hwnd) != FALSE, IsWindowEnabled(hwnd) != FALSE}; }
};

// Watches, in this thread, the owners that the modal services are handed
// (each still runs the real one, a real box too, which the test program
// otherwise refuses) and the owners of the boxes and dialogs as they hide.
class ModalWatch {
public:
    ModalWatch() : hook_(SetWindowsHookExA(WH_CALLWNDPROC, &OnMessage, nullptr, GetCurrentThreadId())) {
        current_ = this;
    }
    ~ModalWatch() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    std::vector<Owner> handed, hidden;

private:
    using File = std::function<BOOL(OPENFILENAMEA&)>;
    static File NotingFile(File real) {
        return [real](OPENFILENAMEA& ofn) { return Note(ofn.hwndOwner), real(ofn); };
    }
    static void Note(HWND owner) { current_->handed.push_back(Owner::Of(owner)); }
    static LRESULT CALLBACK OnMessage(int code, WPARAM wp, LPARAM lp) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        char name[16] = {};
        if (code == HC_ACTION && m->message == WM_WINDOWPOSCHANGING &&
            (reinterpret_cast<const WINDOWPOS*>(m->lParam)->flags & SWP_HIDEWINDOW) && IsWindowVisible(m->hwnd) &&
            !(GetWindowLongPtrA(m->hwnd, GWL_STYLE) & WS_CHILD) && GetClassNameA(m->hwnd, name, sizeof name) &&
            std::string(name) == "#32770")
            current_->hidden.push_back(Owner::Of(GetWindow(m->hwnd, GW_OWNER)));
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    static inline ModalWatch* current_ = nullptr;
    HHOOK hook_;
    ServiceOverride<decltype(Services::MessageBoxA)> box_{
        &Services::MessageBoxA, [](HWND owner, const char* text, const char* caption, UINT flags) {
            return Note(owner), ::MessageBoxA(owner, text, caption, flags);
        }};
    ServiceOverride<File> open_{&Services::GetOpenFileNameA, NotingFile(ModalServices().GetOpenFileNameA)};
    ServiceOverride<File> save_{&Services::GetSaveFileNameA, NotingFile(ModalServices().GetSaveFileNameA)};
    ServiceOverride<decltype(Services::ChooseColorA)> colour_{
        &Services::ChooseColorA,
        [real = ModalServices().ChooseColorA](CHOOSECOLORA& cc) { return Note(cc.hwndOwner), real(cc); }};
    // The prompt finds its owner itself: the window active as it opens.
    ServiceOverride<decltype(Services::PromptForText)> prompt_{
        &Services::PromptForText,
        [real = ModalServices().PromptForText](const std::string& c, const std::string& p, std::string& v) {
            return Note(GetActiveWindow()), real(c, p, v);
        }};
};

class ModalOwnersTest : public Form1Fixture {};

void Close(HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

TEST_F(ModalOwnersTest, EveryBoxAndDialogBelongsToTheWindowThatOpenedItAndFindsItEnabledAsItGoes) {
    ShowActive();
    struct Row {
        const char* kind;
        std::function<void(glim::TForm1&)> open;
    };
    const Row rows[] = {
        {"the window's message box", [](glim::TForm1& f) { f.SpeedButton5Click(nullptr); }},
        {"the colour dialog", [](glim::TForm1& f) { f.SpeedButton2Click(nullptr); }},
        {"the caption prompt", [](glim::TForm1& f) { f.SetCaption(f.Copytoclipboard1); }},
        {"the Open dialog", [](glim::TForm1& f) { f.OpenBtnClick(nullptr); }},
        {"the Save as dialog", [](glim::TForm1& f) { f.SaveAsBtnClick(nullptr); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        ModalWatch watch;
        {
            WhenDialogOpens when(Close);
            row.open(*form);
            EXPECT_TRUE(when.Ran());
        }
        ASSERT_EQ(watch.handed.size(), 1u);
        EXPECT_EQ(watch.handed[0].hwnd, form->Handle()) << "handed the window as owner";
        EXPECT_TRUE(watch.handed[0].visible && watch.handed[0].enabled)
            << "an owner disabled before the system sees it is not enabled again as the box goes";
        ASSERT_EQ(watch.hidden.size(), 1u);
        EXPECT_EQ(watch.hidden[0].hwnd, form->Handle());
        EXPECT_TRUE(watch.hidden[0].visible && watch.hidden[0].enabled) << "as the box hides";
        EXPECT_TRUE(IsWindowEnabled(form->Handle()));
        EXPECT_EQ(GetActiveWindow(), form->Handle());
    }
}

// A box opened while a dialog of the window is up belongs to that dialog; a
// box before the window first shows, to the application's hidden window.
TEST_F(ModalOwnersTest, ABoxAboveADialogBelongsToTheDialogAndOneBeforeAnyWindowToTheApplication) {
    ShowActive();
    ModalWatch watch;
    HWND prompt = nullptr;
    {
        WhenDialogOpens when([&](HWND dialog) {
            prompt = dialog;
            WhenDialogOpens box(Close);
            form->Msg1->ShowText(msg32::mbInformation, "above the prompt");
            Close(dialog);
        });
        form->SetCaption(form->Copytoclipboard1);
    }
    ASSERT_EQ(watch.handed.size(), 2u);
    EXPECT_EQ(watch.handed[1].hwnd, prompt);
    EXPECT_TRUE(watch.handed[1].visible && watch.handed[1].enabled);
    ASSERT_EQ(watch.hidden.size(), 2u);
    EXPECT_EQ(watch.hidden[0].hwnd, prompt);
    EXPECT_TRUE(watch.hidden[0].visible && watch.hidden[0].enabled);
    EXPECT_EQ(watch.hidden[1].hwnd, form->Handle());

    ShowWindow(form->Handle(), SW_HIDE);
    watch.handed.clear();
    {
        WhenDialogOpens box(Close);
        form->Msg1->ShowText(msg32::mbInformation, "before the window shows");
    }
    ASSERT_EQ(watch.handed.size(), 1u);
    EXPECT_EQ(watch.handed[0].hwnd, Application->Handle());
}

}  // namespace
