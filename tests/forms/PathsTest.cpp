#include <gtest/gtest.h>

#include <string>

#include "forms/Paths.h"

#ifdef _WIN32
#include <cstring>

#include "forms/Win.h"
#endif

using namespace forms;

namespace {

// Each path with its folder, its file-name part (the shown and saved name),
// and the path with its extension changed to ".ini".
struct PathCase {
    const char* path;
    const char* folder;
    const char* name;
    const char* withIni;
};

const PathCase kPaths[] = {
    {"C:\\Brand\\brand.ini", "C:\\Brand\\", "brand.ini", "C:\\Brand\\brand.ini"},
    {"C:\\Brand\\gift", "C:\\Brand\\", "gift", "C:\\Brand\\gift.ini"},
    {"C:\\Brand\\gift.txt", "C:\\Brand\\", "gift.txt", "C:\\Brand\\gift.ini"},
    {"C:\\Brand\\gift.tar.gz", "C:\\Brand\\", "gift.tar.gz", "C:\\Brand\\gift.tar.ini"},
    {"C:\\Brand\\gift.", "C:\\Brand\\", "gift.", "C:\\Brand\\gift.ini"},
    {"C:\\My.Brand\\gift", "C:\\My.Brand\\", "gift", "C:\\My.Brand\\gift.ini"},
    {"C:\\Brand\\", "C:\\Brand\\", "", "C:\\Brand\\.ini"},
    {"D:gift", "D:", "gift", "D:gift.ini"},
    {"C:\\x:y\\z.hlp", "C:\\x:y\\", "z.hlp", "C:\\x:y\\z.ini"},
    {"brand.ini", "", "brand.ini", "brand.ini"},
    // Windows takes "/" for a separator where a file lives; the shown and
    // saved name keeps it.
    {"C:\\Brand/gift", "C:\\Brand/", "Brand/gift", "C:\\Brand/gift.ini"},
    {"C:\\My.Brand/gift", "C:\\My.Brand/", "My.Brand/gift", "C:\\My.Brand/gift.ini"},
    {"a/b.hlp", "a/", "a/b.hlp", "a/b.ini"},
};

}  // namespace

TEST(Paths, FolderNameAndExtension) {
    for (const PathCase& c : kPaths) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
        EXPECT_EQ(ChangeFileExt(c.path, ".ini"), c.withIni) << c.path;
    }
    EXPECT_EQ(ChangeFileExt("C:\\Brand\\gift.ini", ".exe"), "C:\\Brand\\gift.exe");
}

#ifdef _WIN32
TEST(Paths, FullPathMakesRelativeNamesFullAndKeepsFullOnes) {
    EXPECT_EQ(FullPath(""), "");
    EXPECT_EQ(FullPath("C:\\Brand\\brand.ini"), "C:\\Brand\\brand.ini");
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    std::string expected = std::string(current) + (current[std::strlen(current) - 1] == '\\' ? "" : "\\") + "brand.ini";
    EXPECT_EQ(FullPath("brand.ini"), expected);
}
#endif
