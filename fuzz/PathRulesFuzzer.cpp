// The path rules over arbitrary bytes: FolderOf must cut a path at its last
// "\", "/" or ":" (the folder ending in it, the rest holding none),
// FileNamePart must be what follows the last "\" or ":", and ChangeFileExt
// must keep the folder, replace only an extension that starts in the name,
// and give the same path when changed again to the same extension.
//
// Input: the extension (ended by a backslash and one more byte), then the path.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "forms/Paths.h"

namespace {

using fuzzing::Fail;
using fuzzing::Shown;

bool HasSeparator(std::string_view text, std::string_view separators = "\\/:") {
    return text.find_first_of(separators) != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string ext = input.ConsumeRandomLengthString(40);
    const std::string path = input.ConsumeRemainingBytesAsString();

    // The folder and the rest are the path, and they meet at its last separator.
    const std::string folder = forms::FolderOf(path);
    const std::string name = path.substr(std::min(folder.size(), path.size()));
    if (!path.starts_with(folder) || (!folder.empty() && !HasSeparator(folder.substr(folder.size() - 1))) ||
        HasSeparator(name)) {
        Fail("FolderOf does not cut the path at its last separator",
             "path " + Shown(path) + "\nfolder " + Shown(folder));
    }
    // The shown name is the path's end after its last "\" or ":".
    const std::string shown = forms::FileNamePart(path);
    if (!path.ends_with(shown) || HasSeparator(shown, "\\:") ||
        (shown.size() < path.size() && !HasSeparator(path.substr(path.size() - shown.size() - 1, 1), "\\:"))) {
        Fail("FileNamePart is not what follows the last backslash or colon",
             "path " + Shown(path) + "\nname " + Shown(shown));
    }

    // The extension is the name's part from its last ".", if it has one.
    const std::string changed = forms::ChangeFileExt(path, ext);
    const std::string expected = folder + name.substr(0, name.rfind('.')) + ext;
    if (changed != expected || (!HasSeparator(ext) && forms::FolderOf(changed) != folder)) {
        Fail("ChangeFileExt did not replace just the name's extension",
             "path " + Shown(path) + "\nextension " + Shown(ext) + "\nexpected " + Shown(expected) + "\ngot " +
                 Shown(changed));
    }
    // An extension proper: a "." and no other "." or separator. (An empty
    // one takes a further extension off each time.)
    const bool proper = !ext.empty() && ext[0] == '.' && ext.find_first_of(".\\/:", 1) == std::string::npos;
    const std::string twice = forms::ChangeFileExt(changed, ext);
    if (proper && twice != changed) {
        Fail("changing the extension again changed the path", "path " + Shown(path) + "\nextension " + Shown(ext) +
                                                                  "\nonce " + Shown(changed) + "\ntwice " +
                                                                  Shown(twice));
    }
    return 0;
}
