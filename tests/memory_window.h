#pragma once

// The window's events raised on the controls in memory, with the focus rule: an adapter for the
// game's scenarios, and a record of where the focus went. What is left to a real window (drawing,
// keys, the screen reader) is not here.

#include "desktop_scenarios.h"
#include "fake_controls.h"
#include "feedback.h"
#include "focus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bitki::test {

class MemoryWindow {
public:
    // Each focus move, with the feedback box's text as the focus went.
    using Moves = std::vector<std::pair<FocusTarget, std::string>>;

    void open() { m_events.Form_Load(); }
    void close() {}

    Rows rows(int list) const { return m_controls.List1.at(static_cast<std::size_t>(list)).rows(); }
    int selected(int list) const
    {
        return m_controls.List1.at(static_cast<std::size_t>(list)).ListIndex() == NoRow ? 0 : 1;
    }
    std::string text(int index) const { return m_controls.Text1.at(static_cast<std::size_t>(index)).Text(); }
    Control focus() const
    {
        return m_moves.empty() || m_moves.back().first == FocusTarget::Feedback ? Control::Feedback
                                                                                : Control::Battles;
    }
    const Moves& moves() const { return m_moves; }

    void click(int list, std::string_view row)
    {
        m_controls.select(list, row);
        m_events.List1_Click(list);
    }
    void clickBesideRows(int list) { m_events.List1_Click(list); }
    void clickRestart() { m_events.Command1_Click(0); }
    void command1Click(int index) { m_events.Command1_Click(index); }
    std::string verdictInHand() const { return std::string(ReadFeedback(text(text1::Feedback)).line); }

private:
    FakeControls m_controls;
    Moves m_moves;
    WindowEvents m_events{m_controls.bind(),
        [this](FocusTarget target) { m_moves.emplace_back(target, text(text1::Feedback)); }};
};

} // namespace bitki::test
