#pragma once
// Whether a text colour can be read on its background: the contrast ratio of
// WCAG 2, from relative luminance, and the choice of a readable colour.
// Colours are RGB values with red in the low byte, as COLORREF holds them.

#include <cstdint>
#include <initializer_list>

namespace forms {

// The contrast ratio of two colours, from 1 (alike) to 21 (black on white).
double ContrastRatio(std::uint32_t a, std::uint32_t b);

// The ratio at which a text of ordinary size reads well.
inline constexpr double kReadableContrast = 4.5;

// `wanted` where it reaches kReadableContrast on `background`, else the first
// of `fallbacks` that does, else the last of them.
std::uint32_t ReadableColor(std::uint32_t wanted, std::uint32_t background,
                            std::initializer_list<std::uint32_t> fallbacks);

}  // namespace forms
