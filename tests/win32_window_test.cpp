// The native Windows window, created in-process and played with real input (SendInput), under
// Windows or Wine. The same things are checked as for the Qt window.

#include "content.h"
#include "design.h"
#include "quizform.h"
#include "sorted_rows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace bitki::win32 {
namespace {

using test::SortedBattles;
using test::SortedCommanders;
using Rows = std::vector<std::string>;

// The window on screen, whose keys the message loop translates.
const QuizForm* shown = nullptr;

// Lets the window handle everything queued, as its message loop does.
void pump()
{
    for (int round = 0; round < 5; ++round) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (shown == nullptr || !shown->preTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        Sleep(10);
    }
}

void send(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    pump();
}

void key(WORD virtualKey, bool shift = false)
{
    std::vector<INPUT> inputs;
    const auto add = [&](WORD code, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (shift) {
        add(VK_SHIFT, 0);
    }
    add(virtualKey, 0);
    add(virtualKey, KEYEVENTF_KEYUP);
    if (shift) {
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    }
    send(inputs);
}

// A key pressed with Ctrl held.
void controlKey(WORD code)
{
    std::vector<INPUT> inputs(4);
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
    }
    inputs[0].ki.wVk = VK_CONTROL;
    inputs[1].ki.wVk = code;
    inputs[2].ki.wVk = code;
    inputs[2].ki.dwFlags = KEYEVENTF_KEYUP;
    inputs[3].ki.wVk = VK_CONTROL;
    inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
    send(inputs);
}

void clickAt(HWND control, POINT point)
{
    ClientToScreen(control, &point);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs(3);
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65535, width - 1);
        input.mi.dy = MulDiv(point.y, 65535, height - 1);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    send(inputs);
}

Rows rows(HWND list)
{
    Win32ListControl control(list);
    Rows result;
    for (Position i = 0; i < control.ListCount(); ++i) {
        result.push_back(control.List(i));
    }
    return result;
}

std::string verdict(std::string_view word, std::string_view battle, std::string_view commander)
{
    return std::string(word) + std::string(battle) + " " + std::string(commander) + "\r\n";
}

class Win32Window : public testing::Test {
protected:
    void SetUp() override
    {
        auto made = QuizForm::create(GetModuleHandleW(nullptr));
        ASSERT_FALSE(made.failure().has_value());
        form = made.take();
        shown = form.get();
        ShowWindow(form->window(), SW_SHOW);
        SetForegroundWindow(form->window());
        SetFocus(form->text1(text1::Feedback));
        pump();
    }

    std::string feedback() const { return Win32TextControl(form->text1(text1::Feedback)).Text(); }

    int selected(int list) const
    {
        return static_cast<int>(SendMessageW(form->list1(list), LB_GETSELCOUNT, 0, 0));
    }

