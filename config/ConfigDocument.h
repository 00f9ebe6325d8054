#pragma once
// The values of one profile, one field per value, as the window's controls
// hold them. Loading fills it from a file and saving writes it out; the
// window only copies between its controls and this document.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/ProfileFormat.h"

namespace config {

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

    // Menu: the item captions, in the order of kMenuKeys
    std::array<std::string, kMenuItemCount> MenuCaptions;

    // Extensions: Memo1's lines
    std::vector<std::string> Masks;

    // Dialogs: Memo2's lines
    std::vector<std::string> AboutLines;

    friend bool operator==(const TConfigDocument&, const TConfigDocument&) = default;
};

}  // namespace config
