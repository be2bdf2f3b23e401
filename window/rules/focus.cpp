#include "focus.h"

#include <utility>

namespace bitki {

WindowEvents::WindowEvents(const FormControls& form, MoveFocus moveFocus)
    : m_events(form)
    , m_moveFocus(std::move(moveFocus))
{
}

Quiz::ClickOutcome WindowEvents::List1_Click(int index)
{
    if (m_events.PairChosen()) {
        m_moveFocus(FocusTarget::Feedback);
    }
    return m_events.List1_Click(index);
}

void WindowEvents::Command1_Click(int index)
{
    m_events.Command1_Click(index);
    if (index == 0) {
        m_moveFocus(FocusTarget::BattlePicks);
    }
}

} // namespace bitki
