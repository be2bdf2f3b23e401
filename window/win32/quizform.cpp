#include "quizform.h"

#include "accessibility.h"
#include "content.h"
#include "design.h"
#include "dpi.h"
#include "fitting.h"

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

Brush solid(COLORREF colour)
{
    return Brush(CreateSolidBrush(colour));
}

} // namespace

MadeForm::MadeForm(std::unique_ptr<QuizForm> form)
    : m_form(std::move(form))
{
}

MadeForm::MadeForm(DWORD failure)
    : m_failure(failure)
{
}

MadeForm QuizForm::create(HINSTANCE instance)
{
    std::unique_ptr<QuizForm> form(new QuizForm(instance));
    if (const auto failure = form->open()) {
        return MadeForm(*failure);
    }
    return MadeForm(std::move(form));
}

QuizForm::QuizForm(HINSTANCE instance)
    : m_instance(instance)
{
}

std::optional<DWORD> QuizForm::open()
{
    // The class outlives any one window, so it holds no brush of a window's: each window paints
    // its own background. A second window finds the class already there.
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = LoadIconW(m_instance, L"IDI_ICON1");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ClassName;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return GetLastError();
    }

    applyTheme(highContrastOn());
    const std::wstring caption = toUtf16(design::Caption);
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, ClassName, caption.c_str(),
        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, design::ClientWidth,
        design::ClientHeight, nullptr, nullptr, m_instance, this);
    m_keyHolder = m_window != nullptr
        ? CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, m_instance, nullptr)
        : nullptr;
    if (m_keyHolder == nullptr || !createControls()) {
        return GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_CANNOT_MAKE;
    }
    nameControls(
        {m_text1[text1::Feedback], m_list1[list1::BattlePicks], m_list1[list1::CommanderPicks], m_command1});
    zoomTo(1);

    std::array<ACCEL, 6> keys{{
        {FCONTROL | FVIRTKEY, VK_OEM_PLUS, ZoomInId},
        {FCONTROL | FVIRTKEY, VK_ADD, ZoomInId},
        {FCONTROL | FVIRTKEY, VK_OEM_MINUS, ZoomOutId},
        {FCONTROL | FVIRTKEY, VK_SUBTRACT, ZoomOutId},
        {FCONTROL | FVIRTKEY, '0', ZoomResetId},
        {FCONTROL | FVIRTKEY, VK_NUMPAD0, ZoomResetId},
    }};
    m_shortcuts.reset(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));

    m_events = std::make_unique<WindowEvents>(
        BindControls(m_listControls, m_textControls), [this](FocusTarget target) { moveFocus(target); });
    Form_Load();
    m_lastFocus = m_text1[text1::Feedback];
    SetFocus(m_lastFocus);
    return std::nullopt;
}

QuizForm::~QuizForm()
{
    // The subclassed controls go with their window, before the owners of their procedures.
    m_pickLists = {};
    m_feedbackBox.reset();
    for (HWND window : {m_window, m_keyHolder}) {
        if (window != nullptr && IsWindow(window) != FALSE) {
            DestroyWindow(window);
        }
    }
}

