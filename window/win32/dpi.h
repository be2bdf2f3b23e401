#pragma once

// The screen's dots per inch and the window frame that goes with them.

#include <windows.h>

namespace bitki::win32 {

// The DPI of the window's monitor (Windows 10 and later), or of the screen.
UINT dpiOf(HWND window);
// Pixels per design pixel on the window's screen: 1 at 96 DPI.
double screenScale(HWND window);
// The whole window, frame included, around a client area of the designed size times this factor.
SIZE frameSize(HWND window, double factor);

} // namespace bitki::win32
