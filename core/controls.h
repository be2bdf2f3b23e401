#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace bitki {

// Row positions and row counts, as the list controls report them.
using Position = std::int16_t;
inline constexpr Position NoRow = -1;

// What the quiz needs from a list box. Whether a list is sorted is fixed when
// it is created: a sorted list puts every new row at its alphabetical place,
// ignoring letter case.
class ListControl {
public:
    ListControl() = default;
    ListControl(const ListControl&) = delete;
    ListControl& operator=(const ListControl&) = delete;
    virtual ~ListControl() = default;

    virtual Position ListCount() const = 0;
    // The text of a row; empty for a position that holds no row.
    virtual std::string List(Position row) const = 0;
    // The selected row, or NoRow.
    virtual Position ListIndex() const = 0;
    // Removes every row; nothing is selected afterwards.
    virtual void Clear() = 0;
    virtual void AddItem(std::string_view text) = 0;
    // Later rows move up by one; removing the selected row leaves nothing
    // selected. A position that holds no row is ignored.
    virtual void RemoveItem(Position row) = 0;
};

// A list's selection once the row at removed has left it, as RemoveItem promises: none where it
// was that row, one place up where it was below it.
constexpr Position SelectionAfterRemoval(Position selected, Position removed)
{
    if (selected == removed) {
        return NoRow;
    }
    return selected > removed ? static_cast<Position>(selected - 1) : selected;
}

// What the quiz needs from a text box: its whole text, with CR LF line breaks.
class TextControl {
public:
    TextControl() = default;
    TextControl(const TextControl&) = delete;
    TextControl& operator=(const TextControl&) = delete;
    virtual ~TextControl() = default;

    virtual std::string Text() const = 0;
    // Replaces the whole text.
    virtual void Text(std::string_view text) = 0;
};

// The window's control arrays, addressed by index as the window numbers them.
struct FormControls {
    std::array<std::reference_wrapper<ListControl>, 5> List1;
    std::array<std::reference_wrapper<TextControl>, 2> Text1;
};

namespace detail {
// A control held as it is, or through what points at it (a pointer, a unique_ptr).
template <typename Held> auto& control(Held& held)
{
    if constexpr (std::is_base_of_v<ListControl, Held> || std::is_base_of_v<TextControl, Held>) {
        return held;
    } else {
        return *held;
    }
}
template <typename Lists, typename Texts, std::size_t... L, std::size_t... T>
FormControls bind(Lists& lists, Texts& texts, std::index_sequence<L...>, std::index_sequence<T...>)
{
    return {{control(lists[L])...}, {control(texts[T])...}};
}
} // namespace detail

// The control arrays over a window's own controls, held as objects or through owning pointers,
// in array order.
template <typename Lists, typename Texts> FormControls BindControls(Lists& lists, Texts& texts)
{
    return detail::bind(lists, texts, std::make_index_sequence<5>{}, std::make_index_sequence<2>{});
}

// Roles of the array elements.
namespace list1 {
inline constexpr int BattlePicks = 0;
inline constexpr int CommanderPicks = 1;
inline constexpr int KeyBattles = 2;
inline constexpr int KeyCommanders = 3;
inline constexpr int KeyDescriptions = 4;
} // namespace list1

namespace text1 {
inline constexpr int Feedback = 0;
inline constexpr int Aphorism = 1;
} // namespace text1

} // namespace bitki
