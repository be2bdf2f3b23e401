#include "colours.h"

#include "design.h"

namespace bitki::win32 {

namespace {

COLORREF toColorRef(design::Rgb rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

} // namespace

Palette Palette::of(bool highContrast)
{
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    if (highContrast) {
        return {background, background, text, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT), text,
            background};
    }
    constexpr COLORREF Black = RGB(0, 0, 0);
    return {toColorRef(design::WindowColour), toColorRef(design::HeadingColour), Black,
        toColorRef(design::RestartColour), Black, text, background};
}

bool highContrastOn()
{
    HIGHCONTRASTW state{};
    state.cbSize = sizeof state;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0) != FALSE
        && (state.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace bitki::win32
