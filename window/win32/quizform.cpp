#include "quizform.h"

#include "content.h"
#include "design.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cmath>

namespace bitki::win32 {

namespace {

constexpr wchar_t ClassName[] = L"BitkiQuizForm";
constexpr int List1Id = 100;
constexpr int Text1Id = 200;
constexpr int Command1Id = 300;
constexpr int Label1Id = 400;
constexpr int ZoomInId = 500;
constexpr int ZoomOutId = 501;
constexpr int ZoomResetId = 502;

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
            const int row = std::clamp(target, 0, count - 1);
            SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(row), FALSE);
            // The list box tells assistive technology only of selections; this move is news too.
            NotifyWinEvent(EVENT_OBJECT_FOCUS, list, OBJID_CLIENT, row + 1);
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

// The feedback box is read-only: Tab leaves it, as in any other control, and arriving by Tab
// does not select the whole text (a screen reader would say only how much is selected).
LRESULT CALLBACK feedbackProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
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

} // namespace

QuizForm::QuizForm(HINSTANCE instance)
    : m_instance(instance)
    , m_windowBrush(CreateSolidBrush(toColorRef(design::WindowColour)))
    , m_headingBrush(CreateSolidBrush(toColorRef(design::HeadingColour)))
    , m_buttonBrush(CreateSolidBrush(toColorRef(design::RestartColour)))
{
    // The class outlives any one window, so it holds no brush of a window's: each window paints
    // its own background.
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"IDI_ICON1");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ClassName;
    RegisterClassExW(&windowClass);

    const std::wstring caption = toUtf16(design::Caption());
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, ClassName, caption.c_str(),
        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, design::ClientWidth,
        design::ClientHeight, nullptr, nullptr, instance, this);
    m_keyHolder = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);

    createControls();
    nameControls();
    zoomTo(1);

    std::array<ACCEL, 6> keys{{
        {FCONTROL | FVIRTKEY, VK_OEM_PLUS, ZoomInId},
        {FCONTROL | FVIRTKEY, VK_ADD, ZoomInId},
        {FCONTROL | FVIRTKEY, VK_OEM_MINUS, ZoomOutId},
        {FCONTROL | FVIRTKEY, VK_SUBTRACT, ZoomOutId},
        {FCONTROL | FVIRTKEY, '0', ZoomResetId},
        {FCONTROL | FVIRTKEY, VK_NUMPAD0, ZoomResetId},
    }};
    m_shortcuts = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));

    m_events = std::make_unique<FormEvents>(
        BindControls(m_listControls, m_textControls), [this](FocusTarget target) { moveFocus(target); });
    Form_Load();
    m_lastFocus = m_text1[text1::Feedback];
    SetFocus(m_lastFocus);
}

QuizForm::~QuizForm()
{
    for (HWND window : {m_window, m_keyHolder}) {
        if (IsWindow(window) != FALSE) {
            DestroyWindow(window);
        }
    }
    DestroyAcceleratorTable(m_shortcuts);
    DeleteObject(m_font);
    DeleteObject(m_windowBrush);
    DeleteObject(m_headingBrush);
    DeleteObject(m_buttonBrush);
}

void QuizForm::createControls()
{
    // Created in tab order; only the visible controls are tab stops. The hidden ones hold the
    // answer key under a window of their own that nobody sees or reads.
    const auto create = [this](const wchar_t* kind, DWORD style, int id, bool shown) {
        return CreateWindowExW(0, kind, L"", WS_CHILD | style | (shown ? WS_VISIBLE | WS_TABSTOP : 0), 0, 0,
            0, 0, shown ? m_window : m_keyHolder, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
            m_instance, nullptr);
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

void QuizForm::nameControls() const
{
    // Windows' own service gives the controls their names; where it is missing (Wine has none)
    // they go without, and the quiz works the same.
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
            reinterpret_cast<void**>(&services)))
        || services == nullptr) {
        return;
    }
    const auto describe = [services](HWND control, std::string_view name, std::string_view description) {
        services->SetHwndPropStr(
            control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, toUtf16(name).c_str());
        services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
            PROPID_ACC_DESCRIPTION, toUtf16(description).c_str());
    };
    describe(m_text1[text1::Feedback], design::FeedbackName, design::FeedbackDescription);
    describe(m_list1[list1::BattlePicks], design::BattlesName, design::BattlesDescription);
    describe(m_list1[list1::CommanderPicks], design::CommandersName, design::CommandersDescription);
    describe(m_command1, design::RestartText, design::RestartDescription);
    services->Release();
}