    // Scrolls the row into view and clicks it, as a user does.
    void click(int list, std::string_view text)
    {
        HWND box = form->list1(list);
        const std::wstring wanted = toUtf16(text);
        const auto row = SendMessageW(
            box, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
        ASSERT_NE(row, LB_ERR) << text;
        SendMessageW(box, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
        RECT rect{};
        SendMessageW(box, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        clickAt(box, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }

    void clickButton()
    {
        RECT rect{};
        GetClientRect(form->command1(), &rect);
        clickAt(form->command1(), {rect.right / 2, rect.bottom / 2});
    }

    void TearDown() override { shown = nullptr; }

    // The selection in the feedback box, as a screen reader reads it.
    std::wstring selectedFeedback() const
    {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(form->text1(text1::Feedback), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
            reinterpret_cast<LPARAM>(&end));
        return toUtf16(feedback()).substr(start, end - start);
    }

    std::unique_ptr<QuizForm> form;
};

TEST_F(Win32Window, StartsWithSortedListsAndTheTaskStatement)
{
    // The standard list box's own sorting gives the designed order.
    EXPECT_EQ(rows(form->list1(list1::BattlePicks)), SortedBattles);
    EXPECT_EQ(rows(form->list1(list1::CommanderPicks)), SortedCommanders);
    EXPECT_EQ(selected(list1::BattlePicks), 0);
    EXPECT_EQ(selected(list1::CommanderPicks), 0);
    EXPECT_EQ(feedback(), TaskStatement);
    EXPECT_EQ(Win32TextControl(form->text1(text1::Aphorism)).Text(), Aphorism);
    for (int i : {list1::KeyBattles, list1::KeyCommanders, list1::KeyDescriptions}) {
        EXPECT_FALSE(IsWindowVisible(form->list1(i)));
        EXPECT_EQ(rows(form->list1(i)).size(), AnswerKey.size());
    }
    EXPECT_EQ(rows(form->list1(list1::KeyBattles))[3], AnswerKey[3].battle);
    EXPECT_FALSE(IsWindowVisible(form->text1(text1::Aphorism)));
    // The hidden controls are no children of the window: assistive technology cannot reach the key.
    for (HWND hidden : {form->list1(list1::KeyBattles), form->list1(list1::KeyCommanders),
             form->list1(list1::KeyDescriptions), form->text1(text1::Aphorism)}) {
        EXPECT_FALSE(IsChild(form->window(), hidden));
    }
    EnumChildWindows(
        form->window(),
        [](HWND child, LPARAM) {
            EXPECT_TRUE(IsWindowVisible(child));
            return TRUE;
        },
        0);
    EXPECT_EQ(GetFocus(), form->text1(text1::Feedback));

    wchar_t caption[128]{};
    GetWindowTextW(form->window(), caption, 128);
    EXPECT_EQ(toUtf8(caption), design::Caption);
    RECT client{};
    GetClientRect(form->window(), &client);
    EXPECT_EQ(client.right, 461 * static_cast<int>(GetDpiForWindow(form->window())) / 96);
}

TEST_F(Win32Window, MouseJudgesEachPairOnceInEitherOrder)
{
    click(list1::BattlePicks, "Битка при Ахелой");
    EXPECT_EQ(feedback(), TaskStatement);
    click(list1::CommanderPicks, "цар Симеон");
    EXPECT_EQ(feedback(),
        verdict("Вярно: ", "Битка при Ахелой", "цар Симеон") + std::string(AnswerKey[3].description));
    EXPECT_EQ(rows(form->list1(list1::BattlePicks)).size(), 9U);
    EXPECT_EQ(rows(form->list1(list1::CommanderPicks)).size(), 9U);
    EXPECT_EQ(selected(list1::BattlePicks) + selected(list1::CommanderPicks), 0);
    EXPECT_EQ(GetFocus(), form->text1(text1::Feedback));

    click(list1::CommanderPicks, "цар Калоян");
    click(list1::BattlePicks, "Битка при Дойран");
    EXPECT_EQ(feedback(), verdict("Грешка: ", "Битка при Дойран", "цар Калоян"));
    EXPECT_EQ(rows(form->list1(list1::BattlePicks)).size(), 8U);
    EXPECT_EQ(rows(form->list1(list1::CommanderPicks)).size(), 8U);
    EXPECT_EQ(selected(list1::BattlePicks) + selected(list1::CommanderPicks), 0);
}

TEST_F(Win32Window, KeyboardBrowsesWithoutJudgingAndPicksWithSpaceOrEnter)
{
    key(VK_TAB);
    ASSERT_EQ(GetFocus(), form->list1(list1::BattlePicks));
    key(VK_DOWN);
    key(VK_DOWN);
    key(VK_END);
    key(VK_HOME);
    key(VK_DOWN);
    EXPECT_EQ(selected(list1::BattlePicks), 0);
    key(VK_SPACE);
    EXPECT_EQ(selected(list1::BattlePicks), 1);
    EXPECT_EQ(feedback(), TaskStatement);
    key(VK_TAB);
    ASSERT_EQ(GetFocus(), form->list1(list1::CommanderPicks));
    key(VK_END);
    key(VK_UP);
    EXPECT_EQ(selected(list1::CommanderPicks), 0);
    key(VK_RETURN);
    EXPECT_EQ(feedback(), verdict("Грешка: ", "Битка при Ахелой", "цар Калоян"));
    EXPECT_EQ(selected(list1::BattlePicks) + selected(list1::CommanderPicks), 0);
    // The verdict has the focus, its line selected for a screen reader to speak whole; Tab leads
    // back to the battles, and coming back by Shift+Tab selects nothing.
    EXPECT_EQ(GetFocus(), form->text1(text1::Feedback));
    EXPECT_EQ(toUtf8(selectedFeedback()), "Грешка: Битка при Ахелой цар Калоян");
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), form->list1(list1::BattlePicks));
    key(VK_TAB, true);
    EXPECT_EQ(GetFocus(), form->text1(text1::Feedback));
    EXPECT_EQ(selectedFeedback(), L"");
    key(VK_TAB, true);
    EXPECT_EQ(GetFocus(), form->command1());
    key(VK_RETURN);
    EXPECT_EQ(rows(form->list1(list1::BattlePicks)), SortedBattles);
    EXPECT_EQ(feedback(), "");
    EXPECT_EQ(GetFocus(), form->list1(list1::BattlePicks));
}

TEST_F(Win32Window, FullGameThenEmptyListsThenRestart)
{
    for (const KeyRow& row : AnswerKey) {
        click(list1::BattlePicks, row.battle);
        click(list1::CommanderPicks, row.commander);
        EXPECT_EQ(feedback(), verdict("Вярно: ", row.battle, row.commander) + std::string(row.description));
    }
    EXPECT_TRUE(rows(form->list1(list1::BattlePicks)).empty());
    const std::string last = feedback();
    for (int i : {list1::BattlePicks, list1::CommanderPicks}) {
        clickAt(form->list1(i), {20, 20});
        SetFocus(form->list1(i));
        key(VK_SPACE);
        key(VK_DOWN);
    }
    EXPECT_EQ(feedback(), last);

    form->Command1_Click(1);
    EXPECT_EQ(feedback(), last);
    clickButton();
    EXPECT_EQ(rows(form->list1(list1::BattlePicks)), SortedBattles);
    EXPECT_EQ(rows(form->list1(list1::CommanderPicks)), SortedCommanders);
    EXPECT_EQ(selected(list1::BattlePicks) + selected(list1::CommanderPicks), 0);
    EXPECT_EQ(feedback(), "");
}

// A projector: the window grows, and the design grows with it as one picture.
TEST_F(Win32Window, EnlargedWindowScalesTheWholeDesignByOneFactor)
{
    const double screen = GetDpiForWindow(form->window()) / 96.0;
    const auto clientSize = [&] {
        RECT client{};
        GetClientRect(form->window(), &client);
        return client;
    };
    for (const SIZE size : {SIZE{1383, 1035}, SIZE{1900, 1000}, SIZE{700, 900}}) {
        RECT frame{0, 0, size.cx, size.cy};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(form->window(), GWL_STYLE)), FALSE,
            static_cast<DWORD>(GetWindowLongPtrW(form->window(), GWL_EXSTYLE)));
        SetWindowPos(form->window(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
            SWP_NOZORDER | SWP_NOMOVE);
        pump();
        const RECT client = clientSize();
        const double factor = std::min(client.right / 461.0, client.bottom / 345.0);
        EXPECT_NEAR(form->scale(), factor, 1e-9);
        const double left = (client.right - 461 * factor) / 2;
        const double top = (client.bottom - 345 * factor) / 2;
        const auto expectScaled = [&](HWND control, const design::Rect& rect) {
            RECT placed{};
            GetWindowRect(control, &placed);
            MapWindowPoints(nullptr, form->window(), reinterpret_cast<POINT*>(&placed), 2);
            EXPECT_NEAR(placed.left, left + rect.left * factor, 1);
            EXPECT_NEAR(placed.top, top + rect.top * factor, 1);
            EXPECT_NEAR(placed.right - placed.left, rect.width * factor, 1);
            EXPECT_NEAR(placed.bottom - placed.top, rect.height * factor, 1);
            // The text grows by the same factor, and fits.
            auto* font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
            LOGFONTW description{};
            GetObjectW(font, sizeof description, &description);
            EXPECT_NEAR(-description.lfHeight, 16 * factor, 1);
        };
        for (int i : {list1::BattlePicks, list1::CommanderPicks}) {
            expectScaled(form->list1(i), design::List1Rects[i]);
            HDC context = GetDC(form->list1(i));
            SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(form->list1(i), WM_GETFONT, 0, 0)));
            RECT inside{};
            GetClientRect(form->list1(i), &inside);
            for (const std::string& row : rows(form->list1(i))) {
                const std::wstring text = toUtf16(row);
                SIZE extent{};
                GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &extent);
                EXPECT_LE(extent.cx, inside.right) << row;
            }
            ReleaseDC(form->list1(i), context);
        }
        expectScaled(form->text1(text1::Feedback), design::Text1Rects[0]);
        expectScaled(form->label1(), design::Label1Rect);
        expectScaled(form->command1(), design::Command1Rect);

        // The spare margin is painted in the window's own colour (an earlier window's brush is long gone).
        RedrawWindow(form->window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC context = GetDC(form->window());
        EXPECT_EQ(GetPixel(context, 1, 1), RGB(192, 192, 255));
        ReleaseDC(form->window(), context);
    }

    // Never smaller than designed; Ctrl+0 gives the designed size back, Ctrl+Plus and Ctrl+Minus step.
    MINMAXINFO limits{};
    SendMessageW(form->window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    RECT designed{0, 0, static_cast<LONG>(461 * screen), static_cast<LONG>(345 * screen)};
    AdjustWindowRectEx(&designed, static_cast<DWORD>(GetWindowLongPtrW(form->window(), GWL_STYLE)), FALSE,
        static_cast<DWORD>(GetWindowLongPtrW(form->window(), GWL_EXSTYLE)));
    EXPECT_EQ(limits.ptMinTrackSize.x, designed.right - designed.left);
    SetFocus(form->list1(list1::BattlePicks));
    controlKey('0');
    EXPECT_EQ(clientSize().right, static_cast<LONG>(461 * screen));
    EXPECT_NEAR(form->scale(), screen, 0.01);
    controlKey(VK_OEM_PLUS);
    EXPECT_NEAR(form->scale(), 1.25 * screen, 0.01);
    controlKey(VK_OEM_MINUS);
    EXPECT_NEAR(form->scale(), screen, 0.01);
    EXPECT_EQ(rows(form->list1(list1::BattlePicks)), SortedBattles);
}

