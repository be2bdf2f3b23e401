#include "feedbackbox.h"

#include "feedback.h"
#include "win32controls.h"

#include <commctrl.h>

#include <string>

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
    const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    if (message == WM_SETTEXT && lParam != 0 && GetFocus() == edit) {
        const std::string text = toUtf8(reinterpret_cast<const wchar_t*>(lParam));
        const FeedbackReading reading = ReadFeedback(text);
        if (reading.verdict) {
            SendMessageW(edit, EM_SETSEL, 0, static_cast<LPARAM>(toUtf16(reading.line).size()));
        }
    }
    return result;
}

} // namespace bitki::win32
