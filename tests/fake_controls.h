#pragma once

// In-memory list and text controls that keep a journal of what the quiz did to them.

#include "controls.h"
#include "quiz.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace bitki::test {

using Journal = std::vector<std::string>;

class FakeList final : public ListControl {
public:
    FakeList(int index, bool sorted, Journal& journal);

    Position ListCount() const override;
    std::string List(Position row) const override;
    Position ListIndex() const override;
    void Clear() override;
    void AddItem(std::string_view text) override;
    void RemoveItem(Position row) override;

    // What a user's selection does to the control (the click follows separately).
    void select(Position row);
    const std::vector<std::string>& rows() const { return m_rows; }

private:
    void note(std::string_view what) const;

    int m_index;
    bool m_sorted;
    Journal& m_journal;
    std::vector<std::string> m_rows;
    Position m_selected = NoRow;
};

class FakeText final : public TextControl {
public:
    std::string Text() const override { return m_text; }
    void Text(std::string_view text) override;

    const std::vector<std::string>& writes() const { return m_writes; }
    void forgetWrites() { m_writes.clear(); }

private:
    std::string m_text;
    std::vector<std::string> m_writes;
};

// The window's controls in memory: the pick lists sort their rows, the key lists keep theirs in order.
struct FakeControls {
    FormControls bind() { return BindControls(List1, Text1); }
    // What a user's selection of the row holding this text does to a list.
    void select(int list, std::string_view text);

    Journal journal;
    std::array<FakeList, 5> List1{{{list1::BattlePicks, true, journal},
        {list1::CommanderPicks, true, journal}, {list1::KeyBattles, false, journal},
        {list1::KeyCommanders, false, journal}, {list1::KeyDescriptions, false, journal}}};
    std::array<FakeText, 2> Text1;
};

// The controls with their design-time content, and by default after the window's load has
// filled the pick lists. Journals start empty.
class FakeForm : public FakeControls {
public:
    explicit FakeForm(bool loaded = true);

    // Selects the row holding this text in a pick list, then raises the click.
    Quiz::ClickOutcome pick(int listIndex, std::string_view text);

    Quiz quiz;
};

// Unicode-aware comparison ignoring case, as a sorted list box orders its rows.
bool lessIgnoringCase(std::string_view a, std::string_view b);
// Length in code points; -1 for text that is not valid UTF-8.
int codePoints(std::string_view text);

} // namespace bitki::test
