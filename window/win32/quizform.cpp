#include "quizform.h"

#include "content.h"
#include "design.h"

#include <commctrl.h>

#include <algorithm>

namespace bitki::win32 {

namespace {

constexpr wchar_t ClassName[] = L"BitkiQuizForm";
constexpr int List1Id = 100;
constexpr int Text1Id = 200;
constexpr int Command1Id = 300;
constexpr int Label1Id = 400;

COLORREF toColorRef(design::Rgb rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

UINT dpiOf(HWND window)
{
    // Windows 10 knows each monitor's DPI; older systems have one for the screen.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && window != nullptr) {
        return getDpiForWindow(window);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

int scaled(int pixels, UINT dpi)
{
    return MulDiv(pixels, static_cast<int>(dpi), 96);
}

void place(HWND control, const design::Rect& rect, UINT dpi)
{
    SetWindowPos(control, nullptr, scaled(rect.left, dpi), scaled(rect.top, dpi), scaled(rect.width, dpi),
        scaled(rect.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Picks the row under the list's cursor, as a click on it does.
void pickCursorRow(HWND list)
{
    const auto cursor = static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
    if (cursor < 0 || cursor >= static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0))) {
        return;
    }
    if (SendMessageW(list, LB_GETSELCOUNT, 0, 0) == 1
        && SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(cursor), 0) > 0) {
        return;
    }
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    SendMessageW(list, LB_SETSEL, TRUE, cursor);
    SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(cursor), FALSE);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
        reinterpret_cast<LPARAM>(list));
}

// A pick list: only a click on a row, Space or Enter picks; the arrow keys, Home, End and the
// page keys move the cursor without selecting, and at most one row is ever selected.
LRESULT CALLBACK pickListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_GETDLGCODE: {
        LRESULT code = DefSubclassProc(list, message, wParam, lParam);
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_KEYDOWN: {
        const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        const auto cursor = static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
        RECT client{};
        GetClientRect(list, &client);
        const auto rowHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        const int page = rowHeight > 0 ? std::max(1, static_cast<int>(client.bottom / rowHeight) - 1) : 1;
        int target = cursor;
        switch (wParam) {
        case VK_UP:
            target = cursor - 1;
            break;
        case VK_DOWN:
            target = cursor + 1;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count - 1;
            break;
        case VK_PRIOR:
            target = cursor - page;
            break;
        case VK_NEXT:
            target = cursor + page;
            break;
        case VK_SPACE:
        case VK_RETURN:
            pickCursorRow(list);
            return 0;
        default:
            return DefSubclassProc(list, message, wParam, lParam);
        }
        if (count > 0) {
            SendMessageW(
                list, LB_SETCARETINDEX, static_cast<WPARAM>(std::clamp(target, 0, count - 1)), FALSE);
        }
        return 0;
    }
    case WM_CHAR:
        // Neither Space nor type-ahead may select.
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const auto hit = static_cast<DWORD>(SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam));
        if (HIWORD(hit) != 0) {
            // Below the last row: the focus comes here, a pick made before stays.
            SetFocus(list);
            return 0;
        }
        return DefSubclassProc(
            list, WM_LBUTTONDOWN, wParam & ~static_cast<WPARAM>(MK_SHIFT | MK_CONTROL), lParam);
    }
    case WM_MOUSEMOVE:
        if ((wParam & MK_LBUTTON) != 0) {
            return 0; // a drag does not pick another row
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

// The feedback box is read-only: Tab leaves it, as in any other control.
LRESULT CALLBACK feedbackProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_GETDLGCODE) {
        return DefSubclassProc(edit, message, wParam, lParam)
            & ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

} // namespace

QuizForm::QuizForm(HINSTANCE instance)
    : m_instance(instance)
    , m_windowBrush(CreateSolidBrush(toColorRef(design::WindowColour)))
    , m_headingBrush(CreateSolidBrush(toColorRef(design::HeadingColour)))
    , m_buttonBrush(CreateSolidBrush(toColorRef(design::RestartColour)))
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"IDI_ICON1");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = m_windowBrush;
    windowClass.lpszClassName = ClassName;
    RegisterClassExW(&windowClass);

    const std::wstring caption = toUtf16(design::SiteAddress) + L" " + toUtf16(design::CaptionTitle);
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, ClassName, caption.c_str(), style, CW_USEDEFAULT,
        CW_USEDEFAULT, design::ClientWidth, design::ClientHeight, nullptr, nullptr, instance, this);

    createControls();
    layout(dpiOf(m_window));

    const FormControls form{
        {*m_listControls[0], *m_listControls[1], *m_listControls[2], *m_listControls[3], *m_listControls[4]},
        {*m_textControls[0], *m_textControls[1]}};
    LoadDesignTimeContent(form);
    m_quiz = std::make_unique<Quiz>(form);
    Form_Load();
    SetFocus(m_text1[text1::Feedback]);
}

QuizForm::~QuizForm()
{
    if (IsWindow(m_window) != FALSE) {
        DestroyWindow(m_window);
    }
    DeleteObject(m_font);
    DeleteObject(m_windowBrush);
    DeleteObject(m_headingBrush);
    DeleteObject(m_buttonBrush);
}

