// Our store's own promises about the file: a write replaces it whole or not
// at all, keeps its permissions and links, and a read never misses a change
// that another writer made.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/Profile.h"
#include "tests/platform/ProfileTestSupport.h"

namespace {

using namespace profiletest;

class StoreFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::string ini = folder.File("profile.ini");

    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator()));
    }
};

TEST_F(StoreFile, ARefusedWriteLeavesTheFileAndNoLeftovers) {
    WriteBytes(ini, "[S]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(ini.c_str(), 0444), 0);
    EXPECT_FALSE(Write(ini, "S", "k", "2"));
    EXPECT_EQ(ReadBytes(ini), "[S]\r\nk=1\r\n");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(StoreFile, AWriteKeepsPermissionsAndLeavesNoTemporaryFile) {
    WriteBytes(ini, "[S]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(ini.c_str(), 0640), 0);
    ASSERT_TRUE(Write(ini, "S", "k", "2"));
    struct stat info {};
    ASSERT_EQ(::stat(ini.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(StoreFile, AWriteThroughASymbolicLinkChangesTheTarget) {
    const std::string target = folder.File("real.ini");
    WriteBytes(target, "[S]\r\nk=1\r\n");
    std::filesystem::create_symlink(target, ini);
    ASSERT_TRUE(Write(ini, "S", "k", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(ini));
    EXPECT_EQ(ReadBytes(target), "[S]\r\nk=2\r\n");

    std::filesystem::remove(target);
    EXPECT_FALSE(Write(ini, "S", "k", "3")) << "a dangling link is not replaced by a file";
    EXPECT_TRUE(std::filesystem::is_symlink(ini));
}

TEST_F(StoreFile, APipeIsNoProfile) {
    ASSERT_EQ(::mkfifo(ini.c_str(), 0644), 0);
    EXPECT_EQ(Read(ini, "S", "k", "dflt"), "dflt");  // must not wait for a writer
    EXPECT_FALSE(Write(ini, "S", "k", "v"));
    EXPECT_TRUE(platform::FileExists(ini.c_str()));
}

// Another writer that keeps the size and puts the old modification time back
// is the change a time-stamp cache misses.
void RewriteBehindTheStoresBack(const std::string& path, const std::string& bytes) {
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    WriteBytes(path, bytes);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST_F(StoreFile, AChangeByAnotherWriterIsSeenAtTheNextRead) {
    WriteBytes(ini, "[S]\r\nk=1\r\n");
    EXPECT_EQ(Read(ini, "S", "k"), "1");
    RewriteBehindTheStoresBack(ini, "[S]\r\nk=2\r\n");
    EXPECT_EQ(Read(ini, "S", "k"), "2");
    ASSERT_TRUE(Write(ini, "S", "k", "3"));
    EXPECT_EQ(Read(ini, "S", "k"), "3");
}

}  // namespace
