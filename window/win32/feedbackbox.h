#pragma once

// The read-only feedback box: Tab leaves it, as in any other control, and arriving by Tab does not
// select its whole text (a screen reader would say only how much is selected). A verdict written
// while the box has the focus (the focus comes first) has its line selected until the focus
// leaves, so that a screen reader speaks the whole line however the box wraps it.

#include <windows.h>

namespace bitki::win32 {

class FeedbackBox final {
public:
    explicit FeedbackBox(HWND edit);
    FeedbackBox(const FeedbackBox&) = delete;
    FeedbackBox& operator=(const FeedbackBox&) = delete;
    ~FeedbackBox();

private:
    static LRESULT CALLBACK procedure(
        HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);

    HWND m_edit;
};

} // namespace bitki::win32
