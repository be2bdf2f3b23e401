#pragma once

// The pick lists as they must read after set-up: alphabetical, ignoring letter case. The hidden
// key lists hold the answer key's columns in the key's own order.

#include "content.h"
#include "controls.h"

#include <algorithm>
#include <string>
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
inline const std::vector<std::pair<int, std::vector<std::string>>> KeyLists = [] {
    std::vector<std::pair<int, std::vector<std::string>>> lists{
        {list1::KeyBattles, {}}, {list1::KeyCommanders, {}}, {list1::KeyDescriptions, {}}};
    for (const KeyRow& row : AnswerKey) {
        for (auto& [list, rows] : lists) {
            rows.emplace_back(list == list1::KeyBattles ? row.battle
                    : list == list1::KeyCommanders      ? row.commander
                                                        : row.description);
        }
    }
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
