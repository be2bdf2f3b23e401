#include "fitting.h"

#include <algorithm>
#include <cmath>

namespace bitki {

Fit Fit::of(int width, int height)
{
    const double scale = std::min(
        static_cast<double>(width) / design::ClientWidth, static_cast<double>(height) / design::ClientHeight);
    return {scale, (width - design::ClientWidth * scale) / 2, (height - design::ClientHeight * scale) / 2};
}

design::Rect Fit::place(const design::Rect& rect) const
{
    const auto whole = [](double pixels) { return static_cast<int>(std::lround(pixels)); };
    return {whole(left + rect.left * scale), whole(top + rect.top * scale), whole(rect.width * scale),
        whole(rect.height * scale)};
}

double ZoomStep(double scale, int direction)
{
    constexpr double Steps = 4;
    return direction > 0 ? (std::floor(scale * Steps + 0.2) + 1) / Steps
                         : (std::ceil(scale * Steps - 0.2) - 1) / Steps;
}

Zoom ZoomWithin(
    double factor, double unit, const design::Rect& work, int frameWidth, int frameHeight, int left, int top)
{
    factor = std::min({factor, (work.width - frameWidth) / (design::ClientWidth * unit),
        (work.height - frameHeight) / (design::ClientHeight * unit)});
    factor = std::max(factor, 1.0);
    const auto outer = [&](int designed, int frame) {
        return static_cast<int>(std::lround(designed * unit * factor)) + frame;
    };
    const auto inside = [](int at, int start, int room, int size) {
        return std::clamp(at, start, std::max(start, start + room - size));
    };
    return {factor, inside(left, work.left, work.width, outer(design::ClientWidth, frameWidth)),
        inside(top, work.top, work.height, outer(design::ClientHeight, frameHeight))};
}

} // namespace bitki
