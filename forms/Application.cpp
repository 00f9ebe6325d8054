#include "forms/Application.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "forms/Controls.h"
#include "forms/Services.h"

namespace forms {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {
constexpr char kAppClass[] = "TApplication";

LRESULT CALLBACK AppWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd, msg, wp, lp); }
}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
    Application = this;
    if (!Screen) Screen = new TScreen();
}

TApplication::~TApplication() {
    // The forms go first, while the screen and the error handling still exist.
    while (ComponentCount() > 0) Free(Components(ComponentCount() - 1));
    if (handle_) DestroyWindow(handle_);
    if (Application == this) Application = nullptr;
    delete Screen;
    Screen = nullptr;
}

void TApplication::Initialize() {
    if (handle_) return;
    // Whatever DLL is loaded from now on, and whatever those load in turn,
    // comes from the system folder, never from the program's own. Found at
    // run time: Windows 7 has it only with an update.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    if (auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories"))))
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Only the tooltips come from the common controls.
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, kAppClass, &wc)) {
        wc.lpfnWndProc = AppWndProc;
        wc.hInstance = instance;
        wc.lpszClassName = kAppClass;
        wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
        RegisterClassA(&wc);
    }
    // Never shown: it owns the application's message boxes. It has no text, so
    // looking a window up by the title finds the form, never this one.
    handle_ = CreateWindowExA(0, kAppClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0, nullptr, nullptr,
                              instance, nullptr);
}

HMODULE LoadSystemLibrary(const char* name) {
    if (HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    // Windows 7 without its loader update knows no search flags: the full
    // path of the system folder says the same.
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    char folder[MAX_PATH];
    const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    return LoadLibraryA((std::string(folder, n) + "\\" + name).c_str());
}

void TApplication::SetTitle(const std::string& title) { title_ = title; }

std::string TApplication::ExeName() const {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

int TApplication::Run() {
    if (mainForm_) mainForm_->Show();
    MSG msg{};
    for (;;) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        ProcessMessage(msg);
    }
    terminated_ = true;
    return static_cast<int>(msg.wParam);
}

void TApplication::ProcessMessage(MSG& msg) {
    if (PreviewKey(msg)) return;
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && TForm::FromHandle(root) && IsDialogMessageA(root, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

// A form with KeyPreview sees key presses before the focused control; a
// handler that sets the key to 0 keeps it from the control.
bool TApplication::PreviewKey(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    TForm* form = root ? TForm::FromHandle(root) : nullptr;
    if (!form || !form->KeyPreview || !form->OnKeyDown) return false;
    WORD key = static_cast<WORD>(msg.wParam);
    Guarded(
        form,
        [&] {
            form->OnKeyDown(form, key, CurrentShiftState());
            return 0;
        },
        0);
    if (key == 0) return true;
    msg.wParam = key;
    return false;
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

namespace {

// Hands the error being handled to report as an Exception: the object itself
// when it is one, otherwise one with its text, or "Unknown error" for what is
// not even a std::exception. An EAbort is never reported.
template <typename Report>
void ReportCurrentError(Report report) {
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        report(e);
    } catch (const std::exception& e) {
        report(Exception(e.what()));
    } catch (...) {
        report(Exception("Unknown error"));
    }
}

}  // namespace

void TApplication::HandleException(TObject* sender) noexcept {
    // An error in the error handling itself is shown plainly; deeper nesting
    // gives up rather than loop.
    if (handlingException_ > 2) return;
    ++handlingException_;
    try {
        ReportCurrentError([&](const Exception& e) {
            if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
            if (OnException)
                OnException(sender, e);
            else
                ShowException(e);
        });
    } catch (...) {
        try {
            ReportCurrentError([&](const Exception& e) { ShowException(e); });
        } catch (...) {}
    }
    --handlingException_;
}

void TApplication::ShowException(const Exception& e) {
    if (e.Message().empty()) return;
    MessageBox(e.Message(), title_, MB_OK | MB_ICONSTOP);
}

namespace {
struct Disabling {
    HWND owner;
    std::vector<HWND>& disabled;
};

BOOL CALLBACK DisableVisibleWindow(HWND hwnd, LPARAM lp) {
    return Guarded(
        nullptr,
        [&] {
            auto& d = *reinterpret_cast<Disabling*>(lp);
            if (hwnd != d.owner && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
                d.disabled.push_back(hwnd);  // remembered first: what is disabled is enabled again
                EnableWindow(hwnd, FALSE);
            }
            return TRUE;
        },
        FALSE);
}

// A top-level window of this thread that the user can see.
bool ShownWindowOfThisThread(HWND hwnd) {
    return hwnd && IsWindowVisible(hwnd) && GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
}
}  // namespace

TaskModalScope::TaskModalScope(HWND owner) : active_(GetActiveWindow()) {
    Disabling d{owner, disabled_};
    EnumThreadWindows(GetCurrentThreadId(), DisableVisibleWindow, reinterpret_cast<LPARAM>(&d));
}

TaskModalScope::~TaskModalScope() {
    for (HWND hwnd : disabled_)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    if (active_ && IsWindow(active_)) SetActiveWindow(active_);
}

HWND TApplication::ModalOwner() const {
    HWND active = GetActiveWindow();
    if (ShownWindowOfThisThread(active)) return active;
    HWND main = mainForm_ ? mainForm_->Handle() : nullptr;
    if (ShownWindowOfThisThread(main)) return main;
    return handle_;
}

TApplication::EndSessionQuery::EndSessionQuery(HWND form)
    : previous_(Application ? std::exchange(Application->endSessionForm_, form) : nullptr) {}

TApplication::EndSessionQuery::~EndSessionQuery() {
    if (Application) Application->endSessionForm_ = previous_;
}

namespace {
// The reason why the session cannot end yet, on Windows' sign-out screen,
// while it lives.
class ShutdownBlockReason {
public:
    ShutdownBlockReason(HWND form, const std::string& text) : form_(form) {
        if (!form_) return;
        std::wstring wide(text.size(), L'\0');
        const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                          static_cast<int>(wide.size()));
        wide.resize(static_cast<size_t>(n > 0 ? n : 0));
        ShutdownBlockReasonCreate(form_, wide.c_str());
    }
    ~ShutdownBlockReason() {
        if (form_) ShutdownBlockReasonDestroy(form_);
    }
    ShutdownBlockReason(const ShutdownBlockReason&) = delete;
    ShutdownBlockReason& operator=(const ShutdownBlockReason&) = delete;

private:
    HWND form_;
};
}  // namespace

// The thread's other windows are disabled while the box is up and put back,
// whether it was shown or failed.
int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    const HWND owner = ModalOwner();
    TaskModalScope modal(owner);
    const ShutdownBlockReason reason(endSessionForm_, text);
    return ModalServices().MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void TScreen::SetActiveControl(TWinControl* control) {
    if (control == activeControl_) return;
    if (activeControl_) RemoveFreeNotification(activeControl_);
    activeControl_ = control;
    if (control) FreeNotification(control);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove && component == mainForm_) mainForm_ = nullptr;
}

void TScreen::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove && component == activeControl_) activeControl_ = nullptr;
}

void TScreen::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    ::SetCursor(CursorHandle(cursor));
}

TWaitCursor::TWaitCursor() : previous_(Screen ? Screen->Cursor() : crDefault) {
    if (Screen) Screen->SetCursor(crHourGlass);
}

TWaitCursor::~TWaitCursor() {
    if (Screen) Screen->SetCursor(previous_);
}

}  // namespace forms
