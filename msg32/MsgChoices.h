#pragma once
// What a message box shows, decided without a window: its kind, its flag
// word, and the line that a 1-based index picks from a list.

#include <cstdint>
#include <string>
#include <string_view>

#include "forms/Strings.h"

namespace msg32 {

// The kind of a box; it fixes the icon and the buttons. Stored in one byte.
enum MsgType : std::uint8_t {
    mbInformation,   // OK, information icon
    mbExclamation,   // OK, exclamation icon
    mbConfirmation,  // Yes, No; question icon
    mbSelection,     // Yes, No, Cancel; question icon
    mbRetry,         // Retry, Cancel; question icon
    mbIgnore,        // Abort, Retry, Ignore; question icon
    mbStop,          // OK, stop icon
    mbError,         // OK, stop icon; then the calling command is abandoned
    mbTerminate,     // OK, exclamation icon; then the application is asked to quit
    mbDefault,       // chosen from the text: see ResolveKind
};

// mbDefault becomes mbConfirmation when the text holds a "?", otherwise
// mbExclamation when it holds a "!", otherwise mbInformation. Other kinds
// stay as they are.
MsgType ResolveKind(MsgType kind, std::string_view text);

// The box's flag word: the kind's icon flag (when icons are shown) plus its
// button flag, and no other bit. kind must be resolved.
unsigned BoxFlags(MsgType kind, bool showIcons);

// Line `index` of lines, counting from 1, or fallback when the index is not
// between 1 and the number of lines.
std::string ChooseLine(const forms::TStrings& lines, int index, const std::string& fallback);

}  // namespace msg32
