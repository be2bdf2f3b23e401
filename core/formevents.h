#pragma once

#include "controls.h"
#include "quiz.h"

#include <functional>

namespace bitki {

// Where a window puts the input focus after an event.
enum class FocusTarget { Feedback, BattlePicks };

// The window's three event procedures, written once for every front-end. A window creates its
// controls, hands them here, raises these as the user acts, and moves the focus where told.
class FormEvents final {
public:
    using MoveFocus = std::function<void(FocusTarget)>;

    // Puts the design-time content into the freshly created controls.
    FormEvents(const FormControls& form, MoveFocus moveFocus);

    // Fills the pick lists, once, before the window is first shown.
    void Form_Load();
    // A row was selected in List1(index); judges the pair once both pick lists have one.
    Quiz::ClickOutcome List1_Click(int index);
    // Button Command1(index) was pressed; only button 0 exists.
    void Command1_Click(int index);

private:
    Quiz m_quiz;
    MoveFocus m_moveFocus;
};

} // namespace bitki