// A teacher's laptop with a projector beside it as its second screen: moved onto the projector,
// the window grows there with Ctrl+Plus, beyond the laptop screen's size, and stays there.
// win32_two_screens.sh runs it on two screens; elsewhere there is one, and nothing to see.
TEST_F(Win32Window, GrowsOnTheScreenItStandsOn)
{
    struct Screen {
        HMONITOR handle;
        MONITORINFO info;
    };
    std::vector<Screen> screens;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM found) -> BOOL {
            Screen screen{monitor, {}};
            screen.info.cbSize = sizeof screen.info;
            GetMonitorInfoW(monitor, &screen.info);
            reinterpret_cast<std::vector<Screen>*>(found)->push_back(screen);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&screens));
    if (screens.size() < 2) {
        if (std::getenv("BITKI_TWO_SCREENS") != nullptr) {
            FAIL() << "Wine sees " << screens.size() << " screen(s)";
        }
        GTEST_SKIP() << "one screen";
    }
    const auto primary = std::find_if(screens.begin(), screens.end(),
        [](const Screen& screen) { return (screen.info.dwFlags & MONITORINFOF_PRIMARY) != 0; });
    ASSERT_NE(primary, screens.end());
    const Screen& laptop = *primary;
    const Screen& projector = primary == screens.begin() ? screens[1] : screens[0];

    // Past the laptop screen's right edge, where only the projector shows it.
    SetWindowPos(form->window(), nullptr, laptop.info.rcMonitor.right + 20, projector.info.rcWork.top + 40, 0,
        0, SWP_NOSIZE | SWP_NOZORDER);
    pump();
    ASSERT_EQ(MonitorFromWindow(form->window(), MONITOR_DEFAULTTONEAREST), projector.handle);
    SetFocus(form->list1(list1::BattlePicks));
    for (int step = 0; step < 12; ++step) {
        controlKey(VK_OEM_PLUS);
    }
    RECT frame{};
    GetWindowRect(form->window(), &frame);
    const RECT& laptopArea = laptop.info.rcWork;
    EXPECT_TRUE(frame.right - frame.left > laptopArea.right - laptopArea.left
        || frame.bottom - frame.top > laptopArea.bottom - laptopArea.top)
        << frame.right - frame.left << " x " << frame.bottom - frame.top;
    EXPECT_EQ(MonitorFromWindow(form->window(), MONITOR_DEFAULTTONEAREST), projector.handle);
    const RECT& room = projector.info.rcWork;
    EXPECT_TRUE(frame.left >= room.left && frame.top >= room.top && frame.right <= room.right
        && frame.bottom <= room.bottom)
        << frame.left << "," << frame.top << " " << frame.right << "," << frame.bottom;
}

