#pragma once

// The game as a pupil plays it, written once, as the browser tests are written once for three
// engines. GameScenario runs wherever the window's events can be raised (the controls in memory,
// the Qt window, the Windows window); WindowScenario adds what needs a real window: the keyboard,
// the focus, the size. Each test file gives an adapter (a class with the members these tests call:
// open, close, rows, selected, text, focus, click, ... each said below where it is not plain) and
// instantiates the suites over it, in namespace bitki::test:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Qt, GameScenario, QtWindow);

#include "browsing.h"
#include "content.h"
#include "controls.h"
#include "design.h"
#include "sorted_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace bitki::test {

using Rows = std::vector<std::string>;

enum class Control { Feedback, Battles, Commanders, Restart, Heading, Other };
// Keys pressed where the focus is; the zoom keys with Ctrl held (ZoomInEquals: Ctrl and =).
enum class Key {
    Tab,
    BackTab,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    Space,
    Enter,
    KeypadEnter,
    ZoomIn,
    ZoomInEquals,
    ZoomOut,
    ZoomReset,
};

inline std::string verdict(std::string_view word, std::string_view battle, std::string_view commander)
{
    return std::string(word) + std::string(battle) + " " + std::string(commander) + "\r\n";
}

inline std::string right(const KeyRow& row)
{
    return verdict(VerdictRight, row.battle, row.commander) + std::string(row.description);
}

inline const KeyRow& answer(std::string_view battle)
{
    return *std::find_if(
        AnswerKey.begin(), AnswerKey.end(), [battle](const KeyRow& row) { return row.battle == battle; });
}

template <typename Window> class GameScenario : public testing::Test {
protected:
    void SetUp() override { window.open(); }
    void TearDown() override { window.close(); }

    std::string feedback() { return window.text(text1::Feedback); }
    bool anySelection()
    {
        return window.selected(list1::BattlePicks) + window.selected(list1::CommanderPicks) > 0;
    }

    // The text of the row under a list's cursor.
    std::string cursorRow(int list)
    {
        const Rows rows = window.rows(list);
        const Position cursor = window.cursor(list);
        return cursor >= 0 && cursor < static_cast<Position>(rows.size())
            ? rows[static_cast<std::size_t>(cursor)]
            : "(no row)";
    }

    // The cursor moved to this row with Home and Down only.
    void moveTo(int list, std::string_view row)
    {
        window.press(Key::Home);
        for (std::size_t step = 0; step < window.rows(list).size() && cursorRow(list) != row; ++step) {
            window.press(Key::Down);
        }
        ASSERT_EQ(cursorRow(list), row);
    }

    // A pair clicked in the given order; one pick alone is not judged.
    void choose(std::string_view battle, std::string_view commander, bool commanderFirst)
    {
        const std::string before = feedback();
        window.click(
            commanderFirst ? list1::CommanderPicks : list1::BattlePicks, commanderFirst ? commander : battle);
        EXPECT_EQ(feedback(), before) << "one pick alone";
        window.click(
            commanderFirst ? list1::BattlePicks : list1::CommanderPicks, commanderFirst ? battle : commander);
    }

    // A right pair and then a wrong one, each picked in the given order.
    void rightThenWrong(bool commanderFirst)
    {
        choose("Битка при Ахелой", "цар Симеон", commanderFirst);
        EXPECT_EQ(feedback(), right(AnswerKey[3]));
        Rows battles = SortedBattles;
        battles.erase(battles.begin() + 1);
        Rows commanders = SortedCommanders;
        commanders.erase(commanders.begin() + 9);
        EXPECT_EQ(window.rows(list1::BattlePicks), battles);
        EXPECT_EQ(window.rows(list1::CommanderPicks), commanders);
        EXPECT_FALSE(anySelection());
        // The verdict has the focus, for a screen reader to speak from its line (verdictInHand: the
        // caret's line, or the selection where the window selects it).
        EXPECT_EQ(window.focus(), Control::Feedback);
        EXPECT_EQ(window.verdictInHand(), "Вярно: Битка при Ахелой цар Симеон");

        choose("Битка при Адрианопол", "хан Крум", commanderFirst);
        EXPECT_EQ(feedback(), verdict(VerdictWrong, "Битка при Адрианопол", "хан Крум"));
        EXPECT_EQ(window.rows(list1::BattlePicks).size(), 8U);
        EXPECT_EQ(window.rows(list1::CommanderPicks).size(), 8U);
        EXPECT_FALSE(anySelection());
        EXPECT_EQ(window.verdictInHand(), "Грешка: Битка при Адрианопол хан Крум");
    }

    Window window;
};

