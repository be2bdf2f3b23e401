#pragma once

// QuizForm of the browser edition: the controls with their content, and the event procedures
// over them. The page (page.cpp) shows it and raises its events; the build draws the page's start
// state from it before any code runs in the browser (shell.cpp), so both come from one place.

#include "focus.h"
#include "webcontrols.h"

#include <array>

namespace bitki::web {

class QuizForm final {
public:
    explicit QuizForm(WindowEvents::MoveFocus moveFocus);
    QuizForm(const QuizForm&) = delete;
    QuizForm& operator=(const QuizForm&) = delete;

    void Form_Load() { m_events.Form_Load(); }
    Quiz::ClickOutcome List1_Click(int index) { return m_events.List1_Click(index); }
    void Command1_Click(int index) { m_events.Command1_Click(index); }

    WebListControl& list1(int index) { return m_list1.at(static_cast<std::size_t>(index)); }
    const WebListControl& list1(int index) const { return m_list1.at(static_cast<std::size_t>(index)); }
    const WebTextControl& text1(int index) const { return m_text1.at(static_cast<std::size_t>(index)); }

    // Mirrors the visible controls into the page's elements from now on.
    void show();

private:
    using Order = WebListControl::Order;
    std::array<WebListControl, 5> m_list1{WebListControl(Order::Sorted), WebListControl(Order::Sorted),
        WebListControl(Order::AsAdded), WebListControl(Order::AsAdded), WebListControl(Order::AsAdded)};
    std::array<WebTextControl, 2> m_text1{};
    WindowEvents m_events;
};

} // namespace bitki::web
