// The rules every window follows, one table each: browsing a list (what the letters typed so far
// find, where the page keys go, where the cursor rests when a row leaves), fitting and zooming
// the design, reading the feedback box, and where the focus goes.

#include "browsing.h"
#include "content.h"
#include "design.h"
#include "feedback.h"
#include "fitting.h"
#include "memory_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <tuple>
#include <vector>

namespace bitki {
namespace {

// Letter case ignored the simplest way; the windows compare Cyrillic through their platform.
bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size()
        && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a))
                   == std::tolower(static_cast<unsigned char>(b));
           });
}

const std::vector<std::string> Rows{
    "Adrianople", "Achelous", "Doiran", "Lozengrad", "Lule Burgas", "Tutrakan"};

struct Typing {
    const char* name;
    Position cursor;
    // Letters and the milliseconds at which each is typed.
    std::vector<std::pair<std::string, long long>> keys;
    // Where the cursor is after each key.
    std::vector<Position> cursors;
};

TEST(Browsing, TypedLettersFindTheNextRowThatStartsWithThem)
{
    const std::vector<Typing> table{
        {"a first letter starts below the cursor", 0, {{"a", 0}}, {1}},
        {"from no cursor, the first row", NoRow, {{"l", 0}}, {3}},
        {"letter case is ignored", NoRow, {{"L", 0}}, {3}},
        {"the same letter again goes on to the next such row", NoRow, {{"l", 0}, {"l", 100}, {"l", 200}},
            {3, 4, 3}},
        {"letters within the pause build one search", NoRow, {{"l", 0}, {"u", 300}}, {3, 4}},
        {"a search from the cursor row itself", 4, {{"l", 0}, {"u", 100}}, {3, 4}},
        {"after the pause a letter starts anew", NoRow, {{"l", 0}, {"t", 600}}, {3, 5}},
        {"round from the end to the top", 5, {{"a", 0}}, {0}},
        {"no row that starts so: the cursor stays", 2, {{"x", 0}, {"d", 100}}, {NoRow, NoRow}},
    };
    for (const Typing& typing : table) {
        TypedSearch search;
        Position cursor = typing.cursor;
        std::vector<Position> cursors;
        for (const auto& [letter, at] : typing.keys) {
            const Position found = TypeAhead(search, letter, at, Rows, cursor, startsWith);
            cursors.push_back(found);
            if (found != NoRow) {
                cursor = found;
            }
        }
        EXPECT_EQ(cursors, typing.cursors) << typing.name;
    }

    // Cyrillic: the same letter again, as one letter of two bytes.
    const std::vector<std::string> cyrillic{"Лозенградска операция", "Люлебургас - БунарХисар"};
    TypedSearch search;
    const auto same = [](std::string_view text, std::string_view prefix) { return text.starts_with(prefix); };
    EXPECT_EQ(TypeAhead(search, "Л", 0, cyrillic, NoRow, same), 0);
    EXPECT_EQ(TypeAhead(search, "Л", 100, cyrillic, 0, same), 1);
    EXPECT_EQ(TypeAhead(search, "ю", 200, cyrillic, 1, same), 1);
}

TEST(Browsing, PageKeysMoveTheRowsThatShowLessOne)
{
    for (const auto& [visible, step] : std::vector<std::pair<int, int>>{{0, 1}, {1, 1}, {2, 1}, {7, 6}}) {
        EXPECT_EQ(PageStep(visible), step) << visible << " rows show";
    }
}

TEST(Browsing, TheCursorKeepsItsRowOrStaysWhereTheRemovedRowWas)
{
    struct Removal {
        Position cursor;
        Position removed;
        Position left;
        Position after;
    };
    for (const Removal& removal : std::vector<Removal>{
             {3, 1, 5, 2}, // above it: it keeps its row, one place up
             {1, 3, 5, 1}, // below it: nothing moves
             {2, 2, 5, 2}, // its own row: the next row comes to it
             {5, 5, 5, 4}, // the last row: the new last row
             {0, 0, 0, NoRow}, // the list is empty
             {NoRow, 2, 5, NoRow}, // no cursor stays none
         }) {
        EXPECT_EQ(CursorAfterRemoval(removal.cursor, removal.removed, removal.left), removal.after)
            << removal.cursor << " after " << removal.removed << " left " << removal.left;
    }
}

TEST(Fitting, TheDesignScalesByOneFactorAndStaysCentred)
{
    struct Case {
        int width;
        int height;
        design::Rect placed; // where the battle list goes
    };
    for (const Case& fit : std::vector<Case>{
             {461, 345, {16, 56, 241, 118}}, // as designed
             {922, 690, {32, 112, 482, 236}}, // twice as large
             {1383, 345, {477, 56, 241, 118}}, // wider: the margin split left and right
             {461, 1035, {16, 401, 241, 118}}, // taller: split above and below
             {700, 900, {24, 273, 366, 179}}, // in between, whole pixels rounded
         }) {
        const design::Rect placed = Fit::of(fit.width, fit.height).place(design::List1Rects[0]);
        EXPECT_EQ(std::vector({placed.left, placed.top, placed.width, placed.height}),
            std::vector({fit.placed.left, fit.placed.top, fit.placed.width, fit.placed.height}))
            << fit.width << " x " << fit.height;
    }
}

