#pragma once
// The layout of the profile: its sections and keys, spelt as the viewer reads
// them, and one function per encoding between a control's content and the
// stored text.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Colors.h"

namespace config {

// The system colour of the desktop, which stands for "no colour chosen".
using forms::clBackground;

// [Captions]: the viewer's title and the caption of its save dialog.
inline constexpr char kCaptions[] = "Captions";
inline constexpr char kTitle[] = "Title";
inline constexpr char kDialog[] = "Dialog";

// [Options]
inline constexpr char kOptions[] = "Options";
inline constexpr char kHelpFile[] = "HelpFile";
inline constexpr char kHome[] = "Home";
inline constexpr char kMail[] = "Mail";
inline constexpr char kOpen[] = "Open";
inline constexpr char kDefault[] = "Default";
inline constexpr char kEditMask[] = "EditMask";            // ticked when the number is not 0; missing: 0
inline constexpr char kShowFileNames[] = "ShowFileNames";  // ticked when the number is 1; missing: 1
inline constexpr char kColor[] = "Color";

// [Menu]: the captions of the viewer's icon menu, in the order of its items.
// A missing key gives the item's number, "1" to "8"; a key present with an
// empty value gives an empty caption.
inline constexpr char kMenu[] = "Menu";
inline constexpr std::size_t kMenuItemCount = 8;
inline constexpr const char* kMenuKeys[kMenuItemCount] = {"Copy",     "Icon",  "Bitmap", "Background",
                                                          "Homepage", "EMail", "Help",   "About"};

// [Extensions]: Memo1's masks as E1, E2, ...; [Dialogs]: Memo2's About lines
// as exactly L1 to L6.
inline constexpr char kExtensions[] = "Extensions";
inline constexpr char kDialogs[] = "Dialogs";
inline constexpr std::size_t kAboutLineCount = 6;
std::string MaskKey(std::size_t lineNumber);
std::string AboutKey(std::size_t lineNumber);

// The spaces after the first About line, in the profile and in the viewer's
// About box.
inline constexpr std::size_t kFirstLinePadding = 13;

// A to Z turned into a to z; every other character unchanged: how the default
// extension is read.
std::string LowerCaseAtoZ(std::string_view text);

// clBackground as an empty text; any other colour as "$" and at least six
// upper-case hexadecimal digits of its 32 bits.
std::string EncodeColour(std::int32_t colour);

// The colour a stored text gives, or nothing when the preview colour stays as
// it is: an empty text, a text that is not a number (decimal or "$" hex, no
// "0x"), and 0.
std::optional<std::int32_t> DecodeColour(std::string_view stored);

// The masks that a save writes as E1, E2, ... in turn: every line but those
// that would read back empty (blank, or a lone pair of quotes), which would
// end the list at the next load.
std::vector<std::string> EncodeMasks(const std::vector<std::string>& lines);

// The values of L1 to L6 for Memo2's lines: trailing blanks trimmed, ">" put
// before a leading ">", before a leading character that the profile
// functions drop at the start of a value (blank, tab, vertical tab, form
// feed, Ctrl-Z) and before a line that begins and ends with the same quote,
// 13 spaces after the first line, empty values for the lines that Memo2
// lacks; lines after the sixth are not stored.
std::array<std::string, kAboutLineCount> EncodeAboutLines(const std::vector<std::string>& lines);

// The line a stored About value gives: a leading ">" is dropped and what
// follows it cut to 255 characters; other values are taken whole.
std::string DecodeAboutLine(std::string_view stored);

// The text without its trailing characters of codes 0 to 32 (as unsigned).
std::string TrimRightBlanks(std::string_view text);

}  // namespace config
