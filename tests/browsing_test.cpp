// The browsing rules every window follows, as one table each: what the letters typed so far find,
// where the page keys go, and where the cursor rests when a row leaves.

#include "browsing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
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

} // namespace
} // namespace bitki
