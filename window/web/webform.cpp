#include "webform.h"

#include <utility>

namespace bitki::web {

QuizForm::QuizForm(WindowEvents::MoveFocus moveFocus)
    : m_events(BindControls(m_list1, m_text1), std::move(moveFocus))
{
}

void QuizForm::show()
{
    // The key lists and the aphorism stay here: nothing of them reaches the page.
    m_list1[list1::BattlePicks].show(Element::Battles);
    m_list1[list1::CommanderPicks].show(Element::Commanders);
    m_text1[text1::Feedback].show(Element::Feedback);
}

} // namespace bitki::web
