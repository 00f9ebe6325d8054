#pragma once
// Conversion between the ANSI code page (Windows-1252) and UTF-16 code units,
// for profiles stored as UTF-16 text: their names and values reach the caller
// as ANSI text, as the "A" profile functions of Windows hand them over.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The UTF-16 code unit of one Windows-1252 character.
char16_t AnsiToWide(unsigned char c);

// The Windows-1252 character for a UTF-16 code unit, or '?' when the code
// page has none (surrogates included).
char WideToAnsi(char16_t unit);

// UTF-16 little-endian bytes of an ANSI text.
std::string AnsiToUtf16Le(std::string_view ansi);

}  // namespace platform
