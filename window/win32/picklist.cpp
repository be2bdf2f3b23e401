#include "picklist.h"

#include "win32controls.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bitki::win32 {

namespace {

std::wstring rowText(HWND list, int row)
{
    const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// Whether the text starts with the prefix, ignoring letter case in any script (Wine's own list box
// matches Cyrillic letters case-sensitively).
bool startsWith(std::string_view utf8Text, std::string_view utf8Prefix)
{
    const std::wstring text = toUtf16(utf8Text);
    const std::wstring prefix = toUtf16(utf8Prefix);
    return text.size() >= prefix.size()
        && CompareStringOrdinal(text.data(), static_cast<int>(prefix.size()), prefix.data(),
               static_cast<int>(prefix.size()), TRUE)
        == CSTR_EQUAL;
}

} // namespace

PickList::PickList(HWND list)
    : m_list(list)
{
    SetWindowSubclass(m_list, procedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

PickList::~PickList()
{
    RemoveWindowSubclass(m_list, procedure, 0);
}

LRESULT CALLBACK PickList::procedure(
    HWND /*list*/, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/, DWORD_PTR self)
{
    return reinterpret_cast<PickList*>(self)->handle(message, wParam, lParam);
}

LRESULT PickList::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter picks here rather than pressing the dialog's default button.
        LRESULT code = DefSubclassProc(m_list, message, wParam, lParam);
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_KEYDOWN:
        return onKeyDown(wParam, lParam);
    case WM_CHAR:
        return onChar(static_cast<wchar_t>(wParam));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return onButtonDown(wParam, lParam);
    case WM_MOUSEMOVE:
        if ((wParam & MK_LBUTTON) != 0) {
            return 0; // a drag does not pick another row
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(m_list, message, wParam, lParam);
}

int PickList::count() const
{
    return static_cast<int>(SendMessageW(m_list, LB_GETCOUNT, 0, 0));
}

int PickList::cursor() const
{
    return static_cast<int>(SendMessageW(m_list, LB_GETCARETINDEX, 0, 0));
}

void PickList::moveCursor(int row) const
{
    if (count() <= 0) {
        return;
    }
    row = std::clamp(row, 0, count() - 1);
    SendMessageW(m_list, LB_SETCARETINDEX, static_cast<WPARAM>(row), FALSE);
    NotifyWinEvent(EVENT_OBJECT_FOCUS, m_list, OBJID_CLIENT, row + 1);
}

LRESULT PickList::onKeyDown(WPARAM key, LPARAM lParam)
{
    RECT client{};
    GetClientRect(m_list, &client);
    const auto rowHeight = static_cast<int>(SendMessageW(m_list, LB_GETITEMHEIGHT, 0, 0));
    const int page = PageStep(rowHeight > 0 ? static_cast<int>(client.bottom / rowHeight) : 0);
    switch (key) {
    case VK_UP:
        moveCursor(cursor() - 1);
        return 0;
    case VK_DOWN:
        moveCursor(cursor() + 1);
        return 0;
    case VK_HOME:
        moveCursor(0);
        return 0;
    case VK_END:
        moveCursor(count() - 1);
        return 0;
    case VK_PRIOR:
        moveCursor(cursor() - page);
        return 0;
    case VK_NEXT:
        moveCursor(cursor() + page);
        return 0;
    case VK_SPACE:
    case VK_RETURN:
        pickCursorRow();
        return 0;
    default:
        return DefSubclassProc(m_list, WM_KEYDOWN, key, lParam);
    }
}

LRESULT PickList::onChar(wchar_t typed)
{
    // Space picks on its key, not as a letter; other control characters are nothing to search.
    if (typed <= L' ') {
        return 0;
    }
    std::vector<std::string> rows;
    for (int row = 0; row < count(); ++row) {
        rows.push_back(toUtf8(rowText(m_list, row)));
    }
    const Position row = TypeAhead(m_typed, toUtf8(std::wstring_view(&typed, 1)),
        static_cast<long long>(GetMessageTime()), rows, static_cast<Position>(cursor()), startsWith);
    if (row != NoRow) {
        moveCursor(row);
    }
    return 0;
}

LRESULT PickList::onButtonDown(WPARAM flags, LPARAM point)
{
    const auto hit = static_cast<DWORD>(SendMessageW(m_list, LB_ITEMFROMPOINT, 0, point));
    if (HIWORD(hit) != 0) {
        // Below the last row: the focus comes here, a pick made before stays.
        SetFocus(m_list);
        return 0;
    }
    // A click picks this row alone, whatever Shift or Ctrl say.
    return DefSubclassProc(
        m_list, WM_LBUTTONDOWN, flags & ~static_cast<WPARAM>(MK_SHIFT | MK_CONTROL), point);
}

void PickList::pickCursorRow() const
{
    const int row = cursor();
    if (row < 0 || row >= count()) {
        return;
    }
    if (SendMessageW(m_list, LB_GETSELCOUNT, 0, 0) == 1
        && SendMessageW(m_list, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0) {
        return;
    }
    SendMessageW(m_list, LB_SETSEL, FALSE, -1);
    SendMessageW(m_list, LB_SETSEL, TRUE, row);
    SendMessageW(m_list, LB_SETCARETINDEX, static_cast<WPARAM>(row), FALSE);
    SendMessageW(GetParent(m_list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_list), LBN_SELCHANGE),
        reinterpret_cast<LPARAM>(m_list));
}

} // namespace bitki::win32
