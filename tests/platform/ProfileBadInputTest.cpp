// Profiles that no editor writes: random bytes, NUL bytes, huge lines, odd
// line ends, byte-order marks, a great many sections. Reading must find what
// a line-by-line reading finds, and a write must keep the other lines. Runs
// on both backends; the byte-exact checks of in-place editing run on ours.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/platform/ProfileTestSupport.h"

namespace {

using namespace profiletest;
using namespace std::string_literals;

class ProfileBadInput : public ::testing::Test {
protected:
    TempFolder folder;
    std::string ini = folder.File("profile.ini");

    // After a write that adds one key to a file, our store must have kept
    // every other byte: the new line stands right after `before`.
    void ExpectInsertedAfter(const std::string& original, const std::string& before, const std::string& line) {
        if (kRealFunctions) return;  // Wine rewrites the whole file in its own layout
        const std::size_t at = original.find(before);
        ASSERT_NE(at, std::string::npos);
        const std::string expected =
            original.substr(0, at + before.size()) + line + original.substr(at + before.size());
        EXPECT_TRUE(ReadBytes(ini) == expected) << "the other bytes of the file changed";
    }
};

std::string RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    bytes[0] = 'x';  // no byte-order mark by chance
    return bytes;
}

TEST_F(ProfileBadInput, RandomBytesAroundAKnownSection) {
    const std::string garbage = RandomBytes(64 * 1024, 7);
    WriteBytes(ini, garbage);
    for (const char* key : {"a", "x", "Title", "=", "[", ";"})
        Read(ini, "Captions", key, "dflt");  // anything, but no crash and no hang
    EXPECT_EQ(Read(ini, "Glimsel Known", "Title", "dflt"), "dflt");

    const std::string text = garbage + "\r\n[Glimsel Known]\r\nTitle=found\r\n[Other]\r\n" + RandomBytes(4096, 8);
    WriteBytes(ini, text);
    EXPECT_EQ(Read(ini, "Glimsel Known", "Title"), "found");
    ASSERT_TRUE(Write(ini, "Glimsel Known", "Dialog", "added"));
    EXPECT_EQ(Read(ini, "Glimsel Known", "Title"), "found");
    EXPECT_EQ(Read(ini, "Glimsel Known", "Dialog"), "added");
    ExpectInsertedAfter(text, "Title=found\r\n", "Dialog=added\r\n");
}

TEST_F(ProfileBadInput, NulBytesEndTheTextOfTheirLine) {
    const std::string text = "[S]\r\na=1\0junk=2\r\n\0\0\0\r\nb=2\r\n[T]\r\nc=3\r\n"s;
    WriteBytes(ini, text);
    EXPECT_EQ(Read(ini, "S", "a"), "1");
    EXPECT_EQ(Read(ini, "S", "junk", "dflt"), "dflt");
    EXPECT_EQ(Read(ini, "S", "b"), "2");
    EXPECT_EQ(Read(ini, "T", "c"), "3");

    ASSERT_TRUE(Write(ini, "T", "d", "4"));
    EXPECT_EQ(Read(ini, "S", "a"), "1");
    EXPECT_EQ(Read(ini, "S", "b"), "2");
    EXPECT_EQ(Read(ini, "T", "d"), "4");
    ExpectInsertedAfter(text, "c=3\r\n", "d=4\r\n");
}

TEST_F(ProfileBadInput, OneMebibyteLines) {
    const std::string big(1 << 20, 'b');
    const std::string text =
        "[S]\r\nbig=" + big + "\r\nafter=ok\r\n[G]\r\n" + std::string(1 << 20, 'g') + "\r\nk=v\r\n";
    WriteBytes(ini, text);
    EXPECT_EQ(Read(ini, "S", "big"), big.substr(0, 1023));
    EXPECT_EQ(Read(ini, "S", "after"), "ok");
    EXPECT_EQ(Read(ini, "G", "k"), "v");

    ASSERT_TRUE(Write(ini, "S", "new", "n"));
    EXPECT_EQ(Read(ini, "S", "big"), big.substr(0, 1023));
    EXPECT_EQ(Read(ini, "G", "k"), "v");
    EXPECT_EQ(Read(ini, "S", "new"), "n");
    ExpectInsertedAfter(text, "after=ok\r\n", "new=n\r\n");
}