TYPED_TEST_SUITE_P(GameScenario);

TYPED_TEST_P(GameScenario, StartsWithSortedListsTheTaskStatementAndTheKey)
{
    auto& window = this->window;
    EXPECT_EQ(window.rows(list1::BattlePicks), SortedBattles);
    EXPECT_EQ(window.rows(list1::CommanderPicks), SortedCommanders);
    EXPECT_FALSE(this->anySelection());
    EXPECT_EQ(this->feedback(), TaskStatement);
    // The key and the aphorism are there, in the design's order.
    for (const auto& [list, rows] : KeyLists) {
        EXPECT_EQ(window.rows(list), rows) << list;
    }
    EXPECT_EQ(window.text(text1::Aphorism), Aphorism);
}

TYPED_TEST_P(GameScenario, RightThenWrongPairBattleFirst)
{
    this->rightThenWrong(false);
}

TYPED_TEST_P(GameScenario, RightThenWrongPairCommanderFirst)
{
    this->rightThenWrong(true);
}

// Every key row in both orders, each in a game where the earlier rows are gone.
TYPED_TEST_P(GameScenario, FullGamesThenClicksOnEmptyListsThenRestart)
{
    auto& window = this->window;
    for (const bool commanderFirst : {false, true}) {
        for (const KeyRow& row : AnswerKey) {
            const std::size_t before = window.rows(list1::BattlePicks).size();
            this->choose(row.battle, row.commander, commanderFirst);
            EXPECT_EQ(this->feedback(), right(row));
            EXPECT_EQ(window.rows(list1::BattlePicks).size(), before - 1);
            EXPECT_EQ(window.rows(list1::CommanderPicks).size(), before - 1);
            EXPECT_FALSE(this->anySelection());
        }
        const std::string last = this->feedback();
        for (const int list : {list1::BattlePicks, list1::CommanderPicks}) {
            window.clickBesideRows(list);
        }
        EXPECT_EQ(this->feedback(), last);
        EXPECT_TRUE(window.rows(list1::BattlePicks).empty());
        EXPECT_TRUE(window.rows(list1::CommanderPicks).empty());

        window.clickRestart();
        EXPECT_EQ(window.rows(list1::BattlePicks), SortedBattles);
        EXPECT_EQ(window.rows(list1::CommanderPicks), SortedCommanders);
        EXPECT_FALSE(this->anySelection());
        EXPECT_EQ(this->feedback(), "");
    }
}

TYPED_TEST_P(GameScenario, RestartInMidGameAndOnlyForButtonZero)
{
    auto& window = this->window;
    window.click(list1::BattlePicks, "Битка при Дойран");
    window.click(list1::CommanderPicks, "кота 1050");
    window.click(list1::BattlePicks, "Тутраканска операция");

    window.command1Click(1);
    EXPECT_EQ(window.rows(list1::BattlePicks).size(), 9U);
    EXPECT_EQ(window.selected(list1::BattlePicks), 1);
    EXPECT_EQ(this->feedback(), verdict(VerdictWrong, "Битка при Дойран", "кота 1050"));

    window.command1Click(0);
    EXPECT_EQ(window.rows(list1::BattlePicks), SortedBattles);
    EXPECT_EQ(window.rows(list1::CommanderPicks), SortedCommanders);
    EXPECT_FALSE(this->anySelection());
    EXPECT_EQ(this->feedback(), "");
    EXPECT_EQ(window.focus(), Control::Battles);
    // Again on a fresh game: still each row once, the task statement does not come back, and the
    // key stays as it was.
    window.command1Click(0);
    EXPECT_EQ(window.rows(list1::BattlePicks), SortedBattles);
    EXPECT_EQ(window.rows(list1::CommanderPicks), SortedCommanders);
    EXPECT_EQ(this->feedback(), "");
    for (const auto& [list, rows] : KeyLists) {
        EXPECT_EQ(window.rows(list), rows) << list;
    }
    EXPECT_EQ(window.text(text1::Aphorism), Aphorism);
}

