#include "fake_controls.h"

#include "content.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>
#endif

#include <algorithm>
#include <stdexcept>

namespace bitki::test {

#ifdef _WIN32

namespace {

std::wstring wide(std::string_view text)
{
    const int size = static_cast<int>(text.size());
    std::wstring result(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, result.data(), static_cast<int>(result.size()));
    return result;
}

} // namespace

bool lessIgnoringCase(std::string_view a, std::string_view b)
{
    const std::wstring wa = wide(a);
    const std::wstring wb = wide(b);
    return CompareStringOrdinal(
               wa.data(), static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()), TRUE)
        == CSTR_LESS_THAN;
}

int codePoints(std::string_view text)
{
    const int size = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (units == 0 && size != 0) {
        return -1;
    }
    const std::wstring utf16 = wide(text);
    return static_cast<int>(std::count_if(
        utf16.begin(), utf16.end(), [](wchar_t unit) { return unit < 0xDC00 || unit > 0xDFFF; }));
}

#else

bool lessIgnoringCase(std::string_view a, std::string_view b)
{
    const auto ua = icu::UnicodeString::fromUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())));
    const auto ub = icu::UnicodeString::fromUTF8(icu::StringPiece(b.data(), static_cast<int32_t>(b.size())));
    return ua.caseCompare(ub, U_FOLD_CASE_DEFAULT) < 0;
}

int codePoints(std::string_view text)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int count = 0;
    for (int32_t i = 0; i < length; ++count) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c); // NOLINT(bugprone-inc-dec-in-conditions): ICU's macro moves i
        if (c < 0) {
            return -1;
        }
    }
    return count;
}

#endif

FakeList::FakeList(int index, bool sorted, Journal& journal)
    : m_index(index)
    , m_sorted(sorted)
    , m_journal(journal)
{
}

void FakeList::note(std::string_view what) const
{
    m_journal.push_back("List1(" + std::to_string(m_index) + ")." + std::string(what));
}

Position FakeList::ListCount() const
{
    note("ListCount");
    return static_cast<Position>(m_rows.size());
}

std::string FakeList::List(Position row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        return {};
    }
    return m_rows[static_cast<std::size_t>(row)];
}

Position FakeList::ListIndex() const
{
    return m_selected;
}

void FakeList::Clear()
{
    note("Clear");
    m_rows.clear();
    m_selected = NoRow;
}

void FakeList::AddItem(std::string_view text)
{
    note("AddItem " + std::string(text));
    auto at = m_rows.end();
    if (m_sorted) {
        at = std::upper_bound(m_rows.begin(), m_rows.end(), text,
            [](std::string_view a, const std::string& b) { return lessIgnoringCase(a, b); });
    }
    m_rows.insert(at, std::string(text));
    m_selected = NoRow;
}

void FakeList::RemoveItem(Position row)
{
    note("RemoveItem " + std::to_string(row));
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        return;
    }
    m_rows.erase(m_rows.begin() + row);
    m_selected = SelectionAfterRemoval(m_selected, row);
}

void FakeList::select(Position row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        throw std::out_of_range("no such row to select");
    }
    m_selected = row;
}

void FakeText::Text(std::string_view text)
{
    m_text = text;
    m_writes.emplace_back(text);
}

FakeForm::FakeForm(bool loaded)
    : quiz(bind())
{
    LoadDesignTimeContent(bind());
    if (loaded) {
        quiz.FillLists();
    }
    journal.clear();
    for (FakeText& text : Text1) {
        text.forgetWrites();
    }
}

void FakeControls::select(int list, std::string_view text)
{
    FakeList& control = List1.at(static_cast<std::size_t>(list));
    const auto found = std::find(control.rows().begin(), control.rows().end(), text);
    if (found == control.rows().end()) {
        throw std::invalid_argument("no row " + std::string(text));
    }
    control.select(static_cast<Position>(found - control.rows().begin()));
}

Quiz::ClickOutcome FakeForm::pick(int listIndex, std::string_view text)
{
    select(listIndex, text);
    return quiz.ListClick();
}

} // namespace bitki::test
