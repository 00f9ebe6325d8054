#include "config/Loading.h"

#include <windows.h>

#include <utility>

#include "config/IniFile.h"
#include "config/ProfileError.h"

namespace config {

namespace {

// The profile functions read a file that cannot be opened (another program
// holds it without sharing, or this user may not read it) as one without
// keys. The load holds the file open for reading from its first read to its
// last, sharing everything, so that it either reads the file or says that it
// cannot.
class TReadHold {
public:
    explicit TReadHold(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (handle_ == INVALID_HANDLE_VALUE) throw EProfileError(EProfileError::TAction::Read, path);
    }
    ~TReadHold() { CloseHandle(handle_); }
    TReadHold(const TReadHold&) = delete;
    TReadHold& operator=(const TReadHold&) = delete;

private:
    HANDLE handle_;
};

}  // namespace

void LoadDocument(const std::string& path, TConfigDocument& doc) {
    const TReadHold hold(path);
    const TIniFile ini(path);

    doc.Title = ini.ReadValue(kCaptions, kTitle, "");
    doc.Dialog = ini.ReadValue(kCaptions, kDialog, "");
    doc.HelpFile = ini.ReadValue(kOptions, kHelpFile, "");
    doc.Home = ini.ReadValue(kOptions, kHome, "");
    doc.Mail = ini.ReadValue(kOptions, kMail, "");
    doc.Open = ini.ReadValue(kOptions, kOpen, "");
    doc.Default = LowerCaseAtoZ(ini.ReadValue(kOptions, kDefault, ""));
    doc.EditMask = ini.ReadNumber(kOptions, kEditMask, 0) != 0;
    doc.ShowFileNames = ini.ReadNumber(kOptions, kShowFileNames, 1) == 1;

    for (std::size_t i = 0; i < kMenuItemCount; ++i)
        doc.MenuCaptions[i] = ini.ReadValue(kMenu, kMenuKeys[i], std::to_string(i + 1));

    // A colour that is missing, empty, not a number or 0 leaves the preview
    // as it is; its conversion reports nothing.
    if (const auto colour = DecodeColour(ini.ReadValue(kOptions, kColor, ""))) doc.Color = *colour;

    // Up to the first key that is missing or empty.
    doc.Masks.clear();
    for (std::size_t n = 1;; ++n) {
        std::string mask = ini.ReadValue(kExtensions, MaskKey(n), "");
        if (mask.empty()) break;
        doc.Masks.push_back(std::move(mask));
    }

    doc.AboutLines.clear();
    for (std::size_t n = 1; n <= kAboutLineCount; ++n)
        doc.AboutLines.push_back(DecodeAboutLine(ini.ReadValue(kDialogs, AboutKey(n), "")));
}

}  // namespace config
