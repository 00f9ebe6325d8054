// The window for screen readers: the window order that names the edit
// boxes, and the objects that the buttons, the colour preview and the About
// lines hand out for WM_GETOBJECT, called directly.

#include <gtest/gtest.h>

#include <ole2.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "app/Form1.h"
#include "tests/app/Form1Fixture.h"
#include "tests/support/WindowTest.h"

using namespace forms;
using namespace testutil;

namespace {

class Form1ScreenReader : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        ShowActive();
    }
};

struct Clicks {
    std::vector<TObject*> senders;
    void Clicked(TObject* sender) { senders.push_back(sender); }
};

TEST_F(Form1ScreenReader, EachLabelStandsDirectlyBeforeTheBoxItNames) {
    const std::pair<TLabel*, TWinControl*> pairs[] = {
        {form->Label1, form->Edit1}, {form->Label2, form->Edit2},  {form->Label5, form->Edit3},
        {form->Label6, form->Edit4}, {form->Label7, form->Edit5},  {form->Label8, form->Edit6},
        {form->Label9, form->Edit7}, {form->Label10, form->Memo1},
    };
    for (const auto& [label, box] : pairs) {
        SCOPED_TRACE(label->Text());
        EXPECT_EQ(GetWindow(box->Handle(), GW_HWNDPREV), label->Handle());
        // The standard object of an edit box takes its name from there.
        IAccessible* object = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(box->Handle(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object)),
                  S_OK);
        VARIANT self{};
        self.vt = VT_I4;
        BSTR name = nullptr;
        EXPECT_EQ(object->get_accName(self, &name), S_OK);
        const std::string caption = label->Text();
        EXPECT_EQ(name ? std::wstring(name) : L"", std::wstring(caption.begin(), caption.end()));
        SysFreeString(name);
        object->Release();
    }
}

// The object a control hands out for its client area, as a screen reader
// gets it.
struct Accessible {
    IAccessible* object = nullptr;
    explicit Accessible(HWND hwnd) {
        LRESULT result = SendMessageA(hwnd, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
        if (result > 0) ObjectFromLresult(result, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&object));
    }
    ~Accessible() {
        if (object) object->Release();
    }
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    static VARIANT Self() {
        VARIANT v{};
        v.vt = VT_I4;
        v.lVal = CHILDID_SELF;
        return v;
    }
    static std::string Narrow(BSTR text) {
        std::string s;
        for (UINT i = 0; text && i < SysStringLen(text); ++i) s += static_cast<char>(text[i]);
        SysFreeString(text);
        return s;
    }
    std::string Name() const {
        BSTR text = nullptr;
        return object->get_accName(Self(), &text) == S_OK ? Narrow(text) : "(none)";
    }
    std::string DefaultAction() const {
        BSTR text = nullptr;
        return object->get_accDefaultAction(Self(), &text) == S_OK ? Narrow(text) : "(none)";
    }
    long Role() const {
        VARIANT v{};
        return object->get_accRole(Self(), &v) == S_OK && v.vt == VT_I4 ? v.lVal : -1;
    }
    long State() const {
        VARIANT v{};
        return object->get_accState(Self(), &v) == S_OK && v.vt == VT_I4 ? v.lVal : -1;
    }
};

TEST_F(Form1ScreenReader, ButtonsAndThePreviewArePushButtonsNamedByTheirCaption) {
    // Each control counts its clicks instead of running its command.
    Clicks clicks;
    for (TWinControl* c : std::initializer_list<TWinControl*>{form->SpeedButton5, form->SpeedButton1,
                                                              form->SpeedButton2, form->ScrollBox1, form->OpenBtn,
                                                              form->SaveAsBtn, form->HelpBtn, form->AboutBtn})
        c->OnClick = Bind<&Clicks::Clicked>(&clicks);
    struct Expected {
        TWinControl* control;
        const char* name;
    };
    const Expected controls[] = {
        {form->SpeedButton5, "About"}, {form->SpeedButton1, "Menu items"},
        {form->SpeedButton2, "Color"}, {form->ScrollBox1, "Color"},
        {form->OpenBtn, "Open"},       {form->SaveAsBtn, "Save as"},
        {form->HelpBtn, "Help"},       {form->AboutBtn, "About"},
    };
    SetFocus(form->Edit3->Handle());
    for (const Expected& e : controls) {
        SCOPED_TRACE(e.control->Name());
        Accessible acc(e.control->Handle());
        ASSERT_NE(acc.object, nullptr);
        EXPECT_EQ(acc.Role(), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(acc.Name(), e.name);
        EXPECT_EQ(acc.DefaultAction(), "Click");
        EXPECT_FALSE(acc.State() & STATE_SYSTEM_FOCUSABLE) << "never takes the focus";

        clicks.senders.clear();
        EXPECT_EQ(acc.object->accDoDefaultAction(Accessible::Self()), S_OK);
        EXPECT_TRUE(clicks.senders.empty()) << "the click comes after the call returned";
        Pump();
        EXPECT_EQ(clicks.senders, std::vector<TObject*>{e.control});
        EXPECT_EQ(GetFocus(), form->Edit3->Handle());
    }
}

TEST_F(Form1ScreenReader, TheAboutLinesAreNamedByTheButtonAboveThem) {
    Accessible memo(form->Memo2->Handle());
    ASSERT_NE(memo.object, nullptr);
    EXPECT_EQ(memo.Name(), "About");
    EXPECT_EQ(memo.Role(), ROLE_SYSTEM_TEXT) << "otherwise the edit box it is";
    EXPECT_TRUE(memo.State() & STATE_SYSTEM_FOCUSABLE);
    // The boxes with a label of their own leave their object to Windows.
    EXPECT_EQ(SendMessageA(form->Edit1->Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0);
}

}  // namespace
