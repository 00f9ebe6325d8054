#pragma once
// Windows' measures at one scale. On a monitor of another scale than the
// system's, the caption, the borders and the message font of a window
// follow that monitor: Windows 10 1607 and later give their measures per
// scale (found at run time); before, there is only the system's scale, and
// the plain calls give it. A window is sized and placed here by those
// measures.

#include "forms/Graphics.h"
#include "forms/Win.h"

namespace forms {

// The pixels per inch of the window's monitor, or the system's.
int WindowDpi(HWND hwnd);

// The window rectangle around the client rectangle r, at that scale.
void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi);

// GetSystemMetrics at that scale.
int SystemMetricForDpi(int index, int dpi);

// The font of the system's message boxes and dialogs, as the user has set
// it, at that scale; empty when the system does not tell.
FontHandle CreateMessageFont(int dpi);

// The whole rectangle of the monitor the window is on (the primary one when
// it is on none).
RECT MonitorRectOf(HWND hwnd);

// Sizes the window so that its client area is clientWidth by clientHeight,
// whatever frame the system draws at that scale; with `at` its top-left
// corner goes there, otherwise it stays where it is.
void FitToClientSize(HWND hwnd, int clientWidth, int clientHeight, int dpi, const POINT* at = nullptr);

// Moves the window, keeping its size, to the middle of area across, with
// 1/topDivisor of the free height above it (2: in the middle down as well).
void CentreWindowOn(HWND hwnd, const RECT& area, int topDivisor = 2);

}  // namespace forms
