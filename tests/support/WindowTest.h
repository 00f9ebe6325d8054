#pragma once
// Helpers of the window tests: pumping messages and reading windows back.

#include <string>

#include "forms/Application.h"
#include "forms/Win.h"

namespace testutil {

// Dispatches what is waiting, through the application's own message
// handling (key preview, dialog keys), a bounded number of rounds.
inline void Pump(int rounds = 3) {
    for (int i = 0; i < rounds; ++i) {
        forms::Application->ProcessMessages();
        Sleep(5);
    }
}

inline std::string WindowText(HWND hwnd) {
    char buffer[1024] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

inline RECT ClientRectOf(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

// A window's rectangle relative to its parent's client area.
inline RECT RectInParent(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Presses and releases a key as the keyboard would: through the queue of
// the focused window and the application's message loop.
inline void PressKey(WORD key) {
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    Pump();
}

inline void TypeChar(char c) {
    PostMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
    Pump();
}

}  // namespace testutil
