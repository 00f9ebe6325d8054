#pragma once
// The configuration window of a window test: made for each test as the
// program's main form, without a command-line profile, and destroyed after it.

#include <gtest/gtest.h>

#include "app/Form1.h"
#include "tests/support/WindowTest.h"

namespace testutil {

class Form1Fixture : public testing::Test {
protected:
    void SetUp() override {
        form.reset(forms::Application->CreateForm<glim::TForm1>());
        form->CommandLineProfile.clear();
        Pump();
    }
    void TearDown() override {
        form.reset();
        Pump();
    }

    // Shown and active, as the user meets it.
    void ShowActive() {
        form->Show();
        SetForegroundWindow(form->Handle());
        SetActiveWindow(form->Handle());
        Pump(5);
    }

    // A click as the mouse gives it: through the button's window procedure,
    // so an error of the handler goes to the application's error handling.
    static void Click(forms::TWinControl* button) {
        SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        Pump();
    }

    // A measure of the window's definition at the window's scale: the text
    // height of "0" in the window's font stands for 13 pixels.
    int S(int v) const { return MulDiv(v, TextExtent(form->Edit1->Handle(), "0").cy, 13); }

    Owned<glim::TForm1> form;
};

}  // namespace testutil
