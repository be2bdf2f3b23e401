// The page's code: the same QuizForm as the desktop windows, raised by page.js as the user acts.

#include "browsing.h"
#include "interface.h"
#include "webform.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

extern "C" {
void bitki_dom_focus(int element);
int bitki_starts_with(const char* text, const char* prefix);
}

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

// One character in UTF-8.
std::string utf8(char32_t letter)
{
    std::string text;
    if (letter < 0x80) {
        text += static_cast<char>(letter);
    } else if (letter < 0x800) {
        text += static_cast<char>(0xC0 | letter >> 6);
        text += static_cast<char>(0x80 | (letter & 0x3F));
    } else if (letter < 0x10000) {
        text += static_cast<char>(0xE0 | letter >> 12);
        text += static_cast<char>(0x80 | (letter >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (letter & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | letter >> 18);
        text += static_cast<char>(0x80 | (letter >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (letter >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (letter & 0x3F));
    }
    return text;
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

// Where a pick list's cursor goes, by the rules every window follows (browsing.h): for a letter
// typed at a time (value: its code point), for a page key (value: the rows that show), or after
// a row left (value: that row). NoRow where a letter finds nothing.
EMSCRIPTEN_KEEPALIVE int bitki_browse(int index, int cursor, int move, int value, double now)
{
    if (index != bitki::list1::BattlePicks && index != bitki::list1::CommanderPicks) {
        return bitki::NoRow;
    }
    const bitki::web::WebListControl& list = form().list1(index);
    const auto at = static_cast<bitki::Position>(cursor);
    const int last = list.ListCount() - 1;
    switch (static_cast<bitki::web::Browse>(move)) {
    case bitki::web::Browse::Letter: {
        static std::array<bitki::TypedSearch, 2> searches;
        std::vector<std::string> rows;
        for (bitki::Position row = 0; row <= last; ++row) {
            rows.push_back(list.List(row));
        }
        return bitki::TypeAhead(searches.at(static_cast<std::size_t>(index)),
            utf8(static_cast<char32_t>(value)), static_cast<long long>(now), rows, at,
            [](std::string_view text, std::string_view prefix) {
                return bitki_starts_with(std::string(text).c_str(), std::string(prefix).c_str()) != 0;
            });
    }
    case bitki::web::Browse::PageUp:
        return std::clamp(cursor - bitki::PageStep(value), 0, std::max(last, 0));
    case bitki::web::Browse::PageDown:
        return std::clamp(cursor + bitki::PageStep(value), 0, std::max(last, 0));
    case bitki::web::Browse::Removed:
        return bitki::CursorAfterRemoval(at, static_cast<bitki::Position>(value), list.ListCount());
    }
    return cursor;
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

namespace {

// Every function that page.js is told to call exists.
#define BITKI_DEFINED(name) static_cast<void>(&bitki_##name);
[[maybe_unused]] void everyPageCallIsDefined()
{
    BITKI_PAGE_CALLS(BITKI_DEFINED)
}
#undef BITKI_DEFINED

} // namespace

int main()
{
    form().Form_Load();
    form().show();
    return 0;
}
