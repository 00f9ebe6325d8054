#include "forms/Contrast.h"

#include <cmath>

namespace forms {

namespace {

double Channel(std::uint32_t value) {
    const double c = static_cast<double>(value & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t rgb) {
    return 0.2126 * Channel(rgb) + 0.7152 * Channel(rgb >> 8) + 0.0722 * Channel(rgb >> 16);
}

}  // namespace

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

std::uint32_t ReadableColor(std::uint32_t wanted, std::uint32_t background,
                            std::initializer_list<std::uint32_t> fallbacks) {
    if (ContrastRatio(wanted, background) >= kReadableContrast) return wanted;
    for (std::uint32_t colour : fallbacks)
        if (ContrastRatio(colour, background) >= kReadableContrast) return colour;
    return fallbacks.size() ? *(fallbacks.end() - 1) : wanted;
}

}  // namespace forms
