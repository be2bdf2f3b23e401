// The page's code: the same QuizForm as the desktop windows, raised by page.js as the user acts.

#include "webform.h"

#include <emscripten/emscripten.h>

#include <string>

extern "C" void bitki_dom_focus(int element);

namespace {

bitki::web::QuizForm& form()
{
    static bitki::web::QuizForm form([](bitki::FocusTarget target) {
        bitki_dom_focus(
            static_cast<int>(target == bitki::FocusTarget::Feedback ? bitki::web::Element::Feedback
                                                                    : bitki::web::Element::Battles));
    });
    return form;
}

} // namespace

extern "C" {

// The user picked a row of a pick list (0 battles, 1 commanders), by click, tap, Space or Enter.
EMSCRIPTEN_KEEPALIVE void bitki_pick(int index, int row)
{
    if ((index == bitki::list1::BattlePicks || index == bitki::list1::CommanderPicks)
        && form().list1(index).pick(static_cast<bitki::Position>(row))) {
        form().List1_Click(index);
    }
}

EMSCRIPTEN_KEEPALIVE void bitki_press(int index)
{
    form().Command1_Click(index);
}

// The exact text of a text box, CR LF included, as the quiz wrote it (the page shows LF only).
EMSCRIPTEN_KEEPALIVE const char* bitki_text(int index)
{
    static std::string text;
    text = index == bitki::text1::Feedback ? form().text1(index).Text() : std::string();
    return text.c_str();
}

} // extern "C"

int main()
{
    form().Form_Load();
    form().show();
    return 0;
}
