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

    Rows rows(int list) const { return m_lists.at(static_cast<std::size_t>(list)).rows(); }
    int selected(int list) const
    {
        return m_lists.at(static_cast<std::size_t>(list)).ListIndex() == NoRow ? 0 : 1;
    }
    std::string text(int index) const { return m_texts.at(static_cast<std::size_t>(index)).Text(); }
    Control focus() const
    {
        return m_moves.empty() || m_moves.back().first == FocusTarget::Feedback ? Control::Feedback
                                                                                : Control::Battles;
    }
    const Moves& moves() const { return m_moves; }

    void click(int list, std::string_view row)
    {
        const Rows shown = rows(list);
        const auto found = std::find(shown.begin(), shown.end(), row);
        ASSERT_NE(found, shown.end()) << row;
        m_lists.at(static_cast<std::size_t>(list)).select(static_cast<Position>(found - shown.begin()));
        m_events.List1_Click(list);
    }
    void clickBesideRows(int list) { m_events.List1_Click(list); }
    void clickRestart() { m_events.Command1_Click(0); }
    void command1Click(int index) { m_events.Command1_Click(index); }
    std::string verdictInHand() const { return std::string(ReadFeedback(text(text1::Feedback)).line); }

private:
    Journal m_journal;
    std::array<FakeList, 5> m_lists{{{list1::BattlePicks, true, m_journal},
        {list1::CommanderPicks, true, m_journal}, {list1::KeyBattles, false, m_journal},
        {list1::KeyCommanders, false, m_journal}, {list1::KeyDescriptions, false, m_journal}}};
    std::array<FakeText, 2> m_texts;
    Moves m_moves;
    WindowEvents m_events{BindControls(m_lists, m_texts),
        [this](FocusTarget target) { m_moves.emplace_back(target, m_texts[text1::Feedback].Text()); }};
};

} // namespace bitki::test