TEST_F(ProfileBadInput, LoneCarriageReturns) {
    const std::string text = "[S]\rA=1\r\rB=2\r[T]\rC=3";
    WriteBytes(ini, text);
    EXPECT_EQ(Read(ini, "S", "A"), "1");
    EXPECT_EQ(Read(ini, "S", "B"), "2");
    EXPECT_EQ(Read(ini, "T", "C"), "3");

    ASSERT_TRUE(Write(ini, "S", "N", "n"));
    EXPECT_EQ(Read(ini, "S", "A"), "1");
    EXPECT_EQ(Read(ini, "S", "N"), "n");
    EXPECT_EQ(Read(ini, "T", "C"), "3");
    ExpectInsertedAfter(text, "B=2\r", "N=n\r\n");
}

TEST_F(ProfileBadInput, Utf8ByteOrderMarkOnALineOfItsOwn) {
    const std::string text = "\xEF\xBB\xBF\r\n[S]\r\nk=v\r\n";
    WriteBytes(ini, text);
    EXPECT_EQ(Read(ini, "S", "k"), "v");
    ASSERT_TRUE(Write(ini, "S", "n", "w"));
    EXPECT_EQ(Read(ini, "S", "k"), "v");
    EXPECT_EQ(Read(ini, "S", "n"), "w");
    EXPECT_EQ(ReadBytes(ini).substr(0, 3), "\xEF\xBB\xBF");
}

std::string Utf16(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

TEST_F(ProfileBadInput, Utf16FilesAreReadAndWrittenAsUtf16) {
    WriteBytes(ini, Utf16(u"[S]\r\nk=v\r\nname=caf\u00E9\r\nsign=\u20AC\r\n"));
    EXPECT_EQ(Read(ini, "S", "k"), "v");
    EXPECT_EQ(Read(ini, "S", "name"), "caf\xE9");
    EXPECT_EQ(Read(ini, "S", "sign"), "\x80");

    ASSERT_TRUE(Write(ini, "S", "n", "\xE9t\xE9"));
    ASSERT_TRUE(Write(ini, "T", "m", "x"));
    EXPECT_EQ(Read(ini, "S", "n"), "\xE9t\xE9");
    EXPECT_EQ(ReadBytes(ini),
              Utf16(u"[S]\r\nk=v\r\nname=caf\u00E9\r\nsign=\u20AC\r\nn=\u00E9t\u00E9\r\n[T]\r\nm=x\r\n"));
}

TEST_F(ProfileBadInput, AByteOrderMarkAloneIsAnEmptyUtf16File) {
    WriteBytes(ini, "\xFF\xFE");
    EXPECT_EQ(Read(ini, "S", "k", "dflt"), "dflt");
    ASSERT_TRUE(Write(ini, "S", "k", "v"));
    EXPECT_EQ(ReadBytes(ini), Utf16(u"[S]\r\nk=v\r\n"));
}

TEST_F(ProfileBadInput, AHundredThousandSections) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    WriteBytes(ini, text);
    EXPECT_EQ(Read(ini, "S0", "k"), "0");
    EXPECT_EQ(Read(ini, "S54321", "k"), "54321");
    EXPECT_EQ(Read(ini, "S99999", "k"), "99999");
    EXPECT_EQ(Read(ini, "S100000", "k", "dflt"), "dflt");

    ASSERT_TRUE(Write(ini, "S54321", "n", "new"));
    EXPECT_EQ(Read(ini, "S54321", "n"), "new");
    EXPECT_EQ(Read(ini, "S54322", "k"), "54322");
    EXPECT_EQ(Read(ini, "S99999", "k"), "99999");
    ExpectInsertedAfter(text, "k=54321\r\n", "n=new\r\n");
}

}  // namespace
