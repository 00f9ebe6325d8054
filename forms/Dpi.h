#pragma once
// Windows' measures at one scale. On a monitor of another scale than the
// system's, the caption, the borders and the message font of a window
// follow that monitor: Windows 10 1607 and later give their measures per
// scale (found at run time); before, there is only the system's scale, and
// the plain calls give it.

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

}  // namespace forms
