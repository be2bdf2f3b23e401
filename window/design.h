#pragma once

// The window's design-time properties, shared by every front-end: texts,
// colours and the positions of the controls in pixels of the client area.

#include "content.h"

#include <array>
#include <string_view>

namespace bitki::design {

// The window's caption: the web-site address (a school may put its own here), one blank, the title.
inline constexpr std::string_view Caption = "www.bitki.example История - битки, сражения";
inline constexpr std::string_view HeadingText = "История - България, битки";
inline constexpr std::string_view RestartText = "Чисти";

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

} // namespace bitki::design
