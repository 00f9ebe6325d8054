#pragma once
// The application title: the caption of the window and of every message box,
// and the first half of the caption after a load.

namespace glim {

inline constexpr char kTitle[] = "Glimsel - Configuration";

}  // namespace glim
