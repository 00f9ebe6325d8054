// The framework's window-free core: string lists and errors.

#include <gtest/gtest.h>

#include <type_traits>

#include "forms/Exception.h"
#include "forms/Strings.h"

using namespace forms;

namespace {

TEST(StringList, AssignCopiesAndIndexesAreChecked) {
    TStringList a({"x", "y"});
    TStringList b({"old"});
    b.Assign(a);
    EXPECT_EQ(b.ToVector(), (std::vector<std::string>{"x", "y"}));
    a.Assign(std::vector<std::string>{"changed"});
    EXPECT_EQ(b[0], "x") << "a copy, not a view";
    EXPECT_EQ(b.Count(), 2);
    EXPECT_EQ(b.Get(1), "y");
    EXPECT_THROW(b.Get(2), Exception);
    EXPECT_THROW(b.Get(-1), Exception);
}

TEST(StringList, TextSplitsAtEveryKindOfLineBreak) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), std::vector<std::string>{"a"});
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(SplitLines("\r\n"), std::vector<std::string>{""});
    EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitLines("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(JoinLines(SplitLines("one\r\n\r\nthree")), "one\r\n\r\nthree\r\n");
}

TEST(Exception, AbortIsAnException) {
    static_assert(std::is_base_of_v<Exception, EAbort>);
    EAbort abort("quiet");
    EXPECT_STREQ(abort.what(), "quiet");
    abort.SetMessage("changed");
    EXPECT_EQ(abort.Message(), "changed");
    EXPECT_STREQ(abort.what(), "changed");
}

}  // namespace
