#include <gtest/gtest.h>

#include "msg32/MsgChoices.h"

using namespace msg32;

TEST(ChooseLine, PicksByOneBasedIndexOrFallsBack) {
    forms::TStringList lines({"first", "", "last"});
    EXPECT_EQ(ChooseLine(lines, 1, "fallback"), "first");
    EXPECT_EQ(ChooseLine(lines, 3, "fallback"), "last") << "the index equal to the count is the last line";
    EXPECT_EQ(ChooseLine(lines, 2, "fallback"), "") << "an empty line is chosen, not the fallback";
    for (int index : {0, -1, 4, -2147483647 - 1, 2147483647})
        EXPECT_EQ(ChooseLine(lines, index, "fallback"), "fallback");
    forms::TStringList none;
    EXPECT_EQ(ChooseLine(none, 1, "fallback"), "fallback");
}

TEST(ResolveKind, QuestionMarkWinsOverExclamationWherever) {
    EXPECT_EQ(ResolveKind(mbDefault, "Really?"), mbConfirmation);
    EXPECT_EQ(ResolveKind(mbDefault, "Stop! Go?"), mbConfirmation);
    EXPECT_EQ(ResolveKind(mbDefault, "Go? Stop!"), mbConfirmation);
    EXPECT_EQ(ResolveKind(mbDefault, "Careful!"), mbExclamation);
    EXPECT_EQ(ResolveKind(mbDefault, "Done."), mbInformation);
    EXPECT_EQ(ResolveKind(mbDefault, ""), mbInformation);
    // Only mbDefault is resolved.
    EXPECT_EQ(ResolveKind(mbStop, "Really?"), mbStop);
    EXPECT_EQ(ResolveKind(mbInformation, "Really?"), mbInformation);
}

TEST(BoxFlags, IconAndButtonsOfEveryKind) {
    struct Row {
        MsgType kind;
        unsigned withIcon, withoutIcon;
    };
    const Row rows[] = {
        {mbInformation, 0x40, 0x0}, {mbExclamation, 0x30, 0x0}, {mbConfirmation, 0x24, 0x4},
        {mbSelection, 0x23, 0x3},   {mbRetry, 0x25, 0x5},       {mbIgnore, 0x22, 0x2},
        {mbStop, 0x10, 0x0},        {mbError, 0x10, 0x0},       {mbTerminate, 0x30, 0x0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(BoxFlags(r.kind, true), r.withIcon) << int(r.kind);
        EXPECT_EQ(BoxFlags(r.kind, false), r.withoutIcon) << int(r.kind);
    }
    // A kind that is not one of the ten never indexes past the table.
    EXPECT_EQ(BoxFlags(static_cast<MsgType>(200), true), 0x40u);
}