SIZE QuizForm::frameSize(double factor) const
{
    RECT frame{0, 0, static_cast<LONG>(std::lround(design::ClientWidth * factor)),
        static_cast<LONG>(std::lround(design::ClientHeight * factor))};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_STYLE));
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_EXSTYLE));
    // The frame of the window's own screen, where Windows can say it (Windows 10 and later).
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = reinterpret_cast<AdjustForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (adjustForDpi == nullptr || adjustForDpi(&frame, style, FALSE, extended, dpiOf(m_window)) == FALSE) {
        AdjustWindowRectEx(&frame, style, FALSE, extended);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void QuizForm::zoomTo(double factor)
{
    if (IsZoomed(m_window) != FALSE) {
        ShowWindow(m_window, SW_RESTORE);
    }
    const double screen = dpiOf(m_window) / 96.0;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const SIZE design = frameSize(screen);
    const SIZE room{work.right - work.left - (design.cx - static_cast<LONG>(design::ClientWidth * screen)),
        work.bottom - work.top - (design.cy - static_cast<LONG>(design::ClientHeight * screen))};
    factor = std::min(
        {factor, room.cx / (design::ClientWidth * screen), room.cy / (design::ClientHeight * screen)});
    factor = std::max(factor, 1.0);
    const SIZE size = frameSize(screen * factor);
    RECT now{};
    GetWindowRect(m_window, &now);
    const LONG left = std::clamp(now.left, work.left, std::max(work.left, work.right - size.cx));
    const LONG top = std::clamp(now.top, work.top, std::max(work.top, work.bottom - size.cy));
    SetWindowPos(m_window, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    layoutControls();
}

void QuizForm::layoutControls()
{
    if (m_command1 == nullptr) {
        return;
    }
    // The design as one picture, the screen's DPI included in its factor.
    RECT client{};
    GetClientRect(m_window, &client);
    const design::Fit fit = design::Fit::of(client.right, client.bottom);
    m_scale = fit.scale;
    const auto place = [&fit](HWND control, const design::Rect& rect) {
        const design::Rect placed = fit.place(rect);
        SetWindowPos(control, nullptr, placed.left, placed.top, placed.width, placed.height,
            SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(m_list1[list1::BattlePicks], design::List1Rects[list1::BattlePicks]);
    place(m_list1[list1::CommanderPicks], design::List1Rects[list1::CommanderPicks]);
    place(m_text1[text1::Feedback], design::Text1Rects[text1::Feedback]);
    place(m_label1, design::Label1Rect);
    place(m_command1, design::Command1Rect);

    // Points at 96 dots per inch are a third larger in pixels.
    const int height = static_cast<int>(std::lround(design::FontPointSize * 96.0 / 72 * m_scale));
    if (height != m_fontHeight) {
        HFONT old = m_font;
        m_font = CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_ROMAN,
            toUtf16(design::FontFamily).c_str());
        m_fontHeight = height;
        for (HWND control : {m_text1[text1::Feedback], m_label1, m_list1[list1::BattlePicks],
                 m_list1[list1::CommanderPicks], m_command1}) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
        }
        if (old != nullptr) {
            DeleteObject(old);
        }
    }
    InvalidateRect(m_window, nullptr, TRUE);
}

bool QuizForm::preTranslate(MSG& message) const
{
    return TranslateAcceleratorW(m_window, m_shortcuts, &message) != 0
        || IsDialogMessageW(m_window, &message) != FALSE;
}

void QuizForm::moveFocus(FocusTarget target) const
{
    SetFocus(target == FocusTarget::Feedback ? m_text1[text1::Feedback] : m_list1[list1::BattlePicks]);
}

void QuizForm::selectVerdictLine() const
{
    // A screen reader speaks the selection when the focus arrives: the whole verdict line, however
    // the box wraps it.
    const std::string text = m_textControls[text1::Feedback]->Text();
    const std::size_t end = text.find("\r\n");
    const std::wstring line = toUtf16(std::string_view(text).substr(0, end));
    SendMessageW(m_text1[text1::Feedback], EM_SETSEL, 0, static_cast<LPARAM>(line.size()));
}

void QuizForm::Form_Load()
{
    m_events->Form_Load();
}

Quiz::ClickOutcome QuizForm::List1_Click(int index)
{
    const Quiz::ClickOutcome outcome = m_events->List1_Click(index);
    if (outcome == Quiz::ClickOutcome::Judged) {
        selectVerdictLine();
    }
    return outcome;
}

void QuizForm::Command1_Click(int index)
{
    m_events->Command1_Click(index);
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
            if (SendMessageW(m_list1[index], LB_GETSELCOUNT, 0, 0) > 0) {
                List1_Click(index);
            }
            return 0;
        }
        // Enter on the focused button comes from the dialog manager as IDOK.
        if ((id == Command1Id && code == BN_CLICKED) || (id == IDOK && GetFocus() == m_command1)) {
            Command1_Click(0);
            return 0;
        }
        // Nothing is remembered.
        const double designed = m_scale / (dpiOf(m_window) / 96.0);
        switch (id) {
        case ZoomInId:
            zoomTo(design::zoomStep(designed, 1));
            return 0;
        case ZoomOutId:
            zoomTo(design::zoomStep(designed, -1));
            return 0;
        case ZoomResetId:
            zoomTo(1);
            return 0;
        default:
            break;
        }
        break;
    }
    case WM_ACTIVATE:
        // Back in the window, the focus returns to the control that had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focus = GetFocus(); focus != nullptr && IsChild(m_window, focus) != FALSE) {
                m_lastFocus = focus;
            }
        } else if (m_lastFocus != nullptr && HIWORD(wParam) == 0) {
            SetFocus(m_lastFocus);
            return 0;
        }
        break;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(m_window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, m_windowBrush);
        return 1;
    }
    case WM_GETMINMAXINFO: {
        // Never smaller than designed.
        const SIZE smallest = frameSize(dpiOf(m_window) / 96.0);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {smallest.cx, smallest.cy};
        return 0;
    }
    case WM_SIZE:
        layoutControls();
        return 0;
    case WM_CTLCOLORSTATIC: {
        auto* context = reinterpret_cast<HDC>(wParam);
        SetTextColor(context, RGB(0, 0, 0));
        if (reinterpret_cast<HWND>(lParam) == m_label1) {
            SetBkColor(context, toColorRef(design::HeadingColour));
            return reinterpret_cast<LRESULT>(m_headingBrush);
        }
        // The read-only edit box keeps a white background.
        SetBkColor(context, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
            suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
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
        const int inset = static_cast<int>(std::lround(4 * m_scale));
        InflateRect(&focus, -inset, -inset);
        DrawFocusRect(item.hDC, &focus);
    }
}

} // namespace bitki::win32