std::wstring versionString(const std::vector<char>& record, const wchar_t* block, const wchar_t* name)
{
    const std::wstring path = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + name;
    wchar_t* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(record.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) == FALSE) {
        return {};
    }
    return std::wstring(value, length > 0 ? length - 1 : 0);
}

void typeLetter(wchar_t letter)
{
    std::vector<INPUT> inputs(2);
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = letter;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    send(inputs);
}

// What the Windows window adds for schools: typed first letters as in the Qt lists, the system's
// colours for the text in any scheme and for everything while High Contrast is on.
TEST_F(Win32Window, TypedLettersBrowseAndSystemColoursHold)
{
    HWND battles = form->list1(list1::BattlePicks);
    key(VK_TAB);
    for (const wchar_t letter : {L'Л', L'л'}) {
        key(VK_HOME);
        typeLetter(letter);
        const auto cursor = SendMessageW(battles, LB_GETCARETINDEX, 0, 0);
        EXPECT_EQ(SortedBattles.at(static_cast<std::size_t>(cursor)), "Лозенградска операция");
    }
    // The same letter again goes on to the next row that starts with it.
    typeLetter(L'л');
    EXPECT_EQ(SortedBattles.at(static_cast<std::size_t>(SendMessageW(battles, LB_GETCARETINDEX, 0, 0))),
        "Люлебургас - БунарХисар");
    EXPECT_EQ(selected(list1::BattlePicks), 0);
    EXPECT_EQ(feedback(), TaskStatement);

    // The feedback box's text is the scheme's text on the scheme's window colour.
    const auto feedbackColours = [this] {
        HDC context = CreateCompatibleDC(nullptr);
        SendMessageW(form->window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
            reinterpret_cast<LPARAM>(form->text1(text1::Feedback)));
        const std::pair colours{GetTextColor(context), GetBkColor(context)};
        DeleteDC(context);
        return colours;
    };
    EXPECT_EQ(feedbackColours(), std::pair(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)));
    if (std::getenv("BITKI_BLACK_SCHEME") != nullptr) {
        EXPECT_EQ(feedbackColours(), std::pair(RGB(255, 255, 255), RGB(0, 0, 0)));
    }
    EXPECT_EQ(form->palette().window, RGB(192, 192, 255));
    form->applyTheme(true);
    EXPECT_EQ(form->palette().window, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(form->palette().button, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(form->palette().buttonText, GetSysColor(COLOR_BTNTEXT));
    EXPECT_NE(feedbackColours().first, feedbackColours().second);
    form->applyTheme(false);
    EXPECT_EQ(form->palette().heading, RGB(255, 192, 128));
}

// A window that cannot be created says so instead of leaving a process with nothing to show.
TEST(Win32Start, AFailedWindowReportsTheSystemsError)
{
    HHOOK refuse = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(refuse, nullptr);
    const auto form = QuizForm::create(GetModuleHandleW(nullptr));
    UnhookWindowsHookEx(refuse);
    EXPECT_TRUE(form.failure().has_value());
}

// The program built here, or the one named by BITKI_PROGRAM (a Windows path: an installed copy).
std::wstring program()
{
    const char* installed = std::getenv("BITKI_PROGRAM");
    return toUtf16(installed != nullptr ? installed : BITKI_EXECUTABLE);
}

TEST(Win32Program, StartsShowsItsWindowAndClosesCleanly)
{
    std::wstring commandLine = L"\"" + program() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_NE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                  &startup, &process),
        FALSE)
        << GetLastError();
    struct Search {
        DWORD processId;
        std::wstring caption;
        HWND found = nullptr;
    } search{process.dwProcessId, toUtf16(design::Caption)};
    for (int wait = 0; wait < 200 && search.found == nullptr; ++wait) {
        Sleep(50);
        EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                auto& wanted = *reinterpret_cast<Search*>(context);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                std::wstring caption(256, L'\0');
                caption.resize(static_cast<std::size_t>(GetWindowTextW(window, caption.data(), 256)));
                if (owner == wanted.processId && caption == wanted.caption
                    && IsWindowVisible(window) != FALSE) {
                    wanted.found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
    }
    EXPECT_NE(search.found, nullptr);
    if (search.found != nullptr) {
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_TRUE(ended);
    EXPECT_EQ(exitCode, 0U);
}

TEST(Win32Program, CarriesVersionRecord100)
{
    const std::wstring path = program();
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0U);
    std::vector<char> record(size);
    ASSERT_NE(GetFileVersionInfoW(path.c_str(), 0, size, record.data()), FALSE);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_NE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length), FALSE);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    for (const wchar_t* block : {L"040204B0", L"040904B0"}) {
        EXPECT_EQ(toUtf8(versionString(record, block, L"FileVersion")), BITKI_VERSION);
        EXPECT_EQ(toUtf8(versionString(record, block, L"ProductVersion")), BITKI_VERSION);
    }
    EXPECT_EQ(toUtf8(versionString(record, L"040204B0", L"FileDescription")), "Битки: викторина по история");
}

} // namespace
} // namespace bitki::win32
