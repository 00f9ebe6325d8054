#pragma once
// What a load and a save do to the profile as a file, beside the profile
// functions. The profile functions cannot tell a locked file from a missing
// one, and a save is many separate writes; these two classes make a load
// either read the file or say so, and a save either write the whole profile
// or leave it as it was.

#include <string>

namespace config {

// Holds the file at path open for reading, shared with every other reader and
// writer, for as long as it lives, so that nobody can lock it away between
// two reads of one load. Raises "Unable to read <path>" when the file cannot
// be opened for reading (another program holds it without sharing, or this
// user may not read it): every read would give its missing-key value.
class TReadHold {
public:
    explicit TReadHold(const std::string& path);
    ~TReadHold();
    TReadHold(const TReadHold&) = delete;
    TReadHold& operator=(const TReadHold&) = delete;

private:
#ifdef _WIN32
    void* handle_;
#else
    int fd_;
#endif
};

// One save of a profile. The writes go to WritePath(): a new file in the
// profile's folder that starts as a copy of the profile. Commit() puts it in
// the profile's place in one step, keeping the profile's attributes and
// security; the destructor removes a draft that was not committed. So a save
// that fails leaves the profile byte for byte as it was and nothing new
// beside it.
//
// A read-only profile, or one that this user or another program keeps from
// being written, is refused at construction with "Unable to write to
// <profile>", before anything changes: a new file in its place must not get
// around that. Where no new file can be made in the folder (a missing folder,
// a folder that only lets existing files change, a folder at the path), the
// writes go straight into the profile, as they would without a draft.
class TProfileDraft {
public:
    explicit TProfileDraft(std::string profile);
    ~TProfileDraft();
    TProfileDraft(const TProfileDraft&) = delete;
    TProfileDraft& operator=(const TProfileDraft&) = delete;

    const std::string& WritePath() const { return draft_; }

    // Makes the draft the profile; raises the write error naming the profile
    // when that fails.
    void Commit();

private:
    bool InPlace() const { return draft_ == profile_; }

    std::string profile_;
    std::string draft_;
    bool existed_ = false;          // the draft replaces a file rather than becoming a new one
    bool finished_ = false;         // committed, or kept because it holds the only copy
    unsigned long attributes_ = 0;  // the profile's file attributes (Windows)
};

}  // namespace config