REGISTER_TYPED_TEST_SUITE_P(GameScenario, StartsWithSortedListsTheTaskStatementAndTheKey,
    RightThenWrongPairBattleFirst, RightThenWrongPairCommanderFirst,
    FullGamesThenClicksOnEmptyListsThenRestart, RestartInMidGameAndOnlyForButtonZero);

template <typename Window> class WindowScenario : public GameScenario<Window> {
    // The game's fixture, for the tests that need a real window.
};

TYPED_TEST_SUITE_P(WindowScenario);

TYPED_TEST_P(WindowScenario, ShowsThePicksTheBoxAndTheButtonNeverTheKey)
{
    auto& window = this->window;
    EXPECT_EQ(window.focus(), Control::Feedback);
    for (const Control control :
        {Control::Feedback, Control::Battles, Control::Commanders, Control::Restart}) {
        EXPECT_TRUE(window.visible(control)) << static_cast<int>(control);
    }
    for (const int list : {list1::KeyBattles, list1::KeyCommanders, list1::KeyDescriptions}) {
        EXPECT_TRUE(window.hiddenKey(list)) << list;
    }
    EXPECT_TRUE(window.hiddenAphorism());
}

TYPED_TEST_P(WindowScenario, TabFollowsTheDesign)
{
    auto& window = this->window;
    for (const Control next : {Control::Battles, Control::Commanders, Control::Restart, Control::Feedback}) {
        window.press(Key::Tab);
        EXPECT_EQ(window.focus(), next);
    }
    window.press(Key::BackTab);
    EXPECT_EQ(window.focus(), Control::Restart);
    EXPECT_FALSE(this->anySelection());
    EXPECT_EQ(this->feedback(), TaskStatement);
}

