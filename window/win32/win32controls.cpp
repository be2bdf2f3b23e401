#include "win32controls.h"

#include "browsing.h"

#include <algorithm>

namespace bitki::win32 {

std::wstring toUtf16(std::string_view text)
{
    const int size = static_cast<int>(text.size());
    std::wstring result(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, result.data(), static_cast<int>(result.size()));
    return result;
}

std::string toUtf8(std::wstring_view text)
{
    const int size = static_cast<int>(text.size());
    std::string result(static_cast<std::size_t>(
                           WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(
        CP_UTF8, 0, text.data(), size, result.data(), static_cast<int>(result.size()), nullptr, nullptr);
    return result;
}

Win32ListControl::Win32ListControl(HWND list)
    : m_list(list)
{
}

Position Win32ListControl::ListCount() const
{
    return static_cast<Position>(SendMessageW(m_list, LB_GETCOUNT, 0, 0));
}

std::string Win32ListControl::List(Position row) const
{
    const LRESULT length = SendMessageW(m_list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (row < 0 || length == LB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(m_list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return toUtf8(text);
}

Position Win32ListControl::ListIndex() const
{
    // The pick lists keep their cursor apart from their selection (extended style), with at
    // most one row selected.
    int selected = LB_ERR;
    if (SendMessageW(m_list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&selected)) != 1) {
        return NoRow;
    }
    return static_cast<Position>(selected);
}

void Win32ListControl::Clear()
{
    SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
}

void Win32ListControl::AddItem(std::string_view text)
{
    const std::wstring row = toUtf16(text);
    SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
}

void Win32ListControl::RemoveItem(Position row)
{
    const auto caret = static_cast<int>(SendMessageW(m_list, LB_GETCARETINDEX, 0, 0));
    if (SendMessageW(m_list, LB_DELETESTRING, static_cast<WPARAM>(row), 0) == LB_ERR || row < 0) {
        return;
    }
    // The list box moves a caret below the removed row up with its row; one on it goes by the rule.
    const auto count = static_cast<Position>(SendMessageW(m_list, LB_GETCOUNT, 0, 0));
    if (count > 0 && caret == row) {
        SendMessageW(m_list, LB_SETCARETINDEX,
            static_cast<WPARAM>(CursorAfterRemoval(static_cast<Position>(caret), row, count)), FALSE);
    }
}

Win32TextControl::Win32TextControl(HWND edit)
    : m_edit(edit)
{
}

std::string Win32TextControl::Text() const
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(m_edit, text.data(), static_cast<int>(text.size()))));
    return toUtf8(text);
}

void Win32TextControl::Text(std::string_view text)
{
    SetWindowTextW(m_edit, toUtf16(text).c_str());
}

} // namespace bitki::win32
