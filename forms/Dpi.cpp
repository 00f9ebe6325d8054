#include "forms/Dpi.h"

namespace forms {

namespace {

template <typename F>
F* User32(const char* name) {
    return reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

// The per-scale functions of Windows 10 1607, where the system has them.
struct PerScale {
    UINT(WINAPI* getDpiForWindow)(HWND) = User32<UINT WINAPI(HWND)>("GetDpiForWindow");
    BOOL(WINAPI* adjustWindowRectExForDpi)
    (LPRECT, DWORD, BOOL, DWORD,
     UINT) = User32<BOOL WINAPI(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = User32<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
    BOOL(WINAPI* systemParametersInfoForDpi)
    (UINT, UINT, PVOID, UINT, UINT) = User32<BOOL WINAPI(UINT, UINT, PVOID, UINT, UINT)>("SystemParametersInfoForDpi");
};

const PerScale& Functions() {
    static const PerScale functions;
    return functions;
}

}  // namespace

int WindowDpi(HWND hwnd) {
    if (auto get = Functions().getDpiForWindow)
        if (UINT dpi = get(hwnd)) return static_cast<int>(dpi);
    WindowDC dc(nullptr);
    int dpi = GetDeviceCaps(dc.Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi) {
    if (auto adjust = Functions().adjustWindowRectExForDpi)
        if (adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
}

int SystemMetricForDpi(int index, int dpi) {
    if (auto get = Functions().getSystemMetricsForDpi) return get(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index);
}

FontHandle CreateMessageFont(int dpi) {
    // The per-scale answer comes in the wide structure only.
    if (auto get = Functions().systemParametersInfoForDpi) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (get(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi)))
            return FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return FontHandle(CreateFontIndirectA(&metrics.lfMessageFont));
    return FontHandle();
}

RECT MonitorRectOf(HWND hwnd) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &info)) return info.rcMonitor;
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void FitToClientSize(HWND hwnd, int clientWidth, int clientHeight, int dpi, const POINT* at) {
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectForDpi(r, static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)), dpi);
    const int width = r.right - r.left, height = r.bottom - r.top;
    // Moved in the same call: a window put where WM_DPICHANGED suggests takes
    // its new size there, not first on the monitor it leaves.
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (at ? 0 : SWP_NOMOVE);
    SetWindowPos(hwnd, nullptr, at ? at->x : 0, at ? at->y : 0, width, height, flags);
    // The frame may differ from what AdjustWindowRectEx assumed (another
    // DPI, some window managers): make sure the client area is exact.
    RECT client{};
    GetClientRect(hwnd, &client);
    if (client.right != clientWidth || client.bottom != clientHeight)
        SetWindowPos(hwnd, nullptr, 0, 0, width + clientWidth - client.right, height + clientHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreWindowOn(HWND hwnd, const RECT& area, int topDivisor) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int x = area.left + (area.right - area.left - (r.right - r.left)) / 2;
    const int y = area.top + (area.bottom - area.top - (r.bottom - r.top)) / topDivisor;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace forms
