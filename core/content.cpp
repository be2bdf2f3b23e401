#include "content.h"

namespace bitki {

void LoadDesignTimeContent(const FormControls& form)
{
    for (const KeyRow& row : AnswerKey) {
        form.List1[list1::KeyBattles].get().AddItem(row.battle);
        form.List1[list1::KeyCommanders].get().AddItem(row.commander);
        form.List1[list1::KeyDescriptions].get().AddItem(row.description);
    }
    form.Text1[text1::Feedback].get().Text(TaskStatement);
    form.Text1[text1::Aphorism].get().Text(Aphorism);
}

} // namespace bitki
