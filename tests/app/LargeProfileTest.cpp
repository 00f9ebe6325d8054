// Profiles with many masks on the real window: a save, a load and the About
// preview each read or write a memo's text once, so the program's own work
// grows with the profile and not with its square; load and save run under
// the wait cursor. Counting the memo's messages shows it without timing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Form1.h"
#include "tests/support/ProfileTestSupport.h"
#include "tests/app/Form1Fixture.h"
#include "tests/support/ServiceStandIns.h"
#include "tests/support/WindowTest.h"

using namespace forms;
using namespace testutil;
using Lines = std::vector<std::string>;

namespace {

constexpr int kMasks = 400;

Lines Masks() {
    Lines masks;
    for (int n = 1; n <= kMasks; ++n) masks.push_back("*.m" + std::to_string(n));
    return masks;
}

class LargeProfileTest : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        form->CommandLineProfile = ini;
    }
    static void ExpectWaitCursorThroughout(const TextTraffic& traffic, const char* what) {
        for (TCursor cursor : traffic.cursors) EXPECT_EQ(cursor, crHourGlass) << what;
    }

    profiletest::TempFolder folder;
    const std::string ini = folder.File("large.ini");
    MessageBoxRecorder boxes;
};

TEST_F(LargeProfileTest, SaveAndPreviewReadEachMemoOnce) {
    const Lines masks = Masks();
    form->Memo1->Lines().Assign(masks);
    form->Memo2->Lines().Assign(Lines{"Viewer", "\tTabbed"});
    const int once = GetTextsPerFetch(*form->Memo1);
    ASSERT_EQ(GetTextsPerFetch(*form->Memo2), once);
    {
        TextTraffic masksRead(form->Memo1->Handle());
        TextTraffic aboutRead(form->Memo2->Handle());
        Click(form->SpeedButton3);
        EXPECT_EQ(masksRead.gets, once);
        EXPECT_EQ(masksRead.lengths, 1);
        EXPECT_EQ(aboutRead.gets, once);
        EXPECT_EQ(aboutRead.lengths, 1);
        ExpectWaitCursorThroughout(masksRead, "Memo1");
        ExpectWaitCursorThroughout(aboutRead, "Memo2");
    }
    EXPECT_EQ(Screen->Cursor(), crDefault) << "the save puts the cursor back";
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(profiletest::Read(ini, "Extensions", "E1"), masks.front());
    EXPECT_EQ(profiletest::Read(ini, "Extensions", ("E" + std::to_string(kMasks)).c_str()), masks.back());
    EXPECT_EQ(profiletest::Read(ini, "Dialogs", "L2"), ">\tTabbed");

    form->Memo2->Lines().Assign(masks);
    TextTraffic previewRead(form->Memo2->Handle());
    Click(form->SpeedButton5);
    EXPECT_EQ(previewRead.gets, once);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text.substr(0, 5), "*.m1 ");
}

TEST_F(LargeProfileTest, LoadSetsEachMemoOnceAndReadsNeitherBack) {
    std::string text = "[Extensions]\r\n";
    const Lines masks = Masks();
    for (int n = 1; n <= kMasks; ++n) text += "E" + std::to_string(n) + "=" + masks[n - 1] + "\r\n";
    text += "[Dialogs]\r\nL1=Viewer\r\nL2=>\tTabbed\r\n";
    profiletest::WriteBytes(ini, text);
    {
        TextTraffic masksSet(form->Memo1->Handle());
        TextTraffic aboutSet(form->Memo2->Handle());
        form->FormActivate(form.get());  // the first activation loads the command line's profile
        EXPECT_EQ(masksSet.sets, 1);
        EXPECT_EQ(masksSet.gets, 0);
        EXPECT_EQ(aboutSet.sets, 1);
        EXPECT_EQ(aboutSet.gets, 0);
        ExpectWaitCursorThroughout(masksSet, "Memo1");
        ExpectWaitCursorThroughout(aboutSet, "Memo2");
    }
    EXPECT_EQ(Screen->Cursor(), crDefault) << "the load puts the cursor back";
    EXPECT_EQ(form->Memo1->Lines().ToVector(), masks);
    EXPECT_EQ(form->Memo2->Lines().ToVector(), (Lines{"Viewer", "\tTabbed", "", "", "", ""}));
}

}  // namespace
