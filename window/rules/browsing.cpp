#include "browsing.h"

#include <algorithm>

namespace bitki {

namespace {

// One letter: one character in UTF-8, whatever its number of bytes.
bool isOneLetter(std::string_view text)
{
    const auto starts = std::count_if(text.begin(), text.end(),
        [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U; });
    return starts == 1;
}

} // namespace

Position TypeAhead(TypedSearch& search, std::string_view letter, long long now,
    const std::vector<std::string>& rows, Position cursor, StartsWithIgnoringCase startsWith)
{
    if (!search.at || now - *search.at > TypeAheadPause) {
        search.letters.clear();
    }
    search.at = now;
    const bool again = isOneLetter(search.letters) && startsWith(search.letters, letter);
    if (!again) {
        search.letters += letter;
    }
    const auto count = static_cast<Position>(rows.size());
    const Position from
        = isOneLetter(search.letters) ? static_cast<Position>(cursor + 1) : std::max<Position>(cursor, 0);
    for (Position step = 0; step < count; ++step) {
        const auto row = static_cast<Position>((from + step) % count);
        if (startsWith(rows[static_cast<std::size_t>(row)], search.letters)) {
            return row;
        }
    }
    return NoRow;
}

int PageStep(int visibleRows)
{
    return std::max(1, visibleRows - 1);
}

Position CursorAfterRemoval(Position cursor, Position removed, Position left)
{
    if (cursor == NoRow || left <= 0) {
        return NoRow;
    }
    if (cursor > removed) {
        return static_cast<Position>(cursor - 1);
    }
    return std::min<Position>(cursor, static_cast<Position>(left - 1));
}

} // namespace bitki
