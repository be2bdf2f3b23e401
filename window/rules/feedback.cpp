#include "feedback.h"

#include "content.h"
#include "design.h"

#include <algorithm>

namespace bitki {

FeedbackReading ReadFeedback(std::string_view text)
{
    const bool verdict = text.starts_with(VerdictRight) || text.starts_with(VerdictWrong);
    const std::size_t lineEnd = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, lineEnd);
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    std::string_view rest = text.substr(lineEnd);
    constexpr std::string_view Blanks = " \r\n";
    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(Blanks)));
    rest.remove_suffix(rest.size() - std::min(rest.size(), rest.find_last_not_of(Blanks) + 1));
    return {verdict, line, rest};
}

std::string_view FeedbackDescriptionOf(std::string_view text)
{
    const FeedbackReading reading = ReadFeedback(text);
    return reading.verdict ? reading.paragraph : design::FeedbackDescription;
}

std::vector<int> LineStarts(std::string_view text)
{
    std::vector<int> starts{0};
    int units = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            continue;
        }
        // A letter's first byte counts; one beyond the first plane takes two units.
        if ((byte & 0xC0U) != 0x80U) {
            units += byte >= 0xF0U ? 2 : 1;
        }
        if (byte == '\n' && at + 1 < text.size()) {
            starts.push_back(units);
        }
    }
    return starts;
}

int CaretAfterLineKey(const std::vector<int>& lineStarts, int caret, int direction)
{
    if (lineStarts.empty()) {
        return 0;
    }
    const auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), caret);
    const auto line = std::max<std::ptrdiff_t>(after - lineStarts.begin() - 1, 0);
    const auto target
        = std::clamp<std::ptrdiff_t>(line + direction, 0, static_cast<std::ptrdiff_t>(lineStarts.size()) - 1);
    return lineStarts[static_cast<std::size_t>(target)];
}

} // namespace bitki
