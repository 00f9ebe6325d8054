#pragma once
// Reading a whole profile into the configuration document.

#include <string>

#include "config/ConfigDocument.h"

namespace config {

// Reads every value of the profile at path into doc, one read after the
// other in the order of the format: captions, options, menu captions, the
// preview colour, the masks, the About lines. A missing key gives its
// missing-key value; only the colour is different: doc.Color changes only
// when the file holds a usable colour other than 0. doc.AboutLines ends with
// exactly six lines. The caller checks first that the file exists; a file
// that exists but cannot be read raises "Unable to read <path>" before doc
// changes at all.
void LoadDocument(const std::string& path, TConfigDocument& doc);

}  // namespace config
