#include "content.h"
#include "fake_controls.h"
#include "sorted_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bitki {
namespace {

using test::codePoints;

std::vector<std::string> splitCrLf(std::string_view text)
{
    std::vector<std::string> lines;
    for (std::size_t end = text.find(LineBreak); end != std::string_view::npos; end = text.find(LineBreak)) {
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + LineBreak.size());
    }
    EXPECT_TRUE(text.empty()) << "text after the last CR LF: " << text;
    return lines;
}

TEST(Content, AnswerKeyIsExact)
{
    const std::vector<std::pair<std::string, std::string>> expected{
        {"Битка при Клокотница", "цар Иван Асен II"},
        {"Тутраканска операция", "ген. Пантелей Киселов"},
        {"Битка при завоя на Черна", "кота 1050"},
        {"Битка при Ахелой", "цар Симеон"},
        {"Битка при Адрианопол", "цар Калоян"},
        {"Люлебургас - БунарХисар", "ген. Радко Димитриев"},
        {"Обсада на Одрин (1912-1913)", "ген.Никола Иванов"},
        {"Лозенградска операция", "ген. Васил Кутинчев"},
        {"Битка при Дойран", "ген. Владимир Вазов"},
        {"Битка при Върбишки проход", "хан Крум"},
    };
    // Every name differs from the others of its column: at most one key row can match a pair.
    ASSERT_EQ(AnswerKey.size(), expected.size());
    for (std::size_t i = 0; i < AnswerKey.size(); ++i) {
        EXPECT_EQ(AnswerKey[i].battle, expected[i].first) << "row " << i;
        EXPECT_EQ(AnswerKey[i].commander, expected[i].second) << "row " << i;
    }
}

struct ParagraphRule {
    int length;
    std::string_view opening;
};

TEST(Content, ParagraphsAreSingleLinesOfTheRightSizeAndOpening)
{
    // Lengths to within a tenth; the opening phrase is fixed where given.
    const std::array<ParagraphRule, 10> rules{{
        {341, "Битката при Клокотница се е състояла на 9 март 1230 г."},
        {174, "Тутраканската битка (известна още като Тутраканска операция)"},
        {171, "Битката при завоя на Черна е битка между българските войски и тези на Антантата"},
        {437, ""},
        {409, "Битката при Адрианопол от 14 април 1205 г."},
        {357, "Люлебургаско-Бунархисарската операция от 28 октомври-2 ноември"},
        {415, "Обсадата на Одрин от български и сръбски войски"},
        {384, "Лозенградската операция е първото голямо сражение в Източна Тракия"},
        {311, "В 1936 г. в Лондон се организира честване за края на войната."},
        {376, "Във Върбишкия проход България постига една от най-големите си средновековни победи."},
    }};
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const std::string_view text = AnswerKey[i].description;
        const int length = codePoints(text);
        EXPECT_GE(length * 10, rules[i].length * 9) << "row " << i;
        EXPECT_LE(length * 10, rules[i].length * 11) << "row " << i;
        EXPECT_TRUE(text.starts_with(rules[i].opening)) << "row " << i;
        EXPECT_EQ(text.find_first_of("\r\n"), std::string_view::npos) << "row " << i;
        EXPECT_EQ(text.find("  "), std::string_view::npos) << "row " << i;
    }
    EXPECT_NE(AnswerKey[3].description.find("се е състояла на 20 август 917 г. край р. Ахелой"),
        std::string_view::npos);
    EXPECT_TRUE(AnswerKey[8].description.ends_with("[4]"));
}

TEST(Content, TaskStatementIsFifteenCrLfLines)
{
    const auto lines = splitCrLf(TaskStatement);
    ASSERT_EQ(lines.size(), 15U);
    EXPECT_EQ(lines[0], "Да се състави проект представящ междупредметна връзка История и Информатика.");
    EXPECT_EQ(lines[1], "Тема на проекта: История - България, значими битки.");
    EXPECT_EQ(lines[2],
        "Да се използват набор от списъчни менюта съдържащи информация за проведена битка и "
        "пълководец.");
    EXPECT_EQ(lines[3], "В реализирания проект са представени следните битки (сражения):");
    for (std::size_t i = 0; i < AnswerKey.size(); ++i) {
        EXPECT_EQ(lines[4 + i], AnswerKey[i].battle);
    }
    EXPECT_EQ(lines[14], "Прочетете допълнителен материал за значими битки в българската история.");
    // No stray CR or LF inside a line.
    for (const auto& line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    }
}

TEST(Content, AphorismIsExact)
{
    const auto lines = splitCrLf(Aphorism);
    const std::vector<std::string> expected{
        "Неприятното в това да си първият, направил нещо по ",
        "правилния начин, е, че никой не оценява колко трудно е ",
        "било. ",
    };
    EXPECT_EQ(lines, expected);
}

TEST(Content, VerdictWords)
{
    EXPECT_EQ(VerdictRight, "Вярно: ");
    EXPECT_EQ(VerdictWrong, "Грешка: ");
}

TEST(Content, DesignTimeContentFillsKeyListsAndTextBoxesOnly)
{
    const test::FakeForm form(false);
    for (const auto& [list, rows] : test::KeyLists) {
        EXPECT_EQ(form.List1.at(static_cast<std::size_t>(list)).rows(), rows) << list;
    }
    EXPECT_TRUE(form.List1[list1::BattlePicks].rows().empty());
    EXPECT_TRUE(form.List1[list1::CommanderPicks].rows().empty());
    EXPECT_EQ(form.Text1[text1::Feedback].Text(), TaskStatement);
    EXPECT_EQ(form.Text1[text1::Aphorism].Text(), Aphorism);
}

} // namespace
} // namespace bitki
