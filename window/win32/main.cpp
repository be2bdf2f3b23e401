#include "quizform.h"

#include <commctrl.h>
#include <objbase.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // For the accessibility service that names the controls.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    bitki::win32::QuizForm form(instance);
    // Centred on the screen the first time it is shown.
    RECT frame{};
    GetWindowRect(form.window(), &frame);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(form.window(), nullptr,
        work.left + (work.right - work.left - (frame.right - frame.left)) / 2,
        work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2, 0, 0,
        SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(form.window(), showCommand);
    UpdateWindow(form.window());

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The size keys, and the dialog manager's Tab, Shift+Tab and Enter.
        if (!form.preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (com) {
        CoUninitialize();
    }
    return static_cast<int>(message.wParam);
}
