#pragma once

#include "controls.h"

namespace bitki {

// The game logic. It keeps no state of its own: everything lives in the
// window's controls, reached through the control arrays it is given.
class Quiz final {
public:
    explicit Quiz(const FormControls& form);

    // Empties both pick lists and refills them from the answer key.
    void FillLists();
    // What the restart button does: a fresh game and an empty feedback box.
    void Restart();
    // What a click in a list led to.
    enum class ClickOutcome { Waiting, Judged };

    // Whether both pick lists have a selection, so that the next click judges the pair.
    bool PairChosen() const;

    // Runs after the user selects a row in any list: once both pick lists
    // have a selection, the pair is judged.
    ClickOutcome ListClick();

private:
    void CheckPair();
    ListControl& list(int index) const;
    TextControl& text(int index) const;

    FormControls m_form;
};

} // namespace bitki