bool QuizForm::createControls()
{
    // Created in tab order; only the visible controls are tab stops. The hidden ones hold the
    // answer key under a window of their own that nobody sees or reads.
    bool created = true;
    const auto create = [&](const wchar_t* kind, DWORD style, int id, bool shown) {
        HWND control = CreateWindowExW(0, kind, L"", WS_CHILD | style | (shown ? WS_VISIBLE | WS_TABSTOP : 0),
            0, 0, 0, 0, shown ? m_window : m_keyHolder, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
            m_instance, nullptr);
        created = created && control != nullptr;
        return control;
    };
    constexpr DWORD editStyle = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER;
    for (int i = 0; i < 2; ++i) {
        m_text1[i] = create(L"EDIT", editStyle, Text1Id + i, i == text1::Feedback);
        m_textControls[i] = std::make_unique<Win32TextControl>(m_text1[i]);
    }

    m_label1 = create(L"STATIC", SS_CENTER | SS_CENTERIMAGE, Label1Id, true);
    for (int i = 0; i < 5; ++i) {
        const bool pickList = i == list1::BattlePicks || i == list1::CommanderPicks;
        const DWORD style = LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER
            | (pickList ? LBS_SORT | LBS_EXTENDEDSEL : 0);
        m_list1[i] = create(L"LISTBOX", style, List1Id + i, pickList);
        m_listControls[i] = std::make_unique<Win32ListControl>(m_list1[i]);
    }
    m_command1 = create(L"BUTTON", BS_OWNERDRAW, Command1Id, true);
    if (!created) {
        return false;
    }

    m_feedbackBox = std::make_unique<FeedbackBox>(m_text1[text1::Feedback]);
    for (const int i : {list1::BattlePicks, list1::CommanderPicks}) {
        m_pickLists.at(static_cast<std::size_t>(i)) = std::make_unique<PickList>(m_list1[i]);
    }
    SetWindowLongPtrW(
        m_label1, GWL_STYLE, GetWindowLongPtrW(m_label1, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowTextW(m_label1, toUtf16(design::HeadingText).c_str());
    SetWindowTextW(m_command1, toUtf16(design::RestartText).c_str());
    return true;
}

void QuizForm::applyTheme(bool highContrast)
{
    m_palette = Palette::of(highContrast);
    m_windowBrush = solid(m_palette.window);
    m_headingBrush = solid(m_palette.heading);
    m_buttonBrush = solid(m_palette.button);
    m_textBrush = solid(m_palette.textBackground);
    if (m_window != nullptr) {
        RedrawWindow(m_window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void QuizForm::zoomTo(double factor)
{
    if (IsZoomed(m_window) != FALSE) {
        ShowWindow(m_window, SW_RESTORE);
    }
    const double screen = screenScale(m_window);
    // The screen the window stands on: a projector beside the laptop's own, say.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(m_window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const SIZE designed = frameSize(m_window, screen);
    RECT now{};
    GetWindowRect(m_window, &now);
    const Zoom zoom
        = ZoomWithin(factor, screen, {work.left, work.top, work.right - work.left, work.bottom - work.top},
            designed.cx - static_cast<int>(std::lround(design::ClientWidth * screen)),
            designed.cy - static_cast<int>(std::lround(design::ClientHeight * screen)), now.left, now.top);
    const SIZE size = frameSize(m_window, screen * zoom.factor);
    SetWindowPos(m_window, nullptr, zoom.left, zoom.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
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
    const Fit fit = Fit::of(client.right, client.bottom);
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

    const int height = static_cast<int>(std::lround(design::FontPixels * m_scale));
    if (height != m_fontHeight) {
        Font font(CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_ROMAN,
            toUtf16(design::FontFamily).c_str()));
        m_fontHeight = height;
        for (HWND control : {m_text1[text1::Feedback], m_label1, m_list1[list1::BattlePicks],
                 m_list1[list1::CommanderPicks], m_command1}) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        }
        // The controls hold the new font before the old one goes.
        m_font = std::move(font);
    }
    InvalidateRect(m_window, nullptr, TRUE);
}

bool QuizForm::preTranslate(MSG& message) const
{
    return TranslateAcceleratorW(m_window, m_shortcuts.get(), &message) != 0
        || IsDialogMessageW(m_window, &message) != FALSE;
}

void QuizForm::moveFocus(FocusTarget target) const
{
    SetFocus(target == FocusTarget::Feedback ? m_text1[text1::Feedback] : m_list1[list1::BattlePicks]);
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
    case WM_COMMAND:
        return onCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_ACTIVATE:
        return onActivate(wParam, lParam);
    case WM_ERASEBKGND:
        return onEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_GETMINMAXINFO:
        return onGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_SIZE:
        layoutControls();
        return 0;
    case WM_CTLCOLORSTATIC:
        return onColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        return onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_DPICHANGED:
        return onDpiChanged(*reinterpret_cast<const RECT*>(lParam));
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        return onThemeChanged();
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST) {
            return onThemeChanged();
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT QuizForm::onCommand(int id, int code)
{
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
    const double designed = m_scale / screenScale(m_window);
    switch (id) {
    case ZoomInId:
        zoomTo(ZoomStep(designed, 1));
        return 0;
    case ZoomOutId:
        zoomTo(ZoomStep(designed, -1));
        return 0;
    case ZoomResetId:
        zoomTo(1);
        return 0;
    default:
        return DefWindowProcW(m_window, WM_COMMAND, MAKEWPARAM(id, code), 0);
    }
}

LRESULT QuizForm::onActivate(WPARAM wParam, LPARAM lParam)
{
    // Back in the window, the focus returns to the control that had it.
    if (LOWORD(wParam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); focus != nullptr && IsChild(m_window, focus) != FALSE) {
            m_lastFocus = focus;
        }
    } else if (m_lastFocus != nullptr && HIWORD(wParam) == 0) {
        SetFocus(m_lastFocus);
        return 0;
    }
    return DefWindowProcW(m_window, WM_ACTIVATE, wParam, lParam);
}

LRESULT QuizForm::onEraseBackground(HDC context) const
{
    RECT client{};
    GetClientRect(m_window, &client);
    FillRect(context, &client, m_windowBrush.get());
    return 1;
}

LRESULT QuizForm::onGetMinMaxInfo(MINMAXINFO& limits) const
{
    // Never smaller than designed.
    const SIZE smallest = frameSize(m_window, screenScale(m_window));
    limits.ptMinTrackSize = {smallest.cx, smallest.cy};
    return 0;
}

LRESULT QuizForm::onColourStatic(HDC context, HWND control) const
{
    if (control == m_label1) {
        SetTextColor(context, m_palette.headingText);
        SetBkColor(context, m_palette.heading);
        return reinterpret_cast<LRESULT>(m_headingBrush.get());
    }
    // The read-only edit box: the system's text on the system's window colour, legible in any scheme.
    SetTextColor(context, m_palette.text);
    SetBkColor(context, m_palette.textBackground);
    return reinterpret_cast<LRESULT>(m_textBrush.get());
}

LRESULT QuizForm::onDrawItem(const DRAWITEMSTRUCT& item) const
{
    // A graphical button: painted in its own colour.
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, m_buttonBrush.get());
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawEdge(item.hDC, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    wchar_t caption[32]{};
    GetWindowTextW(item.hwndItem, caption, 32);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, m_palette.buttonText);
    DrawTextW(item.hDC, caption, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if ((item.itemState & ODS_FOCUS) != 0) {
        // Drawn by inverting, so it shows on any colour.
        RECT focus = item.rcItem;
        const int inset = static_cast<int>(std::lround(4 * m_scale));
        InflateRect(&focus, -inset, -inset);
        DrawFocusRect(item.hDC, &focus);
    }
    return TRUE;
}

LRESULT QuizForm::onDpiChanged(const RECT& suggested)
{
    SetWindowPos(m_window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
        suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT QuizForm::onThemeChanged()
{
    applyTheme(highContrastOn());
    return 0;
}

} // namespace bitki::win32