TEST(Fitting, ZoomGoesByQuartersWithinTheWorkArea)
{
    for (const auto& [scale, direction, step] : std::vector<std::tuple<double, int, double>>{{1, 1, 1.25},
             {1.25, 1, 1.5}, {1.5, -1, 1.25}, {1.2499, 1, 1.5}, {1.33, 1, 1.5}, {1.33, -1, 1.25}}) {
        EXPECT_DOUBLE_EQ(ZoomStep(scale, direction), step) << scale << " by " << direction;
    }
    struct Case {
        const char* name;
        double factor;
        double unit;
        design::Rect work;
        int left;
        int top;
        Zoom zoom;
    };
    const design::Rect screen{0, 0, 1920, 1040};
    for (const Case& zoom : std::vector<Case>{
             {"as asked, where it stands", 2, 1, screen, 100, 100, {2, 100, 100}},
             {"never below the design", 0.5, 1, screen, 100, 100, {1, 100, 100}},
             {"no taller than the work area with the frame", 9, 1, screen, 0, 0, {(1040 - 40) / 345.0, 0, 0}},
             {"moved back inside", 2, 1, screen, 1800, 900, {2, 1920 - 922 - 10, 1040 - 690 - 40}},
             {"on a screen of twice the pixels", 2, 2, {1920, 0, 3840, 2160}, 1900, 0, {2, 1920, 0}},
         }) {
        const Zoom got = ZoomWithin(zoom.factor, zoom.unit, zoom.work, 10, 40, zoom.left, zoom.top);
        EXPECT_DOUBLE_EQ(got.factor, zoom.zoom.factor) << zoom.name;
        EXPECT_EQ(std::pair(got.left, got.top), std::pair(zoom.zoom.left, zoom.zoom.top)) << zoom.name;
    }
}

TEST(Feedback, ReadOnceIntoVerdictLineAndParagraph)
{
    struct Case {
        std::string text;
        bool verdict;
        std::string line;
        std::string paragraph;
        std::string description;
    };
    const std::string purpose(design::FeedbackDescription);
    for (const Case& read : std::vector<Case>{
             {"Вярно: Битка при Ахелой цар Симеон\r\nТекст за битката.", true,
                 "Вярно: Битка при Ахелой цар Симеон", "Текст за битката.", "Текст за битката."},
             {"Грешка: Битка при Дойран хан Крум\r\n", true, "Грешка: Битка при Дойран хан Крум", "", ""},
             {"Вярно: a b\n  paragraph \r\n", true, "Вярно: a b", "paragraph",
                 "paragraph"}, // as a widget gives it
             {std::string(TaskStatement), false,
                 std::string(TaskStatement.substr(0, TaskStatement.find('\r'))), "", purpose},
             {"", false, "", "", purpose},
             {"Вярно", false, "Вярно", "", purpose}, // the word alone is no verdict
         }) {
        const FeedbackReading reading = ReadFeedback(read.text);
        EXPECT_EQ(reading.verdict, read.verdict) << read.text;
        EXPECT_EQ(reading.line, read.line) << read.text;
        if (read.verdict) {
            EXPECT_EQ(reading.paragraph, read.paragraph) << read.text;
        }
        EXPECT_EQ(FeedbackDescriptionOf(read.text), read.description) << read.text;
    }
}

TEST(Feedback, UpAndDownGoFromLineStartToLineStart)
{
    struct Case {
        std::string text;
        std::vector<int> starts;
    };
    for (const Case& lines : std::vector<Case>{
             {"", {0}}, {"ab\r\ncd", {0, 3}}, // CR LF shows as one line feed
             {"ab\ncd\n", {0, 3}}, // the empty end is no line
             {"аб\r\nв\r\n\r\nг", {0, 3, 5, 6}}, // Cyrillic letters are one unit each
             {"\xF0\x9F\x98\x80\nx", {0, 3}}, // beyond the first plane: two units
         }) {
        EXPECT_EQ(LineStarts(lines.text), lines.starts) << lines.text;
    }
    const std::vector<int> starts{0, 10, 25};
    for (const auto& [caret, direction, after] : std::vector<std::tuple<int, int, int>>{
             {0, 1, 10}, {4, 1, 10}, {10, 1, 25}, {30, 1, 25}, {30, -1, 10}, {12, -1, 0}, {3, -1, 0}}) {
        EXPECT_EQ(CaretAfterLineKey(starts, caret, direction), after) << caret << " by " << direction;
    }
}

// The focus around the game's events, against in-memory controls.
TEST(Focus, TheBoxBeforeTheVerdictTheBattlesAfterARestart)
{
    test::MemoryWindow window;
    window.open();
    const auto pick = [&](int list) { window.click(list, window.rows(list).front()); };
    using Moves = test::MemoryWindow::Moves;
    pick(list1::BattlePicks);
    EXPECT_EQ(window.moves(), Moves{}) << "one pick moves nothing";
    pick(list1::CommanderPicks);
    EXPECT_EQ(window.moves(), Moves({{FocusTarget::Feedback, std::string(TaskStatement)}}))
        << "a pair: the box, before the verdict is written";
    window.command1Click(1);
    EXPECT_EQ(window.moves().size(), 1U) << "another button moves nothing";
    window.command1Click(0);
    EXPECT_EQ(window.moves(),
        Moves({{FocusTarget::Feedback, std::string(TaskStatement)}, {FocusTarget::BattlePicks, ""}}))
        << "Чисти: the battles, once the new game is there";
}

} // namespace
} // namespace bitki
