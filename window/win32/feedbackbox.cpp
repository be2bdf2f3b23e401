#include "feedbackbox.h"

#include "win32controls.h"

#include <commctrl.h>

namespace bitki::win32 {

FeedbackBox::FeedbackBox(HWND edit)
    : m_edit(edit)
{
    SetWindowSubclass(m_edit, procedure, 0, 0);
}

FeedbackBox::~FeedbackBox()
{
    RemoveWindowSubclass(m_edit, procedure, 0);
}

LRESULT CALLBACK FeedbackBox::procedure(
    HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/, DWORD_PTR /*self*/)
{
    if (message == WM_GETDLGCODE) {
        return DefSubclassProc(edit, message, wParam, lParam)
            & ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_HASSETSEL);
    }
    if (message == WM_KILLFOCUS) {
        // The verdict line is selected only for the moment the verdict arrives.
        SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

void FeedbackBox::selectFirstLine(std::string_view text) const
{
    const std::wstring line = toUtf16(text.substr(0, text.find("\r\n")));
    SendMessageW(m_edit, EM_SETSEL, 0, static_cast<LPARAM>(line.size()));
}

} // namespace bitki::win32
