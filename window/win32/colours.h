#pragma once

// The window's colours: the designed ones, or, while Windows' High Contrast is on, the system's
// own, so that every control reads in the scheme the pupil chose.

#include <windows.h>

namespace bitki::win32 {

struct Palette {
    COLORREF window;
    COLORREF heading;
    COLORREF headingText;
    COLORREF button;
    COLORREF buttonText;
    // The feedback box takes the system's colours in any scheme, as the list boxes do.
    COLORREF text;
    COLORREF textBackground;

    static Palette of(bool highContrast);
};

bool highContrastOn();

} // namespace bitki::win32
