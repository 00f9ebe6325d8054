#pragma once
// The one place of the framework that includes the Windows headers.
// WIN32_LEAN_AND_MEAN, NOMINMAX and STRICT come from the build.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
