#include "formevents.h"

#include "content.h"

#include <utility>

namespace bitki {

FormEvents::FormEvents(const FormControls& form, MoveFocus moveFocus)
    : m_quiz(form)
    , m_moveFocus(std::move(moveFocus))
{
    LoadDesignTimeContent(form);
}

void FormEvents::Form_Load()
{
    m_quiz.FillLists();
}

Quiz::ClickOutcome FormEvents::List1_Click(int /*index*/)
{
    // The focus reaches the feedback box before the verdict does: a screen reader then hears a
    // fresh focus change and reads the new text, wherever it last left the caret in the box.
    if (m_quiz.PairChosen()) {
        m_moveFocus(FocusTarget::Feedback);
    }
    return m_quiz.ListClick();
}

void FormEvents::Command1_Click(int index)
{
    if (index != 0) {
        return;
    }
    m_quiz.Restart();
    // A new game starts at the battles.
    m_moveFocus(FocusTarget::BattlePicks);
}

} // namespace bitki