void QuizForm::createControls()
{
    // Created in tab order; only the visible controls are tab stops.
    const auto create = [this](const wchar_t* kind, DWORD style, int id, bool shown) {
        return CreateWindowExW(0, kind, L"", WS_CHILD | style | (shown ? WS_VISIBLE | WS_TABSTOP : 0), 0, 0,
            0, 0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), m_instance, nullptr);
    };
    constexpr DWORD editStyle = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER;
    for (int i = 0; i < 2; ++i) {
        m_text1[i] = create(L"EDIT", editStyle, Text1Id + i, i == text1::Feedback);
        m_textControls[i] = std::make_unique<Win32TextControl>(m_text1[i]);
    }
    SetWindowSubclass(m_text1[text1::Feedback], feedbackProcedure, 0, 0);

    m_label1 = create(L"STATIC", SS_CENTER | SS_CENTERIMAGE, Label1Id, true);
    SetWindowLongPtrW(
        m_label1, GWL_STYLE, GetWindowLongPtrW(m_label1, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowTextW(m_label1, toUtf16(design::HeadingText).c_str());

    for (int i = 0; i < 5; ++i) {
        const bool pickList = i == list1::BattlePicks || i == list1::CommanderPicks;
        const DWORD style = LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER
            | (pickList ? LBS_SORT | LBS_EXTENDEDSEL : 0);
        m_list1[i] = create(L"LISTBOX", style, List1Id + i, pickList);
        m_listControls[i] = std::make_unique<Win32ListControl>(m_list1[i]);
        if (pickList) {
            SetWindowSubclass(m_list1[i], pickListProcedure, 0, 0);
        }
    }
    m_command1 = create(L"BUTTON", BS_OWNERDRAW, Command1Id, true);
    SetWindowTextW(m_command1, toUtf16(design::RestartText).c_str());
}

void QuizForm::layout(UINT dpi)
{
    RECT frame{0, 0, scaled(design::ClientWidth, dpi), scaled(design::ClientHeight, dpi)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_STYLE)), FALSE,
        static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_EXSTYLE)));
    SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (int i = 0; i < 5; ++i) {
        place(m_list1[i], design::List1Rects[i], dpi);
    }
    for (int i = 0; i < 2; ++i) {
        place(m_text1[i], design::Text1Rects[i], dpi);
    }
    place(m_label1, design::Label1Rect, dpi);
    place(m_command1, design::Command1Rect, dpi);

    HFONT old = m_font;
    m_font = CreateFontW(-MulDiv(design::FontPointSize, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE,
        FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
        DEFAULT_PITCH | FF_ROMAN, toUtf16(design::FontFamily).c_str());
    for (HWND control : {m_text1[0], m_text1[1], m_label1, m_list1[0], m_list1[1], m_list1[2], m_list1[3],
             m_list1[4], m_command1}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    }
    if (old != nullptr) {
        DeleteObject(old);
    }
}

void QuizForm::Form_Load()
{
    m_quiz->FillLists();
}

Quiz::ClickOutcome QuizForm::List1_Click(int /*index*/)
{
    return m_quiz->ListClick();
}

void QuizForm::Command1_Click(int index)
{
    if (index == 0) {
        m_quiz->Restart();
    }
}

LRESULT CALLBACK QuizForm::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* form = static_cast<QuizForm*>(create->lpCreateParams);
        form->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<QuizForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return form != nullptr ? form->handle(message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT QuizForm::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id >= List1Id && id < List1Id + 5 && code == LBN_SELCHANGE) {
            const int index = id - List1Id;
            // Only a pick reaches here; losing a selection is no click.
            if (SendMessageW(m_list1[index], LB_GETSELCOUNT, 0, 0) <= 0) {
                return 0;
            }
            // As in the Qt window: the verdict takes the focus, for a screen reader to speak it.
            if (List1_Click(index) == Quiz::ClickOutcome::Judged) {
                SetFocus(m_text1[text1::Feedback]);
            }
            return 0;
        }
        // Enter on the focused button comes from the dialog manager as IDOK.
        if ((id == Command1Id && code == BN_CLICKED) || (id == IDOK && GetFocus() == m_command1)) {
            Command1_Click(0);
            SetFocus(m_list1[list1::BattlePicks]);
            return 0;
        }
        break;
    }
    case WM_CTLCOLORSTATIC: {
        auto* context = reinterpret_cast<HDC>(wParam);
        SetTextColor(context, RGB(0, 0, 0));
        if (reinterpret_cast<HWND>(lParam) == m_label1) {
            SetBkColor(context, toColorRef(design::HeadingColour));
            return reinterpret_cast<LRESULT>(m_headingBrush);
        }
        // The read-only edit boxes keep a white background.
        SetBkColor(context, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        layout(HIWORD(wParam));
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top, 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void QuizForm::drawButton(const DRAWITEMSTRUCT& item) const
{
    // A graphical button: painted in its own colour.
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, m_buttonBrush);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawEdge(item.hDC, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    wchar_t caption[32]{};
    GetWindowTextW(item.hwndItem, caption, 32);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(0, 0, 0));
    DrawTextW(item.hDC, caption, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(item.hDC, &focus);
    }
}

} // namespace bitki::win32
