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

using namespace forms;
using namespace testutil;

namespace {

// Watches, in this thread, the boxes and dialogs that hide, and the owners
// that the modal services are handed.
class ModalWatch {
public:
    struct Hidden {
        HWND owner;
        bool ownerVisible, ownerEnabled;
    };
    struct Handed {
        HWND owner;
        bool visible, enabled;
    };

    ModalWatch() {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &OnMessage, nullptr, GetCurrentThreadId());
        // Each service runs the real one (a real box too, which the test
        // program otherwise refuses); the watch only notes the owner.
        wrap(
            &Services::MessageBox,
            [](auto) {
                return [](HWND owner, const char* text, const char* caption, UINT flags) {
                    Note(owner);
                    return ::MessageBoxA(owner, text, caption, flags);
                };
            });
        auto file = [](auto real) {
            return [real](OPENFILENAMEA& ofn) {
                Note(ofn.hwndOwner);
                return real(ofn);
            };
        };
        wrap(&Services::GetOpenFileName, file);
        wrap(&Services::GetSaveFileName, file);
        wrap(&Services::ChooseColor, [](auto real) {
            return [real](CHOOSECOLORA& cc) {
                Note(cc.hwndOwner);
                return real(cc);
            };
        });
        // The prompt finds its owner itself: the window active as it opens.
        wrap(&Services::PromptForText, [](auto real) {
            return [real](const std::string& caption, const std::string& prompt, std::string& value) {
                Note(GetActiveWindow());
                return real(caption, prompt, value);
            };
        });
    }
    ~ModalWatch() {
        UnhookWindowsHookEx(hook_);
        for (auto& undo : undo_) undo();
        current_ = nullptr;
    }
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    std::vector<Hidden> hidden;
    std::vector<Handed> handed;

private:
    template <typename F, typename Wrap>
    void wrap(F Services::*entry, Wrap make) {
        F saved = ModalServices().*entry;
        ModalServices().*entry = make(saved);
        undo_.push_back([entry, saved] { ModalServices().*entry = saved; });
    }
    static void Note(HWND owner) {
        if (current_)
            current_->handed.push_back({owner, IsWindowVisible(owner) != FALSE, IsWindowEnabled(owner) != FALSE});
    }
    static LRESULT CALLBACK OnMessage(int code, WPARAM wp, LPARAM lp) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && current_ && m->message == WM_WINDOWPOSCHANGING &&
            (reinterpret_cast<const WINDOWPOS*>(m->lParam)->flags & SWP_HIDEWINDOW) && IsWindowVisible(m->hwnd) &&
            !(GetWindowLongPtrA(m->hwnd, GWL_STYLE) & WS_CHILD) && WindowClass(m->hwnd) == "#32770") {
            HWND owner = GetWindow(m->hwnd, GW_OWNER);
            current_->hidden.push_back({owner, IsWindowVisible(owner) != FALSE, IsWindowEnabled(owner) != FALSE});
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static std::string WindowClass(HWND hwnd) {
        char name[16] = {};
        GetClassNameA(hwnd, name, sizeof name);
        return name;
    }

    static inline ModalWatch* current_ = nullptr;
    HHOOK hook_ = nullptr;
    std::vector<std::function<void()>> undo_;
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
        EXPECT_EQ(watch.handed[0].owner, form->Handle()) << "handed the window as owner";
        EXPECT_TRUE(watch.handed[0].visible && watch.handed[0].enabled)
            << "an owner disabled before the system sees it is not enabled again as the box goes";
        ASSERT_EQ(watch.hidden.size(), 1u);
        EXPECT_EQ(watch.hidden[0].owner, form->Handle());
        EXPECT_TRUE(watch.hidden[0].ownerVisible && watch.hidden[0].ownerEnabled) << "as the box hides";
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
    EXPECT_EQ(watch.handed[1].owner, prompt);
    EXPECT_TRUE(watch.handed[1].visible && watch.handed[1].enabled);
    ASSERT_EQ(watch.hidden.size(), 2u);
    EXPECT_EQ(watch.hidden[0].owner, prompt);
    EXPECT_TRUE(watch.hidden[0].ownerVisible && watch.hidden[0].ownerEnabled);
    EXPECT_EQ(watch.hidden[1].owner, form->Handle());

    ShowWindow(form->Handle(), SW_HIDE);
    watch.handed.clear();
    {
        WhenDialogOpens box(Close);
        form->Msg1->ShowText(msg32::mbInformation, "before the window shows");
    }
    ASSERT_EQ(watch.handed.size(), 1u);
    EXPECT_EQ(watch.handed[0].owner, Application->Handle());
}

}  // namespace
