#pragma once

// The pick lists as they must read after set-up: alphabetical, ignoring letter case. The hidden
// key lists hold the answer key's columns in the key's own order.

#include "content.h"
#include "controls.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bitki::test {

inline const std::vector<std::string> SortedBattles{"Битка при Адрианопол", "Битка при Ахелой",
    "Битка при Върбишки проход", "Битка при Дойран", "Битка при завоя на Черна", "Битка при Клокотница",
    "Лозенградска операция", "Люлебургас - БунарХисар", "Обсада на Одрин (1912-1913)",
    "Тутраканска операция"};

inline const std::vector<std::string> SortedCommanders{"ген. Васил Кутинчев", "ген. Владимир Вазов",
    "ген. Пантелей Киселов", "ген. Радко Димитриев", "ген.Никола Иванов", "кота 1050", "хан Крум",
    "цар Иван Асен II", "цар Калоян", "цар Симеон"};

// The hidden key lists, each with the answer key's column it holds in the key's order.
using KeyList = std::pair<int, std::vector<std::string>>;
inline const std::vector<KeyList> KeyLists = [] {
    const auto column = [](std::string_view KeyRow::*field) {
        std::vector<std::string> rows;
        rows.reserve(AnswerKey.size());
        for (const KeyRow& row : AnswerKey) {
            rows.emplace_back(row.*field);
        }
        return rows;
    };
    std::vector<KeyList> lists;
    lists.emplace_back(list1::KeyBattles, column(&KeyRow::battle));
    lists.emplace_back(list1::KeyCommanders, column(&KeyRow::commander));
    lists.emplace_back(list1::KeyDescriptions, column(&KeyRow::description));
    return lists;
}();

// Every row of a list control, top to bottom, read through the quiz's own operations.
inline std::vector<std::string> RowsOf(const ListControl& list)
{
    std::vector<std::string> rows;
    const Position count = list.ListCount();
    rows.reserve(static_cast<std::size_t>(std::max<Position>(count, 0)));
    for (Position row = 0; row < count; ++row) {
        rows.push_back(list.List(row));
    }
    return rows;
}

} // namespace bitki::test
