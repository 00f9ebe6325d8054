#pragma once
// Reading a whole profile into the configuration document.

#include <string>

#include "config/ConfigDocument.h"

namespace config {

// Reads every value of the profile at path into doc through one TIniFile,
// one read after the other: the captions, the options but the colour, the
// menu captions, the preview colour, the masks, the About lines. A missing
// key gives its missing-key value; only the colour is different: doc.Color
// changes only when the profile holds a usable colour other than 0.
// doc.AboutLines ends with exactly six lines.
//
// The caller checks first that the file exists. A file that exists but
// cannot be read raises EProfileError (TAction::Read) before doc changes.
void LoadDocument(const std::string& path, TConfigDocument& doc);

}  // namespace config
