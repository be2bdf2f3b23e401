#include "dpi.h"

#include "design.h"

#include <cmath>

namespace bitki::win32 {

namespace {

template <typename Function> Function fromUser32(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

} // namespace

UINT dpiOf(HWND window)
{
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = fromUser32<GetDpiForWindow>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        return getDpiForWindow(window);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

double screenScale(HWND window)
{
    return dpiOf(window) / 96.0;
}

SIZE frameSize(HWND window, double factor)
{
    RECT frame{0, 0, static_cast<LONG>(std::lround(design::ClientWidth * factor)),
        static_cast<LONG>(std::lround(design::ClientHeight * factor))};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = fromUser32<AdjustForDpi>("AdjustWindowRectExForDpi");
    if (adjustForDpi == nullptr || adjustForDpi(&frame, style, FALSE, extended, dpiOf(window)) == FALSE) {
        AdjustWindowRectEx(&frame, style, FALSE, extended);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

} // namespace bitki::win32
