#pragma once
// What screen readers learn of a control that its window alone does not
// tell them: the control answers WM_GETOBJECT with an IAccessible that wraps
// the standard one of its window and puts its own role, name and default
// action in. The accessibility DLLs load when a screen reader first asks.

#include "forms/Win.h"

namespace forms {

class TWinControl;

inline constexpr long kRolePushButton = 0x2B;  // ROLE_SYSTEM_PUSHBUTTON

// Posted to a control whose default action was asked for: the action runs
// after the screen reader's call has returned, never inside it.
inline constexpr UINT kAccessibleActionMessage = WM_APP + 0x0A11;

// The answer to WM_GETOBJECT for the control's client area, or 0 where the
// accessibility DLLs are missing (the window then gives the standard one).
LRESULT AccessibleObjectResult(TWinControl& control, WPARAM wp);

}  // namespace forms
