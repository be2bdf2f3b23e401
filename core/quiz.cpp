#include "quiz.h"

#include "content.h"

#include <string>

namespace bitki {

Quiz::Quiz(const FormControls& form)
    : m_form(form)
{
}

ListControl& Quiz::list(int index) const
{
    return m_form.List1.at(static_cast<std::size_t>(index)).get();
}

TextControl& Quiz::text(int index) const
{
    return m_form.Text1.at(static_cast<std::size_t>(index)).get();
}

void Quiz::FillLists()
{
    // The commander column is as long as the battle column, so one count serves both.
    const Position count = list(list1::KeyBattles).ListCount();
    for (const int k : {list1::BattlePicks, list1::CommanderPicks}) {
        list(k).Clear();
    }
    for (Position i = 0; i < count; ++i) {
        list(list1::BattlePicks).AddItem(list(list1::KeyBattles).List(i));
        list(list1::CommanderPicks).AddItem(list(list1::KeyCommanders).List(i));
    }
}

void Quiz::Restart()
{
    FillLists();
    text(text1::Feedback).Text("");
}

bool Quiz::PairChosen() const
{
    return list(list1::BattlePicks).ListIndex() > NoRow && list(list1::CommanderPicks).ListIndex() > NoRow;
}

Quiz::ClickOutcome Quiz::ListClick()
{
    if (PairChosen()) {
        CheckPair();
        return ClickOutcome::Judged;
    }
    return ClickOutcome::Waiting;
}

void Quiz::CheckPair()
{
    bool found = false;
    Position row = NoRow;
    const Position sel0 = list(list1::BattlePicks).ListIndex();
    const Position sel1 = list(list1::CommanderPicks).ListIndex();
    const std::string battle = list(list1::BattlePicks).List(sel0);
    const std::string commander = list(list1::CommanderPicks).List(sel1);

    // No early exit: every key row is compared, and the last match would win.
    const Position count = list(list1::KeyBattles).ListCount();
    for (Position i = 0; i < count; ++i) {
        if (list(list1::KeyCommanders).List(i) == commander && list(list1::KeyBattles).List(i) == battle) {
            found = true;
            row = i;
        }
    }

    TextControl& feedback = text(text1::Feedback);
    const std::string pair = battle + ' ' + commander + std::string(LineBreak);
    if (found) {
        feedback.Text(std::string(VerdictRight) + pair);
        feedback.Text(feedback.Text() + list(list1::KeyDescriptions).List(row));
    } else {
        feedback.Text(std::string(VerdictWrong) + pair);
    }

    list(list1::BattlePicks).RemoveItem(sel0);
    list(list1::CommanderPicks).RemoveItem(sel1);
}

} // namespace bitki
