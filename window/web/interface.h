#pragma once

// What the page's script (page.js) and the quiz's code share, written once: the page's elements by
// number and by id, how the page asks where a list's cursor goes, and the functions it calls. The
// build writes them into the page for page.js (shell.cpp), so that the two sides cannot differ.

#include <array>
#include <cstddef>
#include <string_view>

namespace bitki::web {

// The page's elements that mirror a control, by number; each number is also the place of the
// element's id among the page's ids below.
enum class Element { Feedback, Battles, Commanders };
inline constexpr std::size_t ElementCount = static_cast<std::size_t>(Element::Commanders) + 1;

// What page.js and the page's markup call each element, as "name": "id".
struct PageId {
    std::string_view name;
    std::string_view id;
};
inline constexpr std::array<PageId, 6> PageIds{{
    {"feedback", "feedback"},
    {"battles", "battles"},
    {"commanders", "commanders"},
    {"restart", "restart"},
    // What the feedback box says of itself, and where the page speaks the verdict's paragraph.
    {"feedbackAbout", "feedback-about"},
    {"feedbackSaid", "feedback-said"},
}};

// How the page asks where a list's cursor goes, and its name in page.js.
enum class Browse { Letter, PageUp, PageDown, Removed };
inline constexpr std::array<std::string_view, 4> BrowseNames{"letter", "pageUp", "pageDown", "removed"};

// The functions page.js calls, each bitki_<name> in page.cpp (which fails to compile without one).
#define BITKI_PAGE_CALLS(CALL) CALL(pick) CALL(browse) CALL(press) CALL(text)

} // namespace bitki::web