TYPED_TEST_P(WindowScenario, KeyboardBrowsesWithoutJudgingAndPicksWithSpaceOrEnter)
{
    auto& window = this->window;
    window.press(Key::Tab);
    ASSERT_EQ(window.focus(), Control::Battles);
    // Each key's row, the page keys by the rows the list shows (pageStep).
    const int page = window.pageStep(list1::BattlePicks);
    for (const auto& [key, row] : std::vector<std::pair<Key, int>>{{Key::Down, 1}, {Key::Down, 2},
             {Key::End, 9}, {Key::Home, 0}, {Key::PageDown, page}, {Key::Up, page - 1}, {Key::PageUp, 0}}) {
        window.press(key);
        EXPECT_EQ(window.cursor(list1::BattlePicks), row) << "key " << static_cast<int>(key);
    }
    // First letters: more letters narrow the search, letter case aside; after a pause a letter
    // starts below the cursor, and wraps round.
    const auto typed = [&](int list, std::string_view letters) {
        window.type(letters);
        std::string row = this->cursorRow(list);
        window.pause(static_cast<int>(TypeAheadPause) + 100);
        return row;
    };
    EXPECT_EQ(typed(list1::BattlePicks, "Лю"), "Люлебургас - БунарХисар");
    EXPECT_EQ(typed(list1::BattlePicks, "л"), "Лозенградска операция");
    window.press(Key::Tab);
    ASSERT_EQ(window.focus(), Control::Commanders);
    EXPECT_EQ(typed(list1::CommanderPicks, "ц"), "цар Иван Асен II");
    EXPECT_EQ(typed(list1::CommanderPicks, "ц"), "цар Калоян");
    window.press(Key::End);
    EXPECT_EQ(this->cursorRow(list1::CommanderPicks), "цар Симеон");
    window.press(Key::Up);
    EXPECT_EQ(this->cursorRow(list1::CommanderPicks), "цар Калоян");
    EXPECT_FALSE(this->anySelection());
    EXPECT_EQ(this->feedback(), TaskStatement);

    // Space picks a battle and judges nothing; Enter on a commander judges the pair.
    window.press(Key::BackTab);
    window.press(Key::Home);
    window.press(Key::Space);
    EXPECT_EQ(window.selected(list1::BattlePicks), 1);
    EXPECT_EQ(this->feedback(), TaskStatement);
    window.press(Key::Tab);
    window.press(Key::Enter);
    EXPECT_EQ(this->feedback(), right(answer("Битка при Адрианопол")));
    EXPECT_FALSE(this->anySelection());
    EXPECT_EQ(window.rows(list1::BattlePicks).size(), 9U);
    EXPECT_EQ(window.rows(list1::CommanderPicks).size(), 9U);
    // Each cursor rests on the row that moved into the place of the picked one.
    EXPECT_EQ(window.cursor(list1::BattlePicks), 0);
    EXPECT_EQ(this->cursorRow(list1::CommanderPicks), "цар Симеон");

    // The keypad's Enter picks too.
    window.press(Key::Tab);
    ASSERT_EQ(window.focus(), Control::Battles);
    window.press(Key::KeypadEnter);
    window.press(Key::Tab);
    window.press(Key::Space);
    EXPECT_EQ(this->feedback(), right(answer("Битка при Ахелой")));
}

// Keys go wherever the focus is, as they do for a pupil without a mouse.
TYPED_TEST_P(WindowScenario, KeyboardAlonePlaysAFullGameAndRestarts)
{
    auto& window = this->window;
    window.press(Key::Tab);
    for (const KeyRow& row : AnswerKey) {
        ASSERT_EQ(window.focus(), Control::Battles);
        this->moveTo(list1::BattlePicks, row.battle);
        const std::string before = this->feedback();
        window.press(Key::Space);
        window.press(Key::Tab);
        this->moveTo(list1::CommanderPicks, row.commander);
        EXPECT_EQ(this->feedback(), before);
        window.press(Key::Enter);
        EXPECT_EQ(this->feedback(), right(row));
        EXPECT_FALSE(this->anySelection());
        // The verdict has the focus, for a screen reader to speak; Tab leads back to the battles.
        EXPECT_EQ(window.focus(), Control::Feedback);
        window.press(Key::Tab);
    }
    // Keys in the empty lists change nothing.
    const std::string last = this->feedback();
    for (int list = 0; list < 2; ++list) {
        window.press(Key::Space);
        window.press(Key::Down);
        window.press(Key::Enter);
        window.press(Key::Tab);
    }
    EXPECT_EQ(this->feedback(), last);
    EXPECT_TRUE(window.rows(list1::BattlePicks).empty());

    ASSERT_EQ(window.focus(), Control::Restart);
    window.press(Key::Space);
    EXPECT_EQ(window.rows(list1::BattlePicks), SortedBattles);
    EXPECT_EQ(window.rows(list1::CommanderPicks), SortedCommanders);
    EXPECT_EQ(this->feedback(), "");
    // A new game starts at the battles, with the cursor on the first one and nothing chosen.
    EXPECT_EQ(window.focus(), Control::Battles);
    EXPECT_EQ(window.cursor(list1::BattlePicks), 0);
    EXPECT_FALSE(this->anySelection());
    // Enter presses the button too.
    window.click(list1::BattlePicks, "Битка при Дойран");
    window.press(Key::Tab);
    window.press(Key::Tab);
    ASSERT_EQ(window.focus(), Control::Restart);
    window.press(Key::Enter);
    EXPECT_EQ(window.rows(list1::BattlePicks), SortedBattles);
    EXPECT_FALSE(this->anySelection());
    EXPECT_EQ(window.focus(), Control::Battles);
}

