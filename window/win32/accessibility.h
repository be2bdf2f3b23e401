#pragma once

// What assistive technology calls the window's visible controls and says of them, set through
// Windows' own service (Wine has none: there the controls go without, and the quiz works the same).

#include "design.h"

#include <windows.h>

#include <array>

namespace bitki::win32 {

// The controls in the order of design::Described.
void nameControls(const std::array<HWND, design::AccessibleTexts.size()>& controls);

} // namespace bitki::win32
