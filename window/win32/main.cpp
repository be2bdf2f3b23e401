#include "handles.h"
#include "quizform.h"

#include <commctrl.h>
#include <windows.h>

#include <string>

namespace {

// The system's words for an error code, in the user's language.
std::wstring errorText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 ? std::wstring(text, length) : L"#" + std::to_wstring(error);
    LocalFree(text);
    return message;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // For the accessibility service that names the controls.
    const bitki::win32::ComApartment com;

    const auto form = bitki::win32::QuizForm::create(instance);
    if (const auto failure = form.failure()) {
        // Nothing to show: say why, in the system's words, and end.
        const std::wstring text = L"Прозорецът на програмата не може да се отвори.\r\n" + errorText(*failure);
        MessageBoxW(nullptr, text.c_str(), L"Битки", MB_OK | MB_ICONERROR);
        return 1;
    }
    // Centred on the primary screen the first time it is shown.
    RECT frame{};
    GetWindowRect(form->window(), &frame);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(form->window(), nullptr,
        work.left + (work.right - work.left - (frame.right - frame.left)) / 2,
        work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2, 0, 0,
        SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(form->window(), showCommand);
    UpdateWindow(form->window());

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The size keys, and the dialog manager's Tab, Shift+Tab and Enter.
        if (!form->preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
