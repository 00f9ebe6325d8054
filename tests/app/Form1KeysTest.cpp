// The file commands by keyboard: Ctrl+O, Ctrl+S and Ctrl+Shift+S pressed
// through the system's input queue, with the window in the foreground.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "tests/support/ProfileTestSupport.h"
#include "tests/app/Form1Fixture.h"
#include "tests/support/WindowTest.h"

using namespace forms;
using namespace testutil;

namespace {

// Holds keys down together and lets them go in reverse order, as a person
// does, through SendInput to the window in the foreground.
void PressChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    for (WORD key : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = key;
        input.push_back(i);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *key;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(i);
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    Pump(8);
}

struct Clicks {
    std::vector<TObject*> senders;
    void Clicked(TObject* sender) { senders.push_back(sender); }
};

class Form1Keys : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        ShowActive();
    }
    // Each of the buttons counts its clicks instead of running its command.
    void RecordClicks() {
        for (TSpeedButton* b : {form->OpenBtn, form->SpeedButton3, form->SaveAsBtn, form->HelpBtn})
            b->OnClick = Bind<&Clicks::Clicked>(&clicks);
    }

    Clicks clicks;
};

TEST_F(Form1Keys, CtrlKeysRunTheFileButtonsWhicheverControlHasTheFocus) {
    RecordClicks();
    struct Key {
        std::initializer_list<WORD> chord;
        TSpeedButton* button;
    };
    const Key keys[] = {
        {{VK_CONTROL, 'O'}, form->OpenBtn},
        {{VK_CONTROL, 'S'}, form->SpeedButton3},
        {{VK_CONTROL, VK_SHIFT, 'S'}, form->SaveAsBtn},
    };
    for (TWinControl* focus : std::initializer_list<TWinControl*>{form->Edit1, form->Memo2, form->CheckBox2}) {
        for (const Key& key : keys) {
            SCOPED_TRACE(key.button->Name() + " from " + focus->Name());
            SetFocus(focus->Handle());
            const std::string text = focus->Text();
            clicks.senders.clear();
            PressChord(key.chord);
            EXPECT_EQ(clicks.senders, std::vector<TObject*>{key.button}) << "once, as by the button";
            EXPECT_EQ(GetFocus(), focus->Handle());
            EXPECT_EQ(focus->Text(), text) << "the control never sees the key";
        }
    }
}

TEST_F(Form1Keys, OtherChordsPassOnToTheFocusedControl) {
    RecordClicks();
    SetFocus(form->Edit1->Handle());
    SendMessageA(form->Edit1->Handle(), EM_SETSEL, 0, -1);
    // Ctrl+Alt is AltGr on many keyboards; with the other modifiers the keys
    // are no commands either.
    PressChord({VK_CONTROL, VK_MENU, 'S'});
    PressChord({VK_CONTROL, VK_SHIFT, 'O'});
    PressChord({VK_SHIFT, 'S'});
    EXPECT_TRUE(clicks.senders.empty());
    EXPECT_EQ(form->Edit1->Text(), "S") << "Shift+S still types";
}

TEST_F(Form1Keys, CtrlSSavesTheProfileAsTheSaveButtonDoes) {
    profiletest::TempFolder folder;
    form->CommandLineProfile = folder.File("brand.ini");
    form->Edit1->SetText("Brand Viewer");
    SetFocus(form->Memo1->Handle());
    PressChord({VK_CONTROL, 'S'});
    ASSERT_TRUE(std::filesystem::exists(form->CommandLineProfile));
    char title[64] = {};
    GetPrivateProfileStringA("Captions", "Title", "", title, sizeof title, form->CommandLineProfile.c_str());
    EXPECT_STREQ(title, "Brand Viewer");
}

}  // namespace
