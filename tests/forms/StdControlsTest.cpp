// A memo's lines on a real multi-line edit: however many lines it holds,
// reading them all fetches its text once, so the work grows with the text,
// not with its square.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/StdControls.h"
#include "tests/support/WindowTest.h"

using namespace forms;
using namespace testutil;

namespace {

class MemoLinesTest : public testing::Test {
protected:
    void SetUp() override {
        form.reset(new TForm(
            nullptr, {.ClassName = "TMemoLinesTest", .Caption = "memo", .ClientWidth = 240, .ClientHeight = 120}));
        memo = new TMemo(form.get(), {.Name = "Memo1", .Parent = form.get(), .Bounds = {8, 8, 220, 100}});
    }
    void TearDown() override {
        form.reset();
        Pump();
    }
    Owned<TForm> form;
    TMemo* memo = nullptr;
};

TEST_F(MemoLinesTest, ReadingAllLinesFetchesTheTextOnce) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 1000; ++i) lines.push_back("*.m" + std::to_string(i));
    lines[10].clear();  // an empty line in the middle is a line
    memo->Lines().Assign(lines);

    TStringList copy;
    const std::pair<const char*, std::function<void()>> reads[] = {
        {"ToVector", [&] { EXPECT_EQ(memo->Lines().ToVector(), lines); }},
        {"Assign to a list",
         [&] {
             copy.Assign(memo->Lines());
             EXPECT_EQ(copy.ToVector(), lines);
         }},
        {"Count", [&] { EXPECT_EQ(memo->Lines().Count(), 1000); }},
        {"one line", [&] { EXPECT_EQ(memo->Lines()[999], "*.m1000"); }},
    };
    const int once = GetTextsPerFetch(*memo);
    for (const auto& [name, read] : reads) {
        TextTraffic traffic(memo->Handle());
        read();
        EXPECT_EQ(traffic.gets, once) << name;
        EXPECT_LE(traffic.lengths, 1) << name;
        EXPECT_EQ(traffic.sets, 0) << name;
    }
}

}  // namespace