// A projector: the window grows, and the design grows with it as one picture. scale() is the
// window's pixels per design pixel; at the designed size that is the screen's own (its DPI).
TYPED_TEST_P(WindowScenario, EnlargedWindowScalesTheWholeDesignByOneFactor)
{
    auto& window = this->window;
    const double screen = window.scale();
    const double font = window.fontPixels(Control::Battles);
    const std::vector<std::pair<Control, design::Rect>> designed{{Control::Battles, design::List1Rects[0]},
        {Control::Commanders, design::List1Rects[1]}, {Control::Feedback, design::Text1Rects[0]},
        {Control::Heading, design::Label1Rect}, {Control::Restart, design::Command1Rect}};
    for (const auto& [width, height] :
        std::vector<std::pair<int, int>>{{1383, 1035}, {1900, 1000}, {700, 900}}) {
        window.resizeClient(width, height);
        const auto [clientWidth, clientHeight] = window.clientSize();
        const double factor = std::min(clientWidth / 461.0, clientHeight / 345.0);
        EXPECT_NEAR(window.scale(), factor, 1e-9);
        const double left = (clientWidth - 461 * factor) / 2;
        const double top = (clientHeight - 345 * factor) / 2;
        for (const auto& [control, rect] : designed) {
            const design::Rect placed = window.placed(control);
            const int name = static_cast<int>(control);
            EXPECT_NEAR(placed.left, left + rect.left * factor, 1) << name;
            EXPECT_NEAR(placed.top, top + rect.top * factor, 1) << name;
            EXPECT_NEAR(placed.width, rect.width * factor, 1) << name;
            EXPECT_NEAR(placed.height, rect.height * factor, 1) << name;
            EXPECT_TRUE(placed.left >= 0 && placed.top >= 0 && placed.left + placed.width <= clientWidth
                && placed.top + placed.height <= clientHeight)
                << name;
            // The text grows by the same factor.
            EXPECT_NEAR(window.fontPixels(control), font * factor / screen, 1) << name;
        }
        window.expectTextsFit();
        // The spare margin is the window's own colour.
        const design::Rgb margin = window.marginColour();
        EXPECT_EQ(std::tuple(margin.red, margin.green, margin.blue),
            std::tuple(design::WindowColour.red, design::WindowColour.green, design::WindowColour.blue));
    }
}

// The zoom keys step the size by quarters of the design, within the screen's work area (at least
// one and a half times the design here), and Ctrl+0 gives the designed size back.
TYPED_TEST_P(WindowScenario, ZoomKeysStepByQuartersAndBack)
{
    auto& window = this->window;
    const double screen = window.scale();
    window.resizeClient(700, 600);
    window.press(Key::ZoomReset);
    EXPECT_EQ(window.clientSize(),
        std::pair(static_cast<int>(std::lround(461 * screen)), static_cast<int>(std::lround(345 * screen))));
    EXPECT_NEAR(window.scale(), screen, 0.005);
    window.press(Key::ZoomIn);
    EXPECT_NEAR(window.scale(), 1.25 * screen, 0.005);
    window.press(Key::ZoomInEquals);
    EXPECT_NEAR(window.scale(), 1.5 * screen, 0.005);
    window.press(Key::ZoomOut);
    EXPECT_NEAR(window.scale(), 1.25 * screen, 0.005);
    EXPECT_TRUE(window.withinWorkArea());
    EXPECT_EQ(window.rows(list1::BattlePicks), SortedBattles);
}

REGISTER_TYPED_TEST_SUITE_P(WindowScenario, ShowsThePicksTheBoxAndTheButtonNeverTheKey, TabFollowsTheDesign,
    KeyboardBrowsesWithoutJudgingAndPicksWithSpaceOrEnter, KeyboardAlonePlaysAFullGameAndRestarts,
    EnlargedWindowScalesTheWholeDesignByOneFactor, ZoomKeysStepByQuartersAndBack);

} // namespace bitki::test
