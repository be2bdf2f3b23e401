#pragma once

namespace bitki {

// Names the running program to the desktop (name, version, desktop entry) and
// picks the style that paints the window's own colours on every desktop.
// Call once, right after the QApplication is created.
void configureApplication();

} // namespace bitki
