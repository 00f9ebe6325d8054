// The framework's window-free core: string lists and errors.

#include <gtest/gtest.h>

#include "forms/Exception.h"
#include "forms/Strings.h"

using namespace forms;

namespace {

TEST(StringList, AssignCopiesAndIndexesAreChecked) {
    TStringList a({"x", "y"});
    TStringList b;
    b.Add("old");
    b.Assign(a);
    EXPECT_EQ(b.ToVector(), (std::vector<std::string>{"x", "y"}));
    a.Put(0, "changed");
    EXPECT_EQ(b[0], "x") << "a copy, not a view";
    b.Insert(1, "mid");
    b.Delete(0);
    EXPECT_EQ(b.ToVector(), (std::vector<std::string>{"mid", "y"}));
    EXPECT_THROW(b.Get(2), Exception);
    EXPECT_THROW(b.Get(-1), Exception);
    EXPECT_THROW(b.Insert(3, "z"), Exception);
}

TEST(StringList, TextSplitsAtEveryKindOfLineBreak) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), std::vector<std::string>{"a"});
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(SplitLines("\r\n"), std::vector<std::string>{""});
    EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitLines("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
    TStringList list;
    list.SetText("one\r\n\r\nthree");
    EXPECT_EQ(list.Text(), "one\r\n\r\nthree\r\n");
}

TEST(Exception, AbortIsAnException) {
    EAbort abort("quiet");
    EXPECT_TRUE(Is<EAbort>(abort));
    EXPECT_TRUE(Is<Exception>(abort));
    EXPECT_FALSE(Is<EAbort>(Exception("loud")));
    EXPECT_STREQ(abort.what(), "quiet");
}

}  // namespace
