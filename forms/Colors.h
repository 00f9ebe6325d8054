#pragma once
// Colour values, window-free so that the profile code shares them: plain RGB
// (red in the low byte) when the top bit is clear, otherwise a system colour
// whose index is the low byte.

#include <cstdint>

namespace forms {

using TColor = std::int32_t;

// The colour that stands for the system colour of the given index (the
// system's COLOR_ constants).
constexpr TColor SystemColor(unsigned index) { return static_cast<TColor>(0x80000000u | index); }

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clBackground = SystemColor(1);     // the desktop
inline constexpr TColor clActiveCaption = SystemColor(2);  // an active window's title bar
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clHotLight = SystemColor(26);  // links and hot-tracked items

}  // namespace forms
