#pragma once
// The one place of the framework that includes <windows.h>; the few files
// that use the common controls, dialogs or shell include those headers
// themselves. WIN32_LEAN_AND_MEAN, NOMINMAX and STRICT come from the build.
#include <windows.h>
