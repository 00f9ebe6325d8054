#pragma once
// What a load and a save do to the profile as a file, beside the profile
// functions. The profile functions cannot tell a locked file from a missing
// one, and a save is many separate writes; these classes make a load either
// read the file or say so, and a save either write the whole profile or leave
// it as it was.

#include <string>
#include <string_view>

namespace config {

// One open file, closed with the object: the little a load and a save do to a
// profile beyond the profile functions. Every open shares reading, writing
// and deleting with every other holder of the file.
class TOpenFile {
public:
    // The existing file at path, for reading (and writing); a symbolic link
    // is followed. Not open when the file cannot be opened so.
    static TOpenFile Existing(const std::string& path, bool forWriting);
    // A file made at path that did not exist before; not open when there is
    // one already or none can be made. Off Windows, ownerOnly makes it
    // readable by its owner alone; on Windows it takes its folder's security.
    static TOpenFile CreateNew(const std::string& path, bool ownerOnly = false);

    TOpenFile();  // not open
    TOpenFile(TOpenFile&& other) noexcept;
    TOpenFile& operator=(TOpenFile&& other) noexcept;
    TOpenFile(const TOpenFile&) = delete;
    TOpenFile& operator=(const TOpenFile&) = delete;
    ~TOpenFile();

    bool IsOpen() const;
    void Close();
    // The whole content, read from the start.
    bool ReadAll(std::string& content) const;
    // Makes bytes the whole content.
    bool Rewrite(std::string_view bytes);
    // Waits until what was written is on the disk.
    bool Flush();

private:
#ifdef _WIN32
    explicit TOpenFile(void* handle) : handle_(handle) {}
    void* handle_;
#else
    explicit TOpenFile(int fd) : fd_(fd) {}
    int fd_;
#endif
};

// Holds the file at path open for reading for as long as it lives, so that
// nobody can lock it away between two reads of one load. Raises "Unable to
// read <path>" when the file cannot be opened for reading (another program
// holds it without sharing, or this user may not read it): every read would
// give its missing-key value.
class TReadHold {
public:
    explicit TReadHold(const std::string& path);

private:
    TOpenFile file_;
};

// One save of a profile. The writes go to WritePath(): a draft in the
// temporary folder that starts as a copy of the profile. Commit() then writes
// the draft's content into the profile itself, in place, and puts the old
// content back if that write fails part-way. The profile keeps everything but
// its content: its path, a symbolic link and its target, every name of a
// file with several, its permissions, owner, attributes and security. The
// destructor removes the draft, so nothing new is ever left beside the
// profile, and a save that fails leaves it byte for byte as it was.
//
// A read-only profile, or one that this user or another program keeps from
// being written, is refused at construction with "Unable to write to
// <profile>", before anything changes. A missing profile is made only by
// Commit(), in its own folder. Where the path names a folder, or no draft can
// be made, the writes go straight into the profile, as they would without a
// draft.
class TProfileDraft {
public:
    explicit TProfileDraft(std::string profile);
    ~TProfileDraft();
    TProfileDraft(const TProfileDraft&) = delete;
    TProfileDraft& operator=(const TProfileDraft&) = delete;

    const std::string& WritePath() const { return draft_; }

    // Makes the draft's content the profile's; raises the write error naming
    // the profile when that fails.
    void Commit();

private:
    bool InPlace() const { return draft_ == profile_; }

    std::string profile_;
    std::string draft_;
    TOpenFile target_;    // the profile, open for writing, when it existed
    std::string before_;  // its content when the save began
};

}  // namespace config
