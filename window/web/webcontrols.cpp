#include "webcontrols.h"

#include "design.h"
#include "feedback.h"

#include <algorithm>

// The browser's side, in library.js.
extern "C" {
int bitki_compare(const char* left, const char* right);
void bitki_dom_inserted(int element, int row, const char* text);
void bitki_dom_removed(int element, int row);
void bitki_dom_cleared(int element);
void bitki_dom_selected(int element, int row);
void bitki_dom_rows(int element, const char* rows);
void bitki_dom_text(int element, const char* text, const char* description, const char* paragraph,
    const int* lines, int count);
}

namespace bitki::web {

namespace {

int number(Element element)
{
    return static_cast<int>(element);
}

} // namespace

WebListControl::WebListControl(Order order)
    : m_order(order)
{
}

Position WebListControl::ListCount() const
{
    return static_cast<Position>(m_rows.size());
}

std::string WebListControl::List(Position row) const
{
    return row >= 0 && row < ListCount() ? m_rows[static_cast<std::size_t>(row)] : std::string();
}

Position WebListControl::ListIndex() const
{
    return m_selected;
}

void WebListControl::Clear()
{
    m_rows.clear();
    m_selected = NoRow;
    if (m_element) {
        bitki_dom_cleared(number(*m_element));
    }
}

void WebListControl::AddItem(std::string_view text)
{
    std::string row(text);
    // The browser's collation, ignoring letter case; rows that compare equal keep the order they
    // came in.
    const auto before = [](const std::string& left, const std::string& right) {
        return bitki_compare(left.c_str(), right.c_str()) < 0;
    };
    auto place = m_rows.end();
    if (m_order == Order::Sorted) {
        place = std::upper_bound(m_rows.begin(), m_rows.end(), row, before);
    }
    const auto position = static_cast<Position>(place - m_rows.begin());
    m_rows.insert(place, std::move(row));
    if (m_selected >= position) {
        ++m_selected;
    }
    if (m_element) {
        bitki_dom_inserted(number(*m_element), position, m_rows[static_cast<std::size_t>(position)].c_str());
    }
}

void WebListControl::RemoveItem(Position row)
{
    if (row < 0 || row >= ListCount()) {
        return;
    }
    m_rows.erase(m_rows.begin() + row);
    m_selected = SelectionAfterRemoval(m_selected, row);
    if (m_element) {
        bitki_dom_removed(number(*m_element), row);
    }
}

bool WebListControl::pick(Position row)
{
    if (row < 0 || row >= ListCount()) {
        return false;
    }
    m_selected = row;
    if (m_element) {
        bitki_dom_selected(number(*m_element), row);
    }
    return true;
}

void WebListControl::show(Element element)
{
    m_element = element;
    // The page was drawn with these rows before its code ran; it redraws only what differs.
    std::string lines;
    for (const std::string& row : m_rows) {
        lines += row;
        lines += '\n';
    }
    bitki_dom_rows(number(element), lines.c_str());
    bitki_dom_selected(number(element), m_selected);
}

void WebTextControl::Text(std::string_view text)
{
    m_text = text;
    if (m_element) {
        const std::vector<int> lines = lineStarts();
        bitki_dom_text(number(*m_element), m_text.c_str(), std::string(description()).c_str(),
            std::string(paragraph()).c_str(), lines.data(), static_cast<int>(lines.size()));
    }
}

std::string_view WebTextControl::description() const
{
    return ReadFeedback(m_text).verdict ? std::string_view{} : design::FeedbackDescription;
}

std::string_view WebTextControl::paragraph() const
{
    const FeedbackReading reading = ReadFeedback(m_text);
    return reading.verdict ? reading.paragraph : std::string_view{};
}

std::vector<int> WebTextControl::lineStarts() const
{
    return LineStarts(m_text);
}

void WebTextControl::show(Element element)
{
    m_element = element;
    Text(std::string(m_text));
}

} // namespace bitki::web
