#pragma once

// The read-only feedback box: Tab leaves it, as in any other control, and arriving by Tab does not
// select its whole text (a screen reader would say only how much is selected). When a verdict
// arrives, its line is selected for the moment the focus arrives with it, so that a screen reader
// speaks the whole line however the box wraps it.

#include <windows.h>

#include <string_view>

namespace bitki::win32 {

class FeedbackBox final {
public:
    explicit FeedbackBox(HWND edit);
    FeedbackBox(const FeedbackBox&) = delete;
    FeedbackBox& operator=(const FeedbackBox&) = delete;
    ~FeedbackBox();

    // Selects the first line of this text, which the box shows.
    void selectFirstLine(std::string_view text) const;

private:
    static LRESULT CALLBACK procedure(
        HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);

    HWND m_edit;
};

} // namespace bitki::win32
