#include "content.h"
#include "fake_controls.h"
#include "memory_window.h"
#include "sorted_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace bitki {
namespace {

using test::FakeForm;
using Rows = std::vector<std::string>;

const std::string AchelousParagraph(AnswerKey[3].description);

// Rows go in one pair at a time, in the key's order, after both lists are emptied.
TEST(FillLists, FollowsTheKeyRowByRow)
{
    FakeForm form(false);
    form.quiz.FillLists();

    test::Journal expected{"List1(2).ListCount", "List1(0).Clear", "List1(1).Clear"};
    for (const KeyRow& row : AnswerKey) {
        expected.push_back("List1(0).AddItem " + std::string(row.battle));
        expected.push_back("List1(1).AddItem " + std::string(row.commander));
    }
    // What the lists then show, the scenarios check.
    EXPECT_EQ(form.journal, expected);
}

TEST(ListClick, WaitsForBothPicksWhateverTheOrder)
{
    using enum Quiz::ClickOutcome;
    FakeForm form;
    EXPECT_EQ(form.pick(list1::BattlePicks, "Битка при Ахелой"), Waiting);
    EXPECT_EQ(form.pick(list1::BattlePicks, "Битка при Дойран"), Waiting);
    EXPECT_EQ(form.Text1[text1::Feedback].Text(), TaskStatement);

    FakeForm reverse;
    EXPECT_EQ(reverse.pick(list1::CommanderPicks, "цар Симеон"), Waiting);
    EXPECT_EQ(reverse.Text1[text1::Feedback].Text(), TaskStatement);

    FakeForm none;
    EXPECT_EQ(none.quiz.ListClick(), Waiting);
    EXPECT_EQ(none.Text1[text1::Feedback].Text(), TaskStatement);

    for (const FakeForm* f : {&form, &reverse, &none}) {
        EXPECT_EQ(f->List1[list1::BattlePicks].rows().size(), 10U);
        EXPECT_EQ(f->List1[list1::CommanderPicks].rows().size(), 10U);
        EXPECT_TRUE(f->Text1[text1::Feedback].writes().empty());
    }
}

// How the box is written and the order in which rows leave: the scenarios see only the outcome.
TEST(CheckPair, WritesTheVerdictThenItsParagraphAndRemovesTheBattleFirst)
{
    FakeForm form;
    form.pick(list1::BattlePicks, "Битка при Ахелой");
    EXPECT_EQ(form.pick(list1::CommanderPicks, "цар Симеон"), Quiz::ClickOutcome::Judged);
    // The verdict line, then the paragraph appended to it.
    const std::string verdictLine = "Вярно: Битка при Ахелой цар Симеон\r\n";
    EXPECT_EQ(form.Text1[text1::Feedback].writes(), Rows({verdictLine, verdictLine + AchelousParagraph}));
    // Each at its own selected position.
    test::Journal removals;
    std::copy_if(form.journal.begin(), form.journal.end(), std::back_inserter(removals),
        [](const std::string& entry) { return entry.find("RemoveItem") != std::string::npos; });
    EXPECT_EQ(removals, test::Journal({"List1(0).RemoveItem 1", "List1(1).RemoveItem 9"}));

    // A wrong verdict is one write, with no paragraph.
    form.pick(list1::CommanderPicks, "цар Калоян");
    form.pick(list1::BattlePicks, "Битка при Дойран");
    EXPECT_EQ(form.Text1[text1::Feedback].writes().size(), 3U);
    EXPECT_EQ(form.Text1[text1::Feedback].Text(), "Грешка: Битка при Дойран цар Калоян\r\n");
}

TEST(Quiz, KeyListsAndAphorismNeverChange)
{
    FakeForm form;
    form.pick(list1::BattlePicks, "Битка при Ахелой");
    form.pick(list1::CommanderPicks, "цар Симеон");
    form.pick(list1::BattlePicks, "Битка при Дойран");
    form.pick(list1::CommanderPicks, "хан Крум");
    form.quiz.Restart();

    for (const auto& [list, rows] : test::KeyLists) {
        EXPECT_EQ(form.List1.at(static_cast<std::size_t>(list)).rows(), rows) << list;
    }
    EXPECT_EQ(form.Text1[text1::Aphorism].Text(), Aphorism);
    for (const std::string& entry : form.journal) {
        EXPECT_TRUE(
            entry.starts_with("List1(0).") || entry.starts_with("List1(1).") || entry == "List1(2).ListCount")
            << entry;
    }
}

} // namespace

namespace test {
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, GameScenario, MemoryWindow);
// Keys, focus and size need a real window.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(WindowScenario);
} // namespace test

} // namespace bitki
