#pragma once
// The values of one profile, one field per value, as the window's controls
// hold them. Loading fills it from a file and saving writes it out; the
// window only copies between its controls and this document.

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "config/ProfileFormat.h"

namespace config {

inline constexpr std::size_t kMenuItemCount = 8;

struct TConfigDocument {
    // Captions
    std::string Title;   // Edit1
    std::string Dialog;  // Edit2

    // Options
    std::string HelpFile;               // Edit3, whole; saving stores its file-name part
    std::string Home;                   // Edit4
    std::string Mail;                   // Edit5
    std::string Open;                   // Edit6
    std::string Default;                // Edit7
    bool EditMask = false;              // CheckBox1
    bool ShowFileNames = true;          // CheckBox2
    std::int32_t Color = clBackground;  // ScrollBox1's colour

    // Menu: the item captions, in the order of their keys in kProfileKeys
    std::array<std::string, kMenuItemCount> MenuCaptions;

    // Extensions: Memo1's lines
    std::vector<std::string> Masks;

    // Dialogs: Memo2's lines
    std::vector<std::string> AboutLines;

    friend bool operator==(const TConfigDocument&, const TConfigDocument&) = default;
};

// A key of the profile, or a whole section of keys, with the field of the
// document that holds its value: a text field, a flag field, or an item of
// MenuCaptions.
struct ProfileKey {
    const char* section;
    const char* key;  // nullptr: the whole section (Masks, AboutLines)
    ValueKind kind;
    const char* missing;  // taken when the key is missing (a number's text for flags);
                          // nullptr: the field keeps its value
    std::string TConfigDocument::*text = nullptr;
    bool TConfigDocument::*flag = nullptr;
    int menuItem = -1;
};

// Every value of the profile, in the order in which a save writes it (a load
// reads them in the order of kLoadOrder). The Masks and AboutLines rows stand
// for their whole sections, which a save erases and writes anew. The colour
// is the document's Color, the masks its Masks, the About lines its
// AboutLines.
// clang-format off
inline constexpr ProfileKey kProfileKeys[] = {
    {kCaptions,   "Title",         ValueKind::Text,           "",  &TConfigDocument::Title},
    {kCaptions,   "Dialog",        ValueKind::Text,           "",  &TConfigDocument::Dialog},
    // The digit defaults apply to a missing key only; a key present with an
    // empty value gives an empty caption.
    {kMenu,       "Copy",          ValueKind::Text,           "1", nullptr, nullptr, 0},
    {kMenu,       "Icon",          ValueKind::Text,           "2", nullptr, nullptr, 1},
    {kMenu,       "Bitmap",        ValueKind::Text,           "3", nullptr, nullptr, 2},
    {kMenu,       "Background",    ValueKind::Text,           "4", nullptr, nullptr, 3},
    {kMenu,       "Homepage",      ValueKind::Text,           "5", nullptr, nullptr, 4},
    {kMenu,       "EMail",         ValueKind::Text,           "6", nullptr, nullptr, 5},
    {kMenu,       "Help",          ValueKind::Text,           "7", nullptr, nullptr, 6},
    {kMenu,       "About",         ValueKind::Text,           "8", nullptr, nullptr, 7},
    {kExtensions, nullptr,         ValueKind::Masks,          nullptr},
    {kOptions,    "EditMask",      ValueKind::FlagNotZero,    "0", nullptr, &TConfigDocument::EditMask},
    {kOptions,    "ShowFileNames", ValueKind::FlagExactlyOne, "1", nullptr, &TConfigDocument::ShowFileNames},
    {kOptions,    "HelpFile",      ValueKind::FileName,       "",  &TConfigDocument::HelpFile},
    {kOptions,    "Open",          ValueKind::Text,           "",  &TConfigDocument::Open},
    {kOptions,    "Default",       ValueKind::LowerCaseText,  "",  &TConfigDocument::Default},
    {kOptions,    "Home",          ValueKind::Text,           "",  &TConfigDocument::Home},
    {kOptions,    "Mail",          ValueKind::Text,           "",  &TConfigDocument::Mail},
    {kOptions,    "Color",         ValueKind::Colour,         nullptr},
    {kDialogs,    nullptr,         ValueKind::AboutLines,     nullptr},
};
// clang-format on

// The row of kProfileKeys for a key, or for a whole section when key is
// nullptr; the number of rows when there is none.
constexpr std::size_t RowOf(std::string_view section, const char* key) {
    std::size_t row = 0;
    for (const ProfileKey& k : kProfileKeys) {
        if (k.section == section && (k.key && key ? std::string_view(k.key) == key : k.key == key)) return row;
        ++row;
    }
    return row;
}

// The rows in the order in which a load reads them: the captions, the
// options but the colour, the menu captions, the colour, the masks, the About
// lines.
// clang-format off
inline constexpr std::size_t kLoadOrder[] = {
    RowOf(kCaptions, "Title"), RowOf(kCaptions, "Dialog"),
    RowOf(kOptions, "HelpFile"), RowOf(kOptions, "Home"), RowOf(kOptions, "Mail"), RowOf(kOptions, "Open"),
    RowOf(kOptions, "Default"), RowOf(kOptions, "EditMask"), RowOf(kOptions, "ShowFileNames"),
    RowOf(kMenu, "Copy"), RowOf(kMenu, "Icon"), RowOf(kMenu, "Bitmap"), RowOf(kMenu, "Background"),
    RowOf(kMenu, "Homepage"), RowOf(kMenu, "EMail"), RowOf(kMenu, "Help"), RowOf(kMenu, "About"),
    RowOf(kOptions, "Color"),
    RowOf(kExtensions, nullptr),
    RowOf(kDialogs, nullptr),
};
// clang-format on

// Every row once.
constexpr bool ReadsEveryRowOnce() {
    constexpr std::size_t rows = std::size(kProfileKeys);
    if (std::size(kLoadOrder) != rows) return false;
    for (std::size_t row = 0; row < rows; ++row) {
        std::size_t seen = 0;
        for (std::size_t read : kLoadOrder) seen += read == row;
        if (seen != 1) return false;
    }
    return true;
}
static_assert(ReadsEveryRowOnce(), "a load reads every value of the profile once");

// The text field of a row of a text kind.
inline std::string& TextField(TConfigDocument& doc, const ProfileKey& row) {
    return row.text ? doc.*row.text : doc.MenuCaptions[static_cast<std::size_t>(row.menuItem)];
}
inline const std::string& TextField(const TConfigDocument& doc, const ProfileKey& row) {
    return row.text ? doc.*row.text : doc.MenuCaptions[static_cast<std::size_t>(row.menuItem)];
}

// The row of a key, or nullptr for keys outside the table.
inline const ProfileKey* FindProfileKey(std::string_view section, const char* key) {
    const std::size_t row = key ? RowOf(section, key) : std::size(kProfileKeys);
    return row < std::size(kProfileKeys) ? &kProfileKeys[row] : nullptr;
}

}  // namespace config
