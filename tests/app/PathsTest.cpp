#include <gtest/gtest.h>

#include "app/Paths.h"

using glim::ChangeFileExt;
using glim::FolderOf;

TEST(Paths, FolderEndsWithTheLastBackslashOrColon) {
    EXPECT_EQ(FolderOf("C:\\Brand\\brand.ini"), "C:\\Brand\\");
    EXPECT_EQ(FolderOf("D:viewer.hlp"), "D:");
    EXPECT_EQ(FolderOf("brand.ini"), "");
    EXPECT_EQ(FolderOf("C:\\Brand\\"), "C:\\Brand\\");
}

TEST(Paths, OnlyADotAfterTheLastSeparatorStartsAnExtension) {
    EXPECT_EQ(ChangeFileExt("C:\\Brand\\gift", ".ini"), "C:\\Brand\\gift.ini");
    EXPECT_EQ(ChangeFileExt("C:\\Brand\\gift.txt", ".ini"), "C:\\Brand\\gift.ini");
    EXPECT_EQ(ChangeFileExt("C:\\Brand\\gift.ini", ".exe"), "C:\\Brand\\gift.exe");
    EXPECT_EQ(ChangeFileExt("C:\\My.Brand\\gift", ".ini"), "C:\\My.Brand\\gift.ini");
    EXPECT_EQ(ChangeFileExt("C:\\Brand\\gift.tar.gz", ".ini"), "C:\\Brand\\gift.tar.ini");
    EXPECT_EQ(ChangeFileExt("D:gift", ".ini"), "D:gift.ini");
    EXPECT_EQ(ChangeFileExt("C:\\Brand\\gift.", ".ini"), "C:\\Brand\\gift.ini");
}
