#include "msg32/Msg.h"

#include <algorithm>
#include <vector>

#include "forms/Controls.h"

namespace msg32 {

using namespace forms;

namespace {

// The components alive now, so that one that goes can hand its place in the
// chain of error handlers to the others. The configuration window holds one
// component, but TMsg is a reusable component: any form may drop in another,
// each takes over the error event when it is created and gives it back when
// it goes, in whatever order the forms are destroyed.
std::vector<TMsg*>& LiveComponents() {
    static std::vector<TMsg*> live;
    return live;
}

// The single null-pointer argument that ShowText and ShowError pass.
const FormatArg kNullArgument[] = {static_cast<const void*>(nullptr)};

// Watches the forms and the control that a box remembers, so that one
// destroyed while the box is up is never touched afterwards.
class Remembered : public TComponent {
public:
    Remembered() : TComponent(nullptr) {}
    ~Remembered() override {
        for (TForm* f : disabled) RemoveFreeNotification(f);
        for (TForm* f : lowered) RemoveFreeNotification(f);
        if (control) RemoveFreeNotification(control);
    }
    void Watch(TComponent* c) { FreeNotification(c); }

    std::vector<TForm*> disabled;
    std::vector<TForm*> lowered;
    TWinControl* control = nullptr;

protected:
    void Notification(TComponent* c, TOperation op) override {
        if (op != TOperation::opRemove) return;
        std::replace(disabled.begin(), disabled.end(), static_cast<TForm*>(c), static_cast<TForm*>(nullptr));
        std::replace(lowered.begin(), lowered.end(), static_cast<TForm*>(c), static_cast<TForm*>(nullptr));
        if (c == control) control = nullptr;
    }
};

constexpr UINT kKeepPlace = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;  // 0x13

}  // namespace

TMsg::TMsg(TComponent* owner, std::string name)
    : TComponent(owner, std::move(name)),
      messages_(std::make_unique<TStringList>()),
      captions_(std::make_unique<TStringList>()) {
    if (Application) savedHandler_ = InCharge(Application->OnException);
    LiveComponents().push_back(this);
    if (!Designing() && Application) Application->OnException = Bind<&TMsg::ShowError>(this);
}

TMsg::~TMsg() {
    auto& live = LiveComponents();
    std::erase(live, this);
    // Whoever would have put back this component's handler puts back the one
    // this component found instead.
    for (TMsg* other : live) {
        if (Owns(other->savedHandler_)) other->savedHandler_ = savedHandler_;
        if (Owns(other->resumeHandler_)) other->resumeHandler_ = savedHandler_;
    }
    if (!Designing() && Application) {
        // A later component still in charge stays in charge.
        const TExceptionEvent& current = Application->OnException;
        bool otherInCharge = std::any_of(live.begin(), live.end(), [&](TMsg* other) { return other->Owns(current); });
        if (!otherInCharge) Application->OnException = savedHandler_;
    }
}

bool TMsg::Owns(const TExceptionEvent& handler) const noexcept {
    return handler == Bind<&TMsg::ShowError>(const_cast<TMsg*>(this)) ||
           handler == Bind<&TMsg::SwallowAbort>(const_cast<TMsg*>(this));
}

TExceptionEvent TMsg::InCharge(const TExceptionEvent& handler) {
    for (TMsg* m : LiveComponents())
        if (handler == Bind<&TMsg::SwallowAbort>(m)) return m->resumeHandler_;
    return handler;
}

int TMsg::ShowText(MsgType kind, const std::string& text) {
    BoxMessage = text;
    return ShowBox(kind, 0, 0, kNullArgument);
}

int TMsg::ShowBox(MsgType kind, int captionIndex, int messageIndex, std::span<const FormatArg> args) {
    return ShowBoxImpl(kind, captionIndex, messageIndex, args, false);
}

void TMsg::ShowError(TObject*, const Exception& error) {
    BoxMessage = error.Message();
    // The message is shown as it stands: a file name with "%" in it is text,
    // not a template.
    ShowBoxImpl(mbStop, 0, 0, kNullArgument, true);
}

void TMsg::SwallowAbort(TObject*, const Exception&) {
    if (Application) Application->OnException = resumeHandler_;
}

int TMsg::ShowBoxImpl(MsgType kind, int captionIndex, int messageIndex, std::span<const FormatArg> args, bool literal) {
    std::string text = ChooseLine(*messages_, messageIndex, BoxMessage);
    if (text.empty()) return 0;
    if (!literal) text = Format(text, args);
    const std::string caption = ChooseLine(*captions_, captionIndex, BoxCaption);
    kind = ResolveKind(kind, text);
    const UINT flags = BoxFlags(kind, ShowIcons);

    if (Screen) Screen->SetCursor(crDefault);
    int result = 0;
    {
        Remembered remembered;
        remembered.control = Screen ? Screen->ActiveControl() : nullptr;
        if (remembered.control) remembered.Watch(remembered.control);

        // Put back the topmost band, the enabled states and the focus, also
        // when going through the forms or showing the box fails.
        struct Restore {
            Remembered& r;
            ~Restore() {
                for (TForm* f : r.lowered)
                    if (f && f->Handle()) SetWindowPos(f->Handle(), HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
                for (TForm* f : r.disabled)
                    if (f && f->Handle()) EnableWindow(f->Handle(), TRUE);
                if (r.control && r.control->Handle()) ::SetFocus(r.control->Handle());
            }
        } restore{remembered};

        // The application's message box disables the thread's visible
        // windows again while the box is up; this pass is the component's
        // own because it also reaches the forms that are hidden now, lowers
        // the stay-on-top forms, and puts back exactly what it changed,
        // whichever message box shows the text. The form that will own the
        // box is left to the box, which enables it again before it hides.
        const HWND owner = Application ? Application->ModalOwner() : nullptr;
        for (int i = 0; Application && i < Application->ComponentCount(); ++i) {
            auto* form = dynamic_cast<TForm*>(Application->Components(i));
            if (!form || !form->Handle()) continue;
            HWND hwnd = form->Handle();
            if (hwnd != owner && IsWindowEnabled(hwnd)) {
                EnableWindow(hwnd, FALSE);
                remembered.disabled.push_back(form);
                remembered.Watch(form);
            }
            if (IsWindowVisible(hwnd) && form->FormStyle == TFormStyle::fsStayOnTop) {
                SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
                SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, kKeepPlace);
                remembered.lowered.push_back(form);
                remembered.Watch(form);
            }
        }
        result = Application ? Application->MessageBox(text, caption, flags) : 0;
    }

    boxResult_ = result;
    OnMessage(this);
    if (kind == mbTerminate) {
        if (Application) Application->Terminate();
    } else if (kind == mbError) {
        if (Application) {
            resumeHandler_ = InCharge(Application->OnException);
            Application->OnException = Bind<&TMsg::SwallowAbort>(this);
        }
        throw EMsgError();
    }
    return result;
}

}  // namespace msg32
