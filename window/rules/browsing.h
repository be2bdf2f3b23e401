#pragma once

// How a pick list's cursor moves, the same in every window: typed first letters, the page keys,
// and the row the cursor keeps when a row leaves. A window supplies only what it alone knows: how
// to compare letters ignoring their case, and how many rows it shows.

#include "controls.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bitki {

// Letters typed within this pause (milliseconds) build one search, as in desktop lists.
inline constexpr long long TypeAheadPause = 500;

// Whether the text starts with the prefix, letter case ignored, as the platform compares.
using StartsWithIgnoringCase = bool (*)(std::string_view text, std::string_view prefix);

// The letters typed into one list so far, and when the last one came.
struct TypedSearch {
    std::string letters;
    std::optional<long long> at;
};

// The row a letter (UTF-8) typed at this time moves the cursor to: the first row from the cursor
// on, wrapping round, whose text starts with the letters typed so far; a first letter starts
// below the cursor, and the same letter again goes on to the next row that starts with it. NoRow
// when no row matches (the cursor stays).
Position TypeAhead(TypedSearch& search, std::string_view letter, long long now,
    const std::vector<std::string>& rows, Position cursor, StartsWithIgnoringCase startsWith);

// How many rows Page Up and Page Down move: the rows that show, less one, and at least one.
int PageStep(int visibleRows);

// The cursor once the row at removed has left a list that now holds left rows: it keeps its row,
// or stays where the removed row was (on the new last row where that was the last).
Position CursorAfterRemoval(Position cursor, Position removed, Position left);

} // namespace bitki
