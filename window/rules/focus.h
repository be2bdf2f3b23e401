#pragma once

// Where the focus goes around the game's events. One rule, followed by every window:
// - A pick that completes a pair: the feedback box takes the focus, and then the verdict is
//   written into it. A screen reader speaks a focus change in any window, and then reads the
//   box's new text. Written first, the text would move the box's caret while the focus was still
//   in the list, and a screen reader would take the box as already focused and say nothing when
//   the focus came.
// - "Чисти" (button 0): the battles take it, where a new game starts.
// - Nothing else moves it. A window moves the focus where it is told, at once, and takes no
//   further step of its own.

#include "formevents.h"

#include <functional>

namespace bitki {

enum class FocusTarget { Feedback, BattlePicks };

// The game's event procedures with the focus moved by that rule.
class WindowEvents final {
public:
    using MoveFocus = std::function<void(FocusTarget)>;

    WindowEvents(const FormControls& form, MoveFocus moveFocus);

    void Form_Load() { m_events.Form_Load(); }
    Quiz::ClickOutcome List1_Click(int index);
    void Command1_Click(int index);

private:
    FormEvents m_events;
    MoveFocus m_moveFocus;
};

} // namespace bitki
