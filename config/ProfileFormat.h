#pragma once
// The layout of the profile: its five sections, the kinds of value, and one
// function per encoding between a control's content and the stored text. The
// keys themselves, each with the document field that holds its value, are in
// ConfigDocument.h.

#include <array>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/Colors.h"

namespace config {

// The system colour of the desktop, which stands for "no colour chosen".
using forms::clBackground;

inline constexpr char kCaptions[] = "Captions";
inline constexpr char kOptions[] = "Options";
inline constexpr char kMenu[] = "Menu";
inline constexpr char kExtensions[] = "Extensions";
inline constexpr char kDialogs[] = "Dialogs";

enum class ValueKind {
    Text,            // the control's text, character for character
    FileName,        // written as FileNamePart() of the text, read as text
    LowerCaseText,   // written as text, read with A to Z turned into a to z
    FlagNotZero,     // written "1"/"0"; ticked when the number read is not 0
    FlagExactlyOne,  // written "1"/"0"; ticked only when the number read is 1
    Colour,          // EncodeColour() / DecodeColour()
    Masks,           // a whole section: the masks as E1, E2, ... (EncodeMasks() / DecodeMasks())
    AboutLines,      // a whole section: the About lines as L1 to L6 (EncodeAboutLines() / DecodeAboutLine())
};

// Section Extensions holds Memo1's masks as E1, E2, ...; section Dialogs holds
// Memo2's About lines as exactly L1 to L6.
inline constexpr std::size_t kAboutLineCount = 6;
// The spaces after the first About line, in the profile and in the viewer's
// About box.
inline constexpr std::size_t kFirstLinePadding = 13;
std::string MaskKey(std::size_t lineNumber);
std::string AboutKey(std::size_t lineNumber);

// Text kinds: the stored text of a control's text, and back.
std::string EncodeText(ValueKind kind, std::string_view text);
std::string DecodeText(ValueKind kind, std::string_view stored);

// The characters after the last '\' or ':' (all of them when there is none).
std::string FileNamePart(std::string_view path);

// A to Z turned into a to z; every other character unchanged.
std::string LowerCaseAtoZ(std::string_view text);

// Whether a flag's check box is ticked for the number read, by its kind's rule.
bool FlagTicked(ValueKind kind, std::int32_t number);

// clBackground as an empty text; any other colour as "$" and at least six
// upper-case hexadecimal digits of its 32 bits.
std::string EncodeColour(std::int32_t colour);

// The colour a stored text gives, or nothing when the preview colour stays as
// it is: an empty text, a text that is not a number (decimal or "$" hex, no
// "0x"), and 0.
std::optional<std::int32_t> DecodeColour(std::string_view stored);

// The keys and values that save the masks: E1, E2, ... without gaps, one per
// line that does not read back empty (blank, or a lone pair of quotes).
std::vector<std::pair<std::string, std::string>> EncodeMasks(const std::vector<std::string>& lines);

// The masks read through readValue(key), from E1 up to the first key whose
// value is empty (or missing).
std::vector<std::string> DecodeMasks(const std::function<std::string(const std::string& key)>& readValue);

// The values of L1 to L6 for Memo2's lines: trailing blanks trimmed, ">" put
// before a leading ">", a leading quote, or a leading character that the
// profile functions drop at the start of a value (blank, tab, vertical tab,
// form feed, Ctrl-Z), 13 spaces after the first line, empty values for the lines that Memo2 lacks;
// lines after the sixth are not stored.
std::array<std::string, kAboutLineCount> EncodeAboutLines(const std::vector<std::string>& lines);

// The line a stored About value gives: a leading ">" is dropped and what
// follows it cut to 255 characters; other values are taken whole.
std::string DecodeAboutLine(std::string_view stored);

// The text without its trailing characters of codes 0 to 32 (as unsigned).
std::string TrimRightBlanks(std::string_view text);

}  // namespace config
