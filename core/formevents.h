#pragma once

#include "controls.h"
#include "quiz.h"

namespace bitki {

// The window's three event procedures, written once for every front-end. A window creates its
// controls, hands them here and raises these as the user acts.
class FormEvents final {
public:
    // Puts the design-time content into the freshly created controls.
    explicit FormEvents(const FormControls& form);

    // Fills the pick lists, once, before the window is first shown.
    void Form_Load();
    // A row was selected in List1(index); judges the pair once both pick lists have one.
    Quiz::ClickOutcome List1_Click(int index);
    // Button Command1(index) was pressed; only button 0 exists.
    void Command1_Click(int index);

    // Whether the next click judges a pair: both pick lists have a selection.
    bool PairChosen() const { return m_quiz.PairChosen(); }

private:
    Quiz m_quiz;
};

} // namespace bitki
