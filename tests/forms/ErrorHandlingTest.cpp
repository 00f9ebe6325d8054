// Errors raised in event handlers: they never unwind through Windows, reach
// the application's error event, and the application's message box.

#include <gtest/gtest.h>

#include <stdexcept>

#include "forms/ExtControls.h"
#include "tests/support/ServiceStandIns.h"
#include "tests/support/WindowTest.h"

using namespace forms;
using namespace testutil;

namespace {

class TestForm : public TForm {
public:
    explicit TestForm(TComponent* owner)
        : TForm(owner, {.ClassName = "TTestForm", .Caption = "test", .ClientWidth = 200, .ClientHeight = 100}) {
        Button =
            new TSpeedButton(this, {.Name = "Button", .Parent = this, .Bounds = {10, 10, 80, 25}, .Text = "Go"}, 0);
    }
    TSpeedButton* Button;
    std::function<void()> action;
    void ButtonClick(TObject*) { action(); }
    int errors = 0;
    std::string lastError;
    void OnError(TObject*, const Exception& e) {
        ++errors;
        lastError = e.Message();
    }
};

class ErrorHandlingTest : public testing::Test {
protected:
    void SetUp() override {
        form.reset(new TestForm(nullptr));
        form->Button->OnClick = Bind<&TestForm::ButtonClick>(form.get());
        form->Show();
        Pump();
    }
    void TearDown() override {
        Application->OnException = {};
        form.reset();
        Pump();
    }
    // A real click, through the button's window procedure.
    void Click() {
        SendMessageA(form->Button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(form->Button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    Owned<TestForm> form;
};

TEST_F(ErrorHandlingTest, WithoutAnErrorEventTheErrorIsShownInAStopBox) {
    MessageBoxRecorder boxes;
    bool after = false;
    form->action = [&] {
        throw Exception("Unable to write to C:\\100%\\brand.ini");
        after = true;
    };
    Click();
    EXPECT_FALSE(after);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Unable to write to C:\\100%\\brand.ini") << "shown literally";
    EXPECT_EQ(boxes.Last().caption, Application->Title());
    EXPECT_EQ(boxes.Last().flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(boxes.Last().owner, form->Handle()) << "the box belongs to the window the user sees";
    EXPECT_TRUE(boxes.Last().ownerEnabled) << "the owner is left to the box";
    EXPECT_TRUE(IsWindowEnabled(form->Handle())) << "and enabled again afterwards";
}

TEST_F(ErrorHandlingTest, TheErrorEventGetsEveryErrorButAnAbort) {
    MessageBoxRecorder boxes;
    Application->OnException = Bind<&TestForm::OnError>(form.get());
    form->action = [] { throw Exception("first"); };
    Click();
    form->action = [] { throw std::runtime_error("not ours"); };
    Click();
    form->action = [] { throw EAbort("silent"); };
    Click();
    EXPECT_EQ(form->errors, 2);
    EXPECT_EQ(form->lastError, "not ours");
    EXPECT_EQ(boxes.Count(), 0);
}

// Not even a std::exception: still shown, never dropped.
TEST_F(ErrorHandlingTest, AnErrorOfAnyOtherTypeIsShownAsAnUnknownError) {
    MessageBoxRecorder boxes;
    form->action = [] { throw 42; };
    Click();
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Unknown error");
}

TEST_F(ErrorHandlingTest, AnErrorWithAnEmptyMessageShowsNoBox) {
    MessageBoxRecorder boxes;
    form->action = [] { throw Exception(""); };
    Click();
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(ErrorHandlingTest, TheMouseCaptureIsCancelledBeforeTheErrorEvent) {
    MessageBoxRecorder boxes;
    Application->OnException = Bind<&TestForm::OnError>(form.get());
    form->action = [&] {
        SetCapture(form->Handle());
        throw Exception("with capture");
    };
    Click();
    EXPECT_EQ(form->errors, 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ErrorHandlingTest, AFailedPaintIsReportedOnceNotForever) {
    struct Failing : TPanel {
        using TPanel::TPanel;
        int paints = 0;
        LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
            if (msg == WM_PAINT) {
                ++paints;
                throw Exception("paint failed");
            }
            return TPanel::WndProc(msg, wp, lp);
        }
    };
    MessageBoxRecorder boxes;
    Application->OnException = Bind<&TestForm::OnError>(form.get());
    auto* panel = new Failing(form.get(), {.Name = "Bad", .Parent = form.get(), .Bounds = {0, 50, 50, 20}});
    UpdateWindow(panel->Handle());
    Pump(10);
    EXPECT_EQ(panel->paints, 1);
    EXPECT_EQ(form->errors, 1);
}

TEST_F(ErrorHandlingTest, MessageBoxRestoresOnlyWhatItDisabled) {
    // A second window that was already disabled stays disabled.
    HWND other = CreateWindowExA(0, "Static", "other", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    EnableWindow(other, FALSE);
    MessageBoxRecorder boxes(IDYES);
    EXPECT_EQ(Application->MessageBox("question?", "caption", MB_YESNO), IDYES);
    EXPECT_FALSE(IsWindowEnabled(other));
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    DestroyWindow(other);
}

TEST_F(ErrorHandlingTest, TheScreenForgetsADestroyedActiveControl) {
    auto* edit = new TPanel(form.get(), {.Name = "Focusable", .Parent = form.get(), .Bounds = {100, 10, 20, 20}});
    Screen->SetActiveControl(edit);
    ASSERT_EQ(Screen->ActiveControl(), edit);
    TComponent::Free(edit);
    EXPECT_EQ(Screen->ActiveControl(), nullptr);
}

// Only the destructors run after a constructor fails: the window made by then
// must go with them, or it would be left calling into freed memory.
TEST(FailedConstruction, LeavesNoWindowBehind) {
    struct HalfBuilt : TForm {
        explicit HalfBuilt(HWND& made) : TForm(nullptr, {.ClassName = "THalfBuilt", .Caption = "half built"}) {
            made = Handle();
            throw Exception("Cannot create the window of Panel1");
        }
    };
    HWND made = nullptr;
    EXPECT_THROW((void)new HalfBuilt(made), Exception);
    ASSERT_NE(made, nullptr);
    EXPECT_FALSE(IsWindow(made));
}

}  // namespace
