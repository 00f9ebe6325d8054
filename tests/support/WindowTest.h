#pragma once
// Helpers of the window tests: pumping messages and reading windows back.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "forms/Application.h"
#include "forms/Controls.h"
#include "forms/Services.h"
#include "forms/Win.h"

#include <commctrl.h>

namespace testutil {

// Dispatches what is waiting as the message loop does (key preview, dialog
// keys), a bounded number of rounds. A quit message is left for a loop that
// owns it.
inline void Pump(int rounds = 3) {
    for (int i = 0; i < rounds; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            forms::Application->ProcessMessage(msg);
        }
        Sleep(5);
    }
}

// Owns a component without an owner, destroying it as an owner would.
struct ComponentDeleter {
    void operator()(forms::TComponent* c) const { forms::TComponent::Free(c); }
};
template <typename T>
using Owned = std::unique_ptr<T, ComponentDeleter>;

// Replaces one modal service for the lifetime of the object:
//   ServiceOverride guard(&Services::CopyFileA, [](...) { return FALSE; });
// The message box and the file dialogs have recording stand-ins of their own
// (ServiceStandIns.h).
template <typename F>
class ServiceOverride {
public:
    template <typename G>
    ServiceOverride(F forms::Services::*entry, G&& replacement) : entry_(entry), saved_(forms::ModalServices().*entry) {
        forms::ModalServices().*entry = std::forward<G>(replacement);
    }
    ~ServiceOverride() { forms::ModalServices().*entry_ = std::move(saved_); }
    ServiceOverride(const ServiceOverride&) = delete;
    ServiceOverride& operator=(const ServiceOverride&) = delete;

private:
    F forms::Services::*entry_;
    F saved_;
};

inline std::string WindowText(HWND hwnd) {
    char buffer[1024] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

// Counts the messages that fetch a window's text and the ones that set it,
// while it lives, and notes the screen cursor at each of them.
class TextTraffic {
public:
    explicit TextTraffic(HWND hwnd) : hwnd_(hwnd) {
        SetWindowSubclass(hwnd_, &Proc, kId, reinterpret_cast<DWORD_PTR>(this));
    }
    ~TextTraffic() { RemoveWindowSubclass(hwnd_, &Proc, kId); }
    TextTraffic(const TextTraffic&) = delete;
    TextTraffic& operator=(const TextTraffic&) = delete;

    int gets = 0;     // WM_GETTEXT
    int lengths = 0;  // WM_GETTEXTLENGTH
    int sets = 0;     // WM_SETTEXT
    std::vector<forms::TCursor> cursors;

private:
    static constexpr UINT_PTR kId = 0x7E57;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
        auto* self = reinterpret_cast<TextTraffic*>(ref);
        int* counter = msg == WM_GETTEXT         ? &self->gets
                       : msg == WM_GETTEXTLENGTH ? &self->lengths
                       : msg == WM_SETTEXT       ? &self->sets
                                                 : nullptr;
        if (counter) {
            ++*counter;
            self->cursors.push_back(forms::Screen ? forms::Screen->Cursor() : forms::crDefault);
        }
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    HWND hwnd_;
};

// The WM_GETTEXT messages that one fetch of a control's text sends: one, or
// two where the text is converted from Unicode on the way (the common
// controls 6 edit under Wine asks twice).
inline int GetTextsPerFetch(const forms::TWinControl& control) {
    TextTraffic traffic(control.Handle());
    (void)control.Text();
    return traffic.gets;
}

inline RECT ClientRectOf(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

// A window's rectangle relative to its parent's client area.
inline RECT RectInParent(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Presses and releases a key as the keyboard would: through the queue of
// the focused window and the application's message loop.
inline void PressKey(WORD key) {
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    Pump();
}

inline void TypeChar(char c) {
    PostMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
    Pump();
}

// Answers a real modal dialog from inside its own modal loop: a timer of this
// thread looks for a visible dialog window (class #32770) of the thread and
// hands it to the action once. Create it just before the call that opens the
// dialog; the action must close the dialog (post a key or a command). After
// `seconds` without a dialog it stops looking and TimedOut() says so.
class WhenDialogOpens {
public:
    explicit WhenDialogOpens(std::function<void(HWND)> action, int seconds = 15)
        : action_(std::move(action)), deadline_(GetTickCount64() + 1000ULL * seconds) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, &Tick);
    }
    ~WhenDialogOpens() {
        if (timer_) KillTimer(nullptr, timer_);
        if (current_ == this) current_ = nullptr;
    }
    WhenDialogOpens(const WhenDialogOpens&) = delete;
    WhenDialogOpens& operator=(const WhenDialogOpens&) = delete;

    bool Ran() const { return dialog_ != nullptr; }
    bool TimedOut() const { return timedOut_; }
    HWND Dialog() const { return dialog_; }

private:
    static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM lp) {
        char name[16] = {};
        GetClassNameA(hwnd, name, sizeof name);
        if (std::string(name) == "#32770" && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            *reinterpret_cast<HWND*>(lp) = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        WhenDialogOpens* self = current_;
        if (!self || !self->timer_) return;
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) {
            if (GetTickCount64() > self->deadline_) {
                self->timedOut_ = true;
                self->Stop();
            }
            return;
        }
        self->Stop();
        self->dialog_ = dialog;
        self->action_(dialog);
    }
    void Stop() {
        KillTimer(nullptr, timer_);
        timer_ = 0;
    }

    static inline WhenDialogOpens* current_ = nullptr;
    std::function<void(HWND)> action_;
    unsigned long long deadline_;
    UINT_PTR timer_ = 0;
    HWND dialog_ = nullptr;
    bool timedOut_ = false;
};

