#pragma once
// Reading a whole profile into the configuration document.

#include <cstdint>
#include <string>

#include "config/ConfigDocument.h"

namespace config {

// The read operations of a profile, as TIniFile offers them. LoadDocument
// reads through TIniFile; a test can stand in another reader to see the exact
// series of reads.
class TProfileReader {
public:
    virtual ~TProfileReader() = default;
    virtual std::string ReadValue(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const = 0;
    virtual std::int32_t ReadNumber(const std::string& section, const std::string& key,
                                    std::int32_t defaultValue) const = 0;
};

// Reads every value into doc, one read after the other in the order of
// kLoadOrder: captions, options, menu captions, the preview colour, the
// masks, the About lines. A missing key gives its missing-key value; only the
// colour is different: doc.Color changes only when the profile holds a usable
// colour other than 0. doc.AboutLines ends with exactly six lines.
void ReadDocument(const TProfileReader& in, TConfigDocument& doc);

// ReadDocument from the profile at path, through one TIniFile. The caller
// checks first that the file exists; a file that exists but cannot be read
// raises "Unable to read <path>" before doc changes at all.
void LoadDocument(const std::string& path, TConfigDocument& doc);

}  // namespace config
