#pragma once

// A standard list box where only a deliberate pick selects a row: a click on a row, Space or
// Enter. The arrow keys, Home, End, the page keys and typed first letters move the cursor without
// selecting, so browsing with the keyboard never judges a pair, and at most one row is ever
// selected. Each cursor move is told to assistive technology, as the list box itself tells only
// of selections.

#include "browsing.h"

#include <windows.h>

#include <string>

namespace bitki::win32 {

class PickList final {
public:
    // Takes over the keyboard and mouse of this list box for as long as it lives.
    explicit PickList(HWND list);
    PickList(const PickList&) = delete;
    PickList& operator=(const PickList&) = delete;
    ~PickList();

private:
    static LRESULT CALLBACK procedure(
        HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onKeyDown(WPARAM key, LPARAM lParam);
    LRESULT onChar(wchar_t typed);
    LRESULT onButtonDown(WPARAM flags, LPARAM point);
    int count() const;
    int cursor() const;
    void moveCursor(int row) const;
    void pickCursorRow() const;

    HWND m_list;
    // Letters typed within a moment of each other make one search.
    TypedSearch m_typed;
};

} // namespace bitki::win32
