#include "quizform.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

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
        // The dialog manager gives Tab, Shift+Tab and Enter their usual meaning.
        if (IsDialogMessageW(form.window(), &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
