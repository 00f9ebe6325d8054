#pragma once
// Writing the configuration document into a profile.

#include <functional>
#include <string>

#include "config/ConfigDocument.h"
#include "config/IniFile.h"

namespace config {

// Writes every value of doc into the profile at path through one TIniFile,
// one write after the other: the captions, the menu captions, the masks
// (section erased first), the options with the colour last, then the About
// lines (section erased first). A missing file is created; keys that the
// program does not know stay in Captions, Menu and Options and are gone from
// Extensions and Dialogs. A refused write raises EProfileError
// (TAction::Write) naming path, and the profile stays as it was.
//
// Two rules keep what is written readable by the next load:
// - a mask line that reads back empty is not written, and the masks that are
//   written are numbered E1, E2, ... without gaps (a load stops at the first
//   empty key);
// - an About line that begins with ">" gets a further ">" in front, as one
//   that begins with a blank does (a load drops one leading ">").
void SaveDocument(const std::string& path, const TConfigDocument& doc);

// SaveDocument's frame around any series of writes, which makes a save whole
// or nothing: the writes go to a draft of the profile that starts as a copy
// of it, in the temporary folder or, where that cannot hold it, beside the
// profile. The draft's content then takes the place of the profile's,
// written into the profile in place (the old content put back if that write
// fails part-way), so that the profile keeps everything but its content: its
// path, a symbolic link and its target, every name of a file with several,
// its permissions, owner, attributes and security. The draft is removed:
// nothing new is left beside the profile.
//
// Where no draft can be made and written anywhere, the writes go straight
// into the profile, and its old content is put back (a new profile removed)
// when one of them is refused. A save is refused only when the profile
// itself cannot be written: a read-only profile, a folder, one that this
// user or another program keeps from being written, a full drive. Every file
// operation goes through FileOperations().
void SaveWholeProfile(const std::string& path, const std::function<void(TIniFile&)>& write);

}  // namespace config
