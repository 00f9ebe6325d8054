#include "forms/Accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <string>

#include "forms/Application.h"
#include "forms/Controls.h"

namespace forms {

namespace {

// Own copies of the interface ids: nothing links the accessibility or COM
// libraries, which load only when a screen reader asks.
constexpr IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidOleWindow = {0x00000114, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

template <typename F>
F Proc(HMODULE module, const char* name) {
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The functions of oleacc, oleaut32 and ole32 that this file uses, loaded at
// the first question of a screen reader.
struct AccessibilityApi {
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
    decltype(&::CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
    decltype(&::SysAllocStringLen) sysAllocStringLen = nullptr;

    AccessibilityApi() {
        HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
        HMODULE oleaut = LoadSystemLibrary("oleaut32.dll");
        HMODULE ole = LoadSystemLibrary("ole32.dll");
        lresultFromObject = Proc<decltype(lresultFromObject)>(oleacc, "LresultFromObject");
        createStdAccessibleObject = Proc<decltype(createStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject");
        sysAllocStringLen = Proc<decltype(sysAllocStringLen)>(oleaut, "SysAllocStringLen");
        // The object is handed over through COM marshalling, which needs the
        // thread in an apartment; the window's thread is a single-threaded one.
        if (auto coInitializeEx = Proc<decltype(&::CoInitializeEx)>(ole, "CoInitializeEx"))
            coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    }
    bool Ready() const { return lresultFromObject && createStdAccessibleObject && sysAllocStringLen; }
};

AccessibilityApi& Api() {
    static AccessibilityApi api;
    return api;
}

bool IsSelf(const VARIANT& id) { return id.vt == VT_I4 && id.lVal == CHILDID_SELF; }

HRESULT ToBstr(const std::string& text, BSTR* out) {
    *out = nullptr;
    std::wstring wide(text.size(), L'\0');
    int n = text.empty() ? 0
                         : MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                               static_cast<int>(wide.size()));
    *out = Api().sysAllocStringLen(wide.data(), static_cast<UINT>(n));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// The client object of a control: the standard object of its window with
// the control's own role, name and default action put in. It looks the
// control up by its window at every call, so a screen reader that holds it
// longer than the control lives gets the standard answers or an error.
class ControlAccessible final : public IAccessible, public IOleWindow {
public:
    ControlAccessible(HWND hwnd, IAccessible* standard) : hwnd_(hwnd), standard_(standard) {}
    ControlAccessible(const ControlAccessible&) = delete;
    ControlAccessible& operator=(const ControlAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidDispatch) || IsEqualIID(iid, kIidAccessible))
            *out = static_cast<IAccessible*>(this);
        else if (IsEqualIID(iid, kIidOleWindow))
            *out = static_cast<IOleWindow*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG refs = InterlockedDecrement(&refs_);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

    // IDispatch: screen readers call the methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: what the control says itself...
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
        if (!name) return E_POINTER;
        if (IsSelf(id))
            if (TWinControl* c = Control(); c && !c->AccessibleName().empty())
                return Guard([&] { return ToBstr(c->AccessibleName(), name); });
        return Standard() ? standard_->get_accName(id, name) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
        if (!role) return E_POINTER;
        if (IsSelf(id))
            if (TWinControl* c = Control(); c && c->Accessibility.Role) {
                role->vt = VT_I4;
                role->lVal = c->Accessibility.Role;
                return S_OK;
            }
        return Standard() ? standard_->get_accRole(id, role) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
        if (!state) return E_POINTER;
        if (!Standard()) return E_FAIL;
        HRESULT hr = standard_->get_accState(id, state);
        // A control of its own role that takes no tab stop never takes the focus.
        if (SUCCEEDED(hr) && IsSelf(id) && state->vt == VT_I4)
            if (TWinControl* c = Control();
                c && c->Accessibility.Role && !(GetWindowLongA(hwnd_, GWL_STYLE) & WS_TABSTOP))
                state->lVal &= ~STATE_SYSTEM_FOCUSABLE;
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
        if (!action) return E_POINTER;
        if (IsSelf(id))
            if (TWinControl* c = Control(); c && !c->Accessibility.DefaultAction.empty())
                return Guard([&] { return ToBstr(c->Accessibility.DefaultAction, action); });
        return Standard() ? standard_->get_accDefaultAction(id, action) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
        if (IsSelf(id))
            if (TWinControl* c = Control(); c && !c->Accessibility.DefaultAction.empty()) {
                if (!IsWindowEnabled(hwnd_)) return E_FAIL;
                return PostMessageA(hwnd_, kAccessibleActionMessage, 0, 0) ? S_OK : E_FAIL;
            }
        return Standard() ? standard_->accDoDefaultAction(id) : E_FAIL;
    }

    // ...and what the standard object of the window knows.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return Standard() ? standard_->get_accParent(parent) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return Standard() ? standard_->get_accChildCount(count) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
        return Standard() ? standard_->get_accChild(id, child) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override {
        return Standard() ? standard_->get_accValue(id, value) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* text) override {
        return Standard() ? standard_->get_accDescription(id, text) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* text) override {
        return Standard() ? standard_->get_accHelp(id, text) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) override {
        return Standard() ? standard_->get_accHelpTopic(file, id, topic) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* text) override {
        return Standard() ? standard_->get_accKeyboardShortcut(id, text) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* id) override {
        return Standard() ? standard_->get_accFocus(id) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* ids) override {
        return Standard() ? standard_->get_accSelection(ids) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) override {
        return Standard() ? standard_->accSelect(flags, id) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT id) override {
        return Standard() ? standard_->accLocation(x, y, w, h, id) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT* end) override {
        return Standard() ? standard_->accNavigate(dir, start, end) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* id) override {
        return Standard() ? standard_->accHitTest(x, y, id) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT id, BSTR name) override {
        return Standard() ? standard_->put_accName(id, name) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT id, BSTR value) override {
        return Standard() ? standard_->put_accValue(id, value) : E_FAIL;
    }

    // IOleWindow: the window behind the object.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
        if (!hwnd) return E_POINTER;
        *hwnd = hwnd_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~ControlAccessible() {
        if (standard_) standard_->Release();
    }
    TWinControl* Control() const { return IsWindow(hwnd_) ? TWinControl::FromHandle(hwnd_) : nullptr; }
    bool Standard() const { return standard_ != nullptr; }
    // Nothing thrown ever goes back into the caller's COM frame.
    template <typename F>
    static HRESULT Guard(F&& body) noexcept {
        try {
            return body();
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    LONG refs_ = 1;
    HWND hwnd_;
    IAccessible* standard_;
};

}  // namespace

LRESULT AccessibleObjectResult(TWinControl& control, WPARAM wp) {
    AccessibilityApi& api = Api();
    if (!api.Ready() || !control.Handle()) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(api.createStdAccessibleObject(control.Handle(), OBJID_CLIENT, kIidAccessible,
                                             reinterpret_cast<void**>(&standard))))
        standard = nullptr;
    // A COM object owns itself through its reference count.
    auto* object = new ControlAccessible(control.Handle(), standard);
    LRESULT result = api.lresultFromObject(kIidAccessible, wp, static_cast<IAccessible*>(object));
    object->Release();
    // A failure is an HRESULT; the window then answers as it would anyway.
    return result < 0 ? 0 : result;
}

}  // namespace forms
