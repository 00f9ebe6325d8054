// The path rules over arbitrary bytes: FolderOf and FileNamePart must cut a
// path in two at its last "\" or ":" (the folder ending in it, the name
// holding neither), and ChangeFileExt must keep the folder, replace only an
// extension that starts in the name, and give the same path when changed
// again to the same extension.
//
// Input: the extension (ended by a backslash and one more byte), then the path.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "app/Paths.h"
#include "config/ProfileFormat.h"

namespace {

using fuzzing::Fail;
using fuzzing::Shown;

bool HasSeparator(std::string_view text) { return text.find_first_of("\\:") != std::string_view::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string ext = input.ConsumeRandomLengthString(40);
    const std::string path = input.ConsumeRemainingBytesAsString();

    // Both parts together are the path, and they meet at its last separator.
    const std::string folder = glim::FolderOf(path);
    const std::string name = config::FileNamePart(path);
    if (folder + name != path || (!folder.empty() && folder.back() != '\\' && folder.back() != ':') ||
        HasSeparator(name)) {
        Fail("FolderOf and FileNamePart do not cut the path at its last separator",
             "path " + Shown(path) + "\nfolder " + Shown(folder) + "\nname " + Shown(name));
    }

    // The extension is the name's part from its last ".", if it has one.
    const std::string changed = glim::ChangeFileExt(path, ext);
    const std::string expected = folder + name.substr(0, name.rfind('.')) + ext;
    if (changed != expected || (!HasSeparator(ext) && glim::FolderOf(changed) != folder)) {
        Fail("ChangeFileExt did not replace just the name's extension",
             "path " + Shown(path) + "\nextension " + Shown(ext) + "\nexpected " + Shown(expected) + "\ngot " +
                 Shown(changed));
    }
    // An extension proper: a "." and no other "." or separator. (An empty
    // one takes a further extension off each time.)
    const bool proper = !ext.empty() && ext[0] == '.' && ext.find_first_of(".\\:", 1) == std::string::npos;
    const std::string twice = glim::ChangeFileExt(changed, ext);
    if (proper && twice != changed) {
        Fail("changing the extension again changed the path", "path " + Shown(path) + "\nextension " + Shown(ext) +
                                                                  "\nonce " + Shown(changed) + "\ntwice " +
                                                                  Shown(twice));
    }
    return 0;
}
