#pragma once
// The application and screen objects: one of each per program.
//
// The application owns the forms, runs the message loop, keeps the title,
// help file and executable path, and is the one place where every error that
// leaves an event handler ends up (HandleException).

#include <functional>
#include <string>
#include <vector>

#include "forms/Component.h"
#include "forms/Exception.h"
#include "forms/Graphics.h"
#include "forms/Method.h"
#include "forms/Win.h"

namespace forms {

class TForm;
class TWinControl;

using TExceptionEvent = Method<TObject*, const Exception&>;

// Makes a box or dialog of the application modal to the whole program: the
// thread's visible windows but its owner are disabled while it lives;
// afterwards the ones it disabled are enabled again and the window that was
// active is activated. The owner is left to the box, which disables it and
// enables it again before it hides: Windows hands the activation back to an
// owner only when it is enabled then, and a dialog enables only an owner that
// it disabled itself.
class TaskModalScope {
public:
    explicit TaskModalScope(HWND owner);
    ~TaskModalScope();
    TaskModalScope(const TaskModalScope&) = delete;
    TaskModalScope& operator=(const TaskModalScope&) = delete;

private:
    HWND active_;
    std::vector<HWND> disabled_;
};

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize();
    // Creates a form owned by the application; the first becomes the main form.
    template <typename F>
    F* CreateForm() {
        auto* form = new F(this);
        if (!mainForm_) mainForm_ = form;
        return form;
    }
    // Shows the main form and dispatches messages until the quit message.
    int Run();
    // One message of the loop: a form with KeyPreview sees a key first, the
    // dialog manager gives Tab and the access keys, the rest is dispatched.
    void ProcessMessage(MSG& msg);
    // Posts the quit message: Run returns once the messages before it are done.
    void Terminate();
    bool Terminated() const noexcept { return terminated_; }

    const std::string& Title() const noexcept { return title_; }
    void SetTitle(const std::string& title);
    const std::string& HelpFile() const noexcept { return helpFile_; }
    void SetHelpFile(std::string path) { helpFile_ = std::move(path); }
    // The full path of the running module, as the system reports it.
    std::string ExeName() const;

    TForm* MainForm() const noexcept { return mainForm_; }
    // The application's own hidden window: owner of the boxes shown before
    // any window of the program is visible.
    HWND Handle() const noexcept { return handle_; }
    // The owner of a box or dialog opened now: the active window, when it is
    // a visible window of the program (the main form, or a dialog above it);
    // else the main form while it is visible; else the hidden window. A box
    // owned by the window the user sees comes up with it from the task bar
    // and opens on its monitor.
    HWND ModalOwner() const;

    // The error event: given every Exception that escapes an event handler,
    // except EAbort. Empty means the application shows the error itself.
    TExceptionEvent OnException;

    // Called inside a catch block: hands the error in flight to OnException
    // or shows it. Never lets anything escape.
    void HandleException(TObject* sender) noexcept;

    // A modal message box owned by ModalOwner(); the thread's other windows
    // are disabled while it is up.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    // While a form answers WM_QUERYENDSESSION: a box shown meanwhile stands
    // in the way of the session's end, and Windows' sign-out screen names it,
    // by its text, as the reason until it is answered.
    class EndSessionQuery {
    public:
        explicit EndSessionQuery(HWND form);
        ~EndSessionQuery();
        EndSessionQuery(const EndSessionQuery&) = delete;
        EndSessionQuery& operator=(const EndSessionQuery&) = delete;

    private:
        HWND previous_;
    };

protected:
    // A form of the application that goes is no longer its main form.
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool PreviewKey(MSG& msg);
    void ShowException(const Exception& e);

    std::string title_;
    std::string helpFile_;
    TForm* mainForm_ = nullptr;
    HWND handle_ = nullptr;
    HWND endSessionForm_ = nullptr;  // the form answering WM_QUERYENDSESSION
    bool terminated_ = false;
    int handlingException_ = 0;
};

class TScreen : public TComponent {
public:
    TScreen() : TComponent(nullptr) {}

    // The control that last received the input focus in any form; cleared
    // when that control is destroyed.
    TWinControl* ActiveControl() const noexcept { return activeControl_; }
    void SetActiveControl(TWinControl* control);

    TCursor Cursor() const noexcept { return cursor_; }
    void SetCursor(TCursor cursor);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TWinControl* activeControl_ = nullptr;
    TCursor cursor_ = crDefault;
};

// Shows the wait cursor over the program's windows while it lives, for work
// that runs without dispatching messages (a load or a save of a large
// profile), and puts back the screen cursor it found.
class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    TCursor previous_;
};

// A DLL of the system, by name, from the system folder only. For a DLL that
// is not one of Windows' known DLLs the loader looks in the program's own
// folder first, where anyone may have left a DLL of that name.
HMODULE LoadSystemLibrary(const char* name);

extern TApplication* Application;
extern TScreen* Screen;

// The one boundary between Windows and the program's code: every window
// procedure, dialog procedure, callback and the program entry run their code
// through it, so that no C++ error ever unwinds through a Win32 frame. An
// error goes to the application's error handling and the fallback value is
// returned.
template <typename F, typename R>
R Guarded(TObject* sender, F&& body, R fallback) noexcept {
    try {
        return body();
    } catch (...) {
        if (Application) Application->HandleException(sender);
        return fallback;
    }
}

}  // namespace forms
