#pragma once

// The window's design-time properties, shared by every front-end: texts,
// colours and the positions of the controls in pixels of the client area.

#include "content.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>

namespace bitki::design {

// The web-site address at the start of the caption; a school may put its own here.
inline constexpr std::string_view SiteAddress = "www.bitki.example";
inline constexpr std::string_view CaptionTitle = "История - битки, сражения";
inline constexpr std::string_view HeadingText = "История - България, битки";
inline constexpr std::string_view RestartText = "Чисти";

// The window's caption: the address, one blank, the title.
inline std::string Caption()
{
    return std::string(SiteAddress) + ' ' + std::string(CaptionTitle);
}

// What assistive technology calls the visible controls, and what it says of them.
inline constexpr std::string_view FeedbackName = "Отговор";
inline constexpr std::string_view FeedbackDescription
    = "Заданието, а след всеки избор на двойка – дали е вярна, и при верен отговор текст за битката";
inline constexpr std::string_view BattlesName = "Битки";
inline constexpr std::string_view BattlesDescription
    = "Изберете битка с интервал или Enter; стрелките само местят курсора";
inline constexpr std::string_view CommandersName = "Пълководци";
inline constexpr std::string_view CommandersDescription
    = "Изберете пълководец с интервал или Enter; двойката се проверява веднага";
inline constexpr std::string_view RestartDescription = "Започва нова игра с всички битки и пълководци";

inline bool ShowsVerdict(std::string_view feedback)
{
    return feedback.starts_with(VerdictRight) || feedback.starts_with(VerdictWrong);
}

// What the feedback box says of itself. While it shows a verdict, the paragraph after the verdict
// line (nothing after a wrong pair): arriving in the box then speaks the verdict and the paragraph
// once. Before that, what the box is for. Lines may end in CR LF or, as a widget gives them, LF.
// The Qt window follows this. The browser edition speaks the same paragraph after the verdict
// line, but not as a description, which browsers announce late (web/webcontrols.h says why). The
// Windows window keeps FeedbackDescription: Windows' accessibility annotations are set once per
// control, and no screen reader here can check one that changes with every verdict.
inline std::string_view FeedbackDescriptionOf(std::string_view text)
{
    if (!ShowsVerdict(text)) {
        return FeedbackDescription;
    }
    const std::size_t lineEnd = text.find('\n');
    std::string_view rest = lineEnd == std::string_view::npos ? std::string_view{} : text.substr(lineEnd);
    constexpr std::string_view Blanks = " \r\n";
    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(Blanks)));
    rest.remove_suffix(rest.size() - std::min(rest.size(), rest.find_last_not_of(Blanks) + 1));
    return rest;
}

// The visible controls that assistive technology names, with what it calls them and says of them.
enum class Described { Feedback, Battles, Commanders, Restart };
struct AccessibleText {
    Described control;
    std::string_view name;
    std::string_view description;
};
inline constexpr std::array<AccessibleText, 4> AccessibleTexts{{
    {Described::Feedback, FeedbackName, FeedbackDescription},
    {Described::Battles, BattlesName, BattlesDescription},
    {Described::Commanders, CommandersName, CommandersDescription},
    {Described::Restart, RestartText, RestartDescription},
}};

// What assistive technology calls this control and says of it.
constexpr const AccessibleText& AccessibleTextOf(Described control)
{
    return *std::find_if(AccessibleTexts.begin(), AccessibleTexts.end(),
        [control](const AccessibleText& text) { return text.control == control; });
}

struct Rgb {
    int red;
    int green;
    int blue;
};

inline constexpr Rgb WindowColour{192, 192, 255};
inline constexpr Rgb HeadingColour{255, 192, 128};
inline constexpr Rgb RestartColour{255, 128, 128};
// The selected row and the focus outline: dark enough for white text and against the window.
inline constexpr Rgb SelectionColour{24, 24, 112};

struct Rect {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int ClientWidth = 461;
inline constexpr int ClientHeight = 345;

inline constexpr std::string_view FontFamily = "Times New Roman";
inline constexpr int FontPointSize = 12;
// The same size in pixels of a screen of 96 dots to the inch (a CSS pixel): points are 1/72 inch.
inline constexpr double FontPixels = FontPointSize * 96.0 / 72;

// Indexed as the control arrays are.
inline constexpr std::array<Rect, 5> List1Rects{{
    {16, 56, 241, 118}, // battle pick list
    {264, 56, 185, 118}, // commander pick list
    {8, 80, 25, 118}, // hidden key lists
    {408, 64, 25, 118},
    {32, 24, 401, 42},
}};
inline constexpr std::array<Rect, 2> Text1Rects{{
    {8, 224, 449, 121}, // feedback box
    {24, 264, 449, 121}, // hidden aphorism box
}};
inline constexpr Rect Label1Rect{64, 0, 305, 25};
inline constexpr Rect Command1Rect{192, 192, 129, 25};

// The design drawn in a client area of any size, as one picture: one factor for everything, so
// that it keeps its proportions, and centred, the spare margin left to the window's colour.
struct Fit {
    double scale;
    double left;
    double top;

    static Fit of(int width, int height)
    {
        const double scale
            = std::min(static_cast<double>(width) / ClientWidth, static_cast<double>(height) / ClientHeight);
        return {scale, (width - ClientWidth * scale) / 2, (height - ClientHeight * scale) / 2};
    }

    // Where a control of the design goes, in whole pixels.
    Rect place(const Rect& rect) const
    {
        const auto whole = [](double pixels) { return static_cast<int>(std::lround(pixels)); };
        return {whole(left + rect.left * scale), whole(top + rect.top * scale), whole(rect.width * scale),
            whole(rect.height * scale)};
    }
};

// The next size up (direction 1) or down (-1) from this scale, in steps of a quarter of the
// designed size. A scale a hair off a step, as whole pixels make it, counts as that step.
inline double zoomStep(double scale, int direction)
{
    constexpr double Steps = 4;
    return direction > 0 ? (std::floor(scale * Steps + 0.2) + 1) / Steps
                         : (std::ceil(scale * Steps - 0.2) - 1) / Steps;
}

struct Zoom {
    double factor;
    int left;
    int top;
};

// The window zoomed to this factor of its designed size, never below it and as far as the work
// area holds it with its frame; moved from where its frame stands only as far as it must to stay
// inside. unit is the screen's pixels per design pixel at the designed size; work is the screen's
// room for windows, in its own pixels.
inline Zoom zoomWithin(
    double factor, double unit, const Rect& work, int frameWidth, int frameHeight, int left, int top)
{
    factor = std::min({factor, (work.width - frameWidth) / (ClientWidth * unit),
        (work.height - frameHeight) / (ClientHeight * unit)});
    factor = std::max(factor, 1.0);
    const auto outer = [&](int designed, int frame) {
        return static_cast<int>(std::lround(designed * unit * factor)) + frame;
    };
    const auto inside = [](int at, int start, int room, int size) {
        return std::clamp(at, start, std::max(start, start + room - size));
    };
    return {factor, inside(left, work.left, work.width, outer(ClientWidth, frameWidth)),
        inside(top, work.top, work.height, outer(ClientHeight, frameHeight))};
}

} // namespace bitki::design
