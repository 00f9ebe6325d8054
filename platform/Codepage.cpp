#include "platform/Codepage.h"

#include <array>

namespace platform {

namespace {

// 0x80 to 0x9F, the only range where Windows-1252 departs from Latin-1. The
// five unassigned bytes map to the C1 controls of the same number, as
// MultiByteToWideChar maps them, so every byte makes the round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char16_t AnsiToWide(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) return kHighControls[c - 0x80];
    return c;
}

char WideToAnsi(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == unit) return static_cast<char>(0x80 + i);
    return '?';
}

std::string AnsiToUtf16Le(std::string_view ansi) {
    std::string bytes;
    bytes.reserve(ansi.size() * 2);
    for (char c : ansi) {
        const char16_t unit = AnsiToWide(static_cast<unsigned char>(c));
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

}  // namespace platform
