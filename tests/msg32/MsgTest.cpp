// TMsg with real forms under Wine; its boxes are answered through the
// application's message-box entry point.

#include <gtest/gtest.h>

#include <functional>

#include "forms/ExtControls.h"
#include "forms/StdControls.h"
#include "msg32/Msg.h"
#include "tests/support/ServiceStandIns.h"
#include "tests/support/WindowTest.h"

using namespace forms;
using namespace msg32;
using namespace testutil;

namespace {

class TestForm : public TForm {
public:
    explicit TestForm(TComponent* owner, const char* cls = "TMsgTestForm")
        : TForm(owner, {.ClassName = cls, .Caption = "form", .ClientWidth = 200, .ClientHeight = 80}) {
        Edit = new TEdit(this, {.Name = "Edit", .Parent = this, .Bounds = {10, 10, 100, 21}});
        Other = new TEdit(this, {.Name = "Other", .Parent = this, .Bounds = {10, 40, 100, 21}});
        Button = new TSpeedButton(this, {.Name = "Button", .Parent = this, .Bounds = {120, 10, 60, 21}}, 0);
        Button->OnClick = Bind<&TestForm::Act>(this);
    }
    TEdit* Edit;
    TEdit* Other;
    TSpeedButton* Button;
    std::function<void()> action;
    void Act(TObject*) { action(); }
};

class MsgTest : public testing::Test {
protected:
    void SetUp() override {
        form = new TestForm(Application);
        form->Show();
        SetForegroundWindow(form->Handle());
        Pump();
        msg = new TMsg(form);
        msg->BoxCaption = "Caption";
    }
    void TearDown() override {
        TComponent::Free(form);
        Application->OnException = {};
        Pump();
        MSG m;
        while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    // Runs code as a command: a click whose handler goes through the
    // framework's dispatch point, where escaping errors are handled.
    void RunCommand(std::function<void()> body) {
        form->action = std::move(body);
        SendMessageA(form->Button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(form->Button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }

    TestForm* form = nullptr;
    TMsg* msg = nullptr;
};

TEST_F(MsgTest, ShowTextShowsTheTextWithTheKindsFlagsAndTheCaption) {
    auto* hidden = new TestForm(Application, "TMsgTestForm2");
    bool hiddenEnabled = true;
    MessageBoxRecorder boxes([&](const Box&) {
        hiddenEnabled = IsWindowEnabled(hidden->Handle());
        return IDOK;
    });
    int seenResult = -1;
    struct Observer {
        TMsg* msg;
        int* out;
        void OnMessage(TObject*) { *out = msg->BoxResult(); }
    } observer{msg, &seenResult};
    msg->OnMessage = Bind<&Observer::OnMessage>(&observer);

    EXPECT_EQ(msg->ShowText(mbInformation, "Saved 100%% of it"), IDOK);
    EXPECT_EQ(boxes.Last().text, "Saved 100% of it");
    EXPECT_EQ(boxes.Last().caption, "Caption");
    EXPECT_EQ(boxes.Last().flags, 0x40u);
    EXPECT_EQ(msg->BoxMessage, "Saved 100%% of it") << "ShowText keeps its text in BoxMessage";
    EXPECT_EQ(msg->BoxResult(), IDOK);
    EXPECT_EQ(seenResult, IDOK) << "OnMessage runs after BoxResult is set";
    EXPECT_FALSE(hiddenEnabled) << "the other forms are disabled while the box is up, hidden ones too";
    EXPECT_EQ(boxes.Last().owner, form->Handle());
    EXPECT_TRUE(boxes.Last().ownerEnabled) << "the form that owns the box is left to the box";
    EXPECT_TRUE(IsWindowEnabled(form->Handle()) && IsWindowEnabled(hidden->Handle()));
    TComponent::Free(hidden);

    msg->ShowIcons = false;
    msg->ShowText(mbConfirmation, "Sure?");
    EXPECT_EQ(boxes.Last().flags, 0x4u) << "without icons only the buttons remain";
}

TEST_F(MsgTest, YesNoResultIsReturnedAndStored) {
    MessageBoxRecorder boxes(IDNO);
    EXPECT_EQ(msg->ShowText(mbConfirmation, "Copy?"), IDNO);
    EXPECT_EQ(msg->BoxResult(), IDNO);
    EXPECT_EQ(boxes.Last().flags, 0x24u);
}

TEST_F(MsgTest, AnEmptyTextShowsNothingAndEndsNothing) {
    MessageBoxRecorder boxes(IDOK);
    Screen->SetCursor(crHandPoint);
    EXPECT_EQ(msg->ShowText(mbTerminate, ""), 0);
    EXPECT_EQ(msg->ShowText(mbError, ""), 0) << "no abort";
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(msg->BoxResult(), 0);
    EXPECT_EQ(Screen->Cursor(), crHandPoint) << "not even the cursor changes";
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    Screen->SetCursor(crDefault);
}

TEST_F(MsgTest, ATemplateThatCannotBeFilledFailsBeforeAnythingHappens) {
    MessageBoxRecorder boxes(IDYES);
    msg->ShowText(mbConfirmation, "first?");
    ASSERT_EQ(msg->BoxResult(), IDYES);
    EXPECT_THROW(msg->ShowText(mbInformation, "50 % off"), EConvertError);
    EXPECT_THROW(msg->ShowText(mbInformation, "value %d"), EConvertError);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(msg->BoxResult(), IDYES);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(MsgTest, MessagesAndCaptionsArePickedByIndex) {
    MessageBoxRecorder boxes(IDOK);
    TStringList messages({"one", "", "three %s"});
    msg->SetMessages(messages);
    msg->SetCaptions(TStringList({"Title A", "Title B"}));
    msg->BoxMessage = "fallback";
    const FormatArg args[] = {std::string("yes?")};

    msg->ShowBox(mbDefault, 2, 3, args);
    EXPECT_EQ(boxes.Last().text, "three yes?");
    EXPECT_EQ(boxes.Last().caption, "Title B");
    EXPECT_EQ(boxes.Last().flags, 0x24u) << "the ? brought in by an argument counts";
    EXPECT_EQ(msg->BoxMessage, "fallback") << "ShowBox leaves BoxMessage alone";

    msg->ShowBox(mbInformation, 0, 0, args);
    EXPECT_EQ(boxes.Last().text, "fallback");
    EXPECT_EQ(boxes.Last().caption, "Caption");
    msg->ShowBox(mbInformation, 3, -1, args);
    EXPECT_EQ(boxes.Last().text, "fallback");
    EXPECT_EQ(boxes.Last().caption, "Caption");

    int before = boxes.Count();
    EXPECT_EQ(msg->ShowBox(mbInformation, 0, 2, args), 0) << "an empty selected line shows nothing";
    EXPECT_EQ(boxes.Count(), before);

    messages.Assign(std::vector<std::string>{"changed"});
    EXPECT_EQ(msg->Messages()[0], "one") << "the component keeps its own copy";
}

TEST_F(MsgTest, AFormDisabledBeforeStaysDisabledAndTheFocusComesBack) {
    auto* second = new TestForm(Application, "TMsgTestForm2");
    second->Show();
    EnableWindow(second->Handle(), FALSE);
    SetForegroundWindow(form->Handle());
    SetFocus(form->Other->Handle());
    Pump();
    ASSERT_EQ(Screen->ActiveControl(), form->Other);
    MessageBoxRecorder boxes([&](const Box&) {
        SetFocus(form->Edit->Handle());
        return IDOK;
    });
    Screen->SetCursor(crHandPoint);
    msg->ShowText(mbInformation, "hello");
    EXPECT_FALSE(IsWindowEnabled(second->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_EQ(GetFocus(), form->Other->Handle());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    TComponent::Free(second);
}

TEST_F(MsgTest, AStayOnTopFormIsTopmostAgainAfterTheBoxEvenWhenItFails) {
    form->FormStyle = TFormStyle::fsStayOnTop;
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    {
        bool topmost = true;
        MessageBoxRecorder boxes([&](const Box&) {
            topmost = GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST;
            return IDOK;
        });
        msg->ShowText(mbInformation, "on top");
        EXPECT_FALSE(topmost) << "out of the topmost band while the box is up";
        EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
    MessageBoxRecorder failing([](const Box&) -> int { throw Exception("no box"); });
    EXPECT_THROW(msg->ShowText(mbInformation, "fails"), Exception);
    EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    form->FormStyle = TFormStyle::fsNormal;
    SetWindowPos(form->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

TEST_F(MsgTest, APlatformFailureGivesZeroAndStillCallsOnMessage) {
    MessageBoxRecorder boxes(0);
    int calls = 0;
    struct Counter {
        int* n;
        void On(TObject*) { ++*n; }
    } counter{&calls};
    msg->OnMessage = Bind<&Counter::On>(&counter);
    EXPECT_EQ(msg->ShowText(mbInformation, "x"), 0);
    EXPECT_EQ(calls, 1);
}

TEST_F(MsgTest, TerminateAsksTheApplicationToQuit) {
    MessageBoxRecorder boxes(IDOK);
    EXPECT_EQ(msg->ShowText(mbTerminate, "Bye"), IDOK);
    EXPECT_EQ(boxes.Last().flags, 0x30u);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 0u);
}

TEST_F(MsgTest, UnhandledErrorsAreShownInAStopBoxWithTheMessageAsItStands) {
    MessageBoxRecorder boxes(IDOK);
    EXPECT_EQ(Application->OnException, Bind<&TMsg::ShowError>(msg)) << "installed when created";
    RunCommand([] { throw Exception("Unable to write to C:\\100%\\brand.ini"); });
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Unable to write to C:\\100%\\brand.ini");
    EXPECT_EQ(boxes.Last().caption, "Caption");
    EXPECT_EQ(boxes.Last().flags, 0x10u);
    EXPECT_EQ(msg->BoxMessage, boxes.Last().text);

    RunCommand([] { throw Exception(""); });
    EXPECT_EQ(boxes.Count(), 1) << "an empty message shows no box";
    RunCommand([] { throw EAbort("quiet"); });
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(MsgTest, AnErrorBoxAbandonsTheCommandSilentlyOnce) {
    MessageBoxRecorder boxes(IDOK);
    bool reachedEnd = false;
    RunCommand([&] {
        msg->ShowText(mbError, "Cannot go on");
        reachedEnd = true;
    });
    EXPECT_FALSE(reachedEnd);
    EXPECT_EQ(boxes.Count(), 1) << "the abort itself shows nothing";
    EXPECT_EQ(boxes.Last().flags, 0x10u);
    EXPECT_EQ(Application->OnException, Bind<&TMsg::ShowError>(msg)) << "back to normal";

    RunCommand([] { throw Exception("next"); });
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Last().text, "next");
}

TEST_F(MsgTest, AnAbortCaughtOnItsWaySwallowsTheNextError) {
    MessageBoxRecorder boxes(IDOK);
    RunCommand([&] {
        try {
            msg->ShowText(mbError, "Cannot go on");
        } catch (const EMsgError&) {}
        throw Exception("swallowed");
    });
    EXPECT_EQ(boxes.Count(), 1);
    RunCommand([] { throw Exception("shown"); });
    EXPECT_EQ(boxes.Count(), 2);
}

TEST_F(MsgTest, TheHandlerFoundIsPutBackWhateverTheOrderOfDestruction) {
    struct Previous {
        void On(TObject*, const Exception&) {}
    } previous;
    auto original = Bind<&Previous::On>(&previous);
    TComponent::Free(msg);
    Application->OnException = original;

    auto* a = new TMsg(form);
    auto* b = new TMsg(form);
    EXPECT_EQ(Application->OnException, Bind<&TMsg::ShowError>(b));
    TComponent::Free(a);  // out of order: b stays in charge
    EXPECT_EQ(Application->OnException, Bind<&TMsg::ShowError>(b));
    TComponent::Free(b);
    EXPECT_EQ(Application->OnException, original) << "never a destroyed component's handler";

    // In order, each puts back what it found.
    a = new TMsg(form);
    b = new TMsg(form);
    TComponent::Free(b);
    EXPECT_EQ(Application->OnException, Bind<&TMsg::ShowError>(a));
    TComponent::Free(a);
    EXPECT_EQ(Application->OnException, original);
    msg = nullptr;
}

TEST_F(MsgTest, AnErrorBoxWhileAnotherAbortIsPendingResumesTheRealHandler) {
    MessageBoxRecorder boxes(IDOK);
    auto* second = new TMsg(form);
    // The second component's abort is pending when the first raises its own.
    Application->OnException = Bind<&TMsg::ShowError>(msg);
    try {
        second->ShowText(mbError, "one");
    } catch (const EMsgError&) {}
    try {
        msg->ShowText(mbError, "two");
    } catch (const EMsgError&) {}
    RunCommand([] { throw Exception("swallowed by the pending abort"); });
    EXPECT_EQ(Application->OnException, Bind<&TMsg::ShowError>(msg));
    int before = boxes.Count();
    RunCommand([] { throw Exception("shown"); });
    EXPECT_EQ(boxes.Count(), before + 1);
    TComponent::Free(second);
}

TEST_F(MsgTest, AComponentInDesignStateLeavesTheErrorEventAlone) {
    TComponent designer(nullptr);
    designer.SetDesigning(true);
    auto before = Application->OnException;
    auto* designed = new TMsg(&designer);
    EXPECT_EQ(Application->OnException, before);
    TComponent::Free(designed);
    EXPECT_EQ(Application->OnException, before);
}

TEST_F(MsgTest, AFormDestroyedWhileTheBoxIsUpIsNotTouchedAfterwards) {
    auto* doomed = new TestForm(Application, "TMsgTestForm3");
    doomed->Show();
    Pump();
    MessageBoxRecorder boxes([&](const Box&) {
        TComponent::Free(doomed);
        return IDOK;
    });
    EXPECT_EQ(msg->ShowText(mbInformation, "bye"), IDOK);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

}  // namespace
