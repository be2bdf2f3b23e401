// What the browser tests expect, as JSON, from the same tables the C++ tests use: the sorted
// lists, the answer key, the task statement and the design's texts.

#include "content.h"
#include "design.h"
#include "sorted_rows.h"

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string quoted(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\n':
            json += "\\n";
            break;
        default:
            json += c;
        }
    }
    return json + '"';
}

std::string array(const std::vector<std::string>& texts)
{
    std::string json = "[";
    for (const std::string& text : texts) {
        json += (json.size() > 1 ? "," : "") + quoted(text);
    }
    return json + ']';
}

} // namespace

int main()
{
    using namespace bitki;
    std::string key = "[";
    for (const KeyRow& row : AnswerKey) {
        key += (key.size() > 1 ? "," : "") + std::string("{\"battle\":") + quoted(row.battle)
            + ",\"commander\":" + quoted(row.commander) + ",\"description\":" + quoted(row.description) + '}';
    }
    key += ']';
    std::cout << "{\"battles\":" << array(test::SortedBattles)
              << ",\"commanders\":" << array(test::SortedCommanders) << ",\"key\":" << key
              << ",\"task\":" << quoted(TaskStatement) << ",\"right\":" << quoted(VerdictRight)
              << ",\"wrong\":" << quoted(VerdictWrong) << ",\"caption\":" << quoted(design::Caption)
              << ",\"heading\":" << quoted(design::HeadingText)
              << ",\"restart\":" << quoted(design::RestartText)
              << ",\"names\":{\"feedback\":" << quoted(design::FeedbackName)
              << ",\"battles\":" << quoted(design::BattlesName)
              << ",\"commanders\":" << quoted(design::CommandersName)
              << "},\"descriptions\":{\"feedback\":" << quoted(design::FeedbackDescription)
              << ",\"battles\":" << quoted(design::BattlesDescription)
              << ",\"commanders\":" << quoted(design::CommandersDescription)
              << ",\"restart\":" << quoted(design::RestartDescription) << "}}\n";
}
