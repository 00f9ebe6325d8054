#pragma once
// Writing the configuration document into a profile.

#include <functional>
#include <string>

#include "config/ConfigDocument.h"

namespace config {

// The write operations of a profile, as TIniFile offers them. SaveDocument
// writes through TIniFile; a test can stand in another writer to see the
// exact series of writes.
class TProfileWriter {
public:
    virtual ~TProfileWriter() = default;
    virtual void WriteValue(const std::string& section, const std::string& key, const std::string& value) = 0;
    virtual void WriteFlag(const std::string& section, const std::string& key, bool flag) = 0;
    virtual void ClearSection(const std::string& section) = 0;
};

// Writes every value of doc, one write after the other: the captions, the
// menu captions, the masks (section erased first), the options with the
// colour last, then the About lines (section erased first). The order is
// fixed: where a save must write straight into the profile, it is what a
// save that fails half-way leaves behind. A write that raises stops the
// series there.
//
// Two rules keep what is written readable by the next load:
// - a mask line that is empty or holds only blanks is not written, and the
//   masks that are written are numbered E1, E2, ... without gaps (a load
//   stops at the first empty key);
// - an About line that begins with ">" gets a further ">" in front, as one
//   that begins with a blank does (a load drops one leading ">").
void WriteDocument(TProfileWriter& out, const TConfigDocument& doc);

// Writes doc into the profile at path through one TIniFile, created and
// destroyed here whichever way the save ends. A missing file is created;
// keys that the program does not know stay in Captions, Menu and Options and
// are gone from Extensions and Dialogs. The save is whole or nothing: a
// refused write raises the error "Unable to write to <path>" and the profile
// stays as it was (see TProfileDraft).
void SaveDocument(const std::string& path, const TConfigDocument& doc);

// SaveDocument's frame around any series of writes: they go to a draft of the
// profile at path, which takes the profile's place only when all succeeded.
void SaveWholeProfile(const std::string& path, const std::function<void(TProfileWriter&)>& write);

}  // namespace config
