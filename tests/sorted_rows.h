#pragma once

// The pick lists as they must read after set-up: alphabetical, ignoring letter case.

#include <string>
#include <vector>

namespace bitki::test {

inline const std::vector<std::string> SortedBattles{"Битка при Адрианопол", "Битка при Ахелой",
    "Битка при Върбишки проход", "Битка при Дойран", "Битка при завоя на Черна", "Битка при Клокотница",
    "Лозенградска операция", "Люлебургас - БунарХисар", "Обсада на Одрин (1912-1913)",
    "Тутраканска операция"};

inline const std::vector<std::string> SortedCommanders{"ген. Васил Кутинчев", "ген. Владимир Вазов",
    "ген. Пантелей Киселов", "ген. Радко Димитриев", "ген.Никола Иванов", "кота 1050", "хан Крум",
    "цар Иван Асен II", "цар Калоян", "цар Симеон"};

} // namespace bitki::test