// The rectangle of a dialog's control in the dialog's client area.
inline RECT ControlRect(HWND dialog, int id) { return RectInParent(GetDlgItem(dialog, id)); }

// The width and height of a text in a window's font.
inline SIZE TextExtent(HWND hwnd, const std::string& text) {
    SIZE size{};
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size;
}

// A shown, active form of the program, for tests of what disables or owns it.
class WithShownForm : public testing::Test {
protected:
    explicit WithShownForm(const char* className) : className_(className) {}
    void SetUp() override {
        form.reset(new forms::TForm(
            nullptr, {.ClassName = className_, .Caption = "main", .ClientWidth = 200, .ClientHeight = 100}));
        form->Show();
        SetActiveWindow(form->Handle());
        Pump();
    }
    void TearDown() override {
        form.reset();
        Pump();
    }
    Owned<forms::TForm> form;

private:
    const char* className_;
};

// A control's client area as it paints itself, one COLORREF per pixel.
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;

    bool Holds(COLORREF colour) const { return std::find(pixels.begin(), pixels.end(), colour) != pixels.end(); }

    // The rows and columns holding a pixel other than the background.
    RECT Extent(COLORREF background) const {
        RECT e{width, height, -1, -1};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (pixels[static_cast<size_t>(y * width + x)] != background) {
                    e.left = std::min<LONG>(e.left, x);
                    e.top = std::min<LONG>(e.top, y);
                    e.right = std::max<LONG>(e.right, x + 1);
                    e.bottom = std::max<LONG>(e.bottom, y + 1);
                }
        return e;
    }
};

inline Picture Render(HWND hwnd) {
    Picture p;
    RECT r = ClientRectOf(hwnd);
    p.width = r.right;
    p.height = r.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), p.width, -p.height, 1, 32, BI_RGB};
    void* bits = nullptr;
    forms::WindowDC screen(nullptr);
    forms::BitmapHandle dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    forms::MemoryDC dc(CreateCompatibleDC(screen.Get()));
    {
        forms::ScopedSelect select(dc.Get(), dib.Get());
        SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        GdiFlush();
    }
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (int i = 0; i < p.width * p.height; ++i)
        p.pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    return p;
}

}  // namespace testutil
