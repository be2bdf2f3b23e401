#include "formevents.h"

#include "content.h"

namespace bitki {

FormEvents::FormEvents(const FormControls& form)
    : m_quiz(form)
{
    LoadDesignTimeContent(form);
}

void FormEvents::Form_Load()
{
    m_quiz.FillLists();
}

Quiz::ClickOutcome FormEvents::List1_Click(int /*index*/)
{
    return m_quiz.ListClick();
}

void FormEvents::Command1_Click(int index)
{
    if (index == 0) {
        m_quiz.Restart();
    }
}

} // namespace bitki
