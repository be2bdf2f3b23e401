#pragma once

// The real program started as a user starts it, on the X server named by DISPLAY, and real input
// for it through XTest. BITKI_LAUNCHER (a valgrind command line, say) goes in front of it.

#include "design.h"
#include "fitting.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

// After Qt and gtest: Xlib defines macros (None, Status) that clash with their names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace bitki::test {

using std::chrono::milliseconds;
using std::chrono::seconds;

inline constexpr milliseconds Tick{20};
inline const std::string Caption(design::Caption);

inline std::string readFile(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

inline std::vector<std::string> words(const char* text)
{
    std::vector<std::string> result;
    std::istringstream stream(text != nullptr ? text : "");
    for (std::string word; stream >> word;) {
        result.push_back(word);
    }
    return result;
}

// A launcher such as valgrind makes everything slower.
inline seconds patience()
{
    return words(std::getenv("BITKI_LAUNCHER")).empty() ? seconds{15} : seconds{180};
}

// Waits until the condition holds, or the time is up; says whether it held.
inline bool waitUntil(const std::function<bool()>& condition, milliseconds limit = patience())
{
    for (auto waited = milliseconds{0}; waited < limit; waited += Tick) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(Tick);
    }
    return condition();
}

// The real program, run as a child process and ended when this goes.
class Program {
public:
    struct Options {
        std::vector<std::string> launcher = words(std::getenv("BITKI_LAUNCHER"));
        std::vector<std::string> unset = {"QT_QPA_PLATFORM"};
        std::vector<std::string> set;
        bool captureErrors = false;
        // Another program and its arguments, in place of the quiz.
        std::vector<std::string> command = {BITKI_EXECUTABLE};
    };

    explicit Program(const Options& options)
    {
        QStringList arguments;
        for (const auto* part : {&options.launcher, &options.command}) {
            for (const std::string& argument : *part) {
                arguments.append(QString::fromStdString(argument));
            }
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const std::string& name : options.unset) {
            environment.remove(QString::fromStdString(name));
        }
        for (const std::string& variable : options.set) {
            const std::size_t equals = variable.find('=');
            environment.insert(QString::fromStdString(variable.substr(0, equals)),
                QString::fromStdString(variable.substr(equals + 1)));
        }
        m_process.setProcessEnvironment(environment);
        // Output goes where the test's goes, as a user's terminal would show it.
        m_process.setProcessChannelMode(
            options.captureErrors ? QProcess::ForwardedOutputChannel : QProcess::ForwardedChannels);
        m_process.setInputChannelMode(QProcess::ForwardedInputChannel);
        const QString program = arguments.takeFirst();
        m_process.start(program, arguments);
        m_started = m_process.waitForStarted();
    }

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ~Program()
    {
        if (m_started && !m_status) {
            // Asked first, so that it can end its own children.
            m_process.terminate();
            if (!m_process.waitForFinished(3000)) {
                m_process.kill();
                m_process.waitForFinished();
            }
        }
    }

    bool started() const { return m_started; }

    // The exit status once the process has ended (128 and the signal if one ended it), or nothing
    // if it outlives the wait.
    std::optional<int> wait(milliseconds limit = patience())
    {
        if (m_started && !m_status && m_process.waitForFinished(static_cast<int>(limit.count()))) {
            m_status = m_process.exitCode() + (m_process.exitStatus() == QProcess::CrashExit ? 128 : 0);
        }
        return m_status;
    }

    // What it wrote to its standard error, once it has ended.
    std::string errors()
    {
        wait();
        return m_process.readAllStandardError().toStdString();
    }

private:
    QProcess m_process;
    bool m_started = false;
    std::optional<int> m_status;
};

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayConnection = std::unique_ptr<Display, DisplayCloser>;

// A connection to the X server; a server that is just starting gets a moment. Looking through
// other programs' windows, one may go between listing and reading it (a browser makes and drops
// windows as it starts): that window is passed over, where Xlib's own handler would end the test.
inline DisplayConnection openDisplay()
{
    static const XErrorHandler xlibHandler = XSetErrorHandler([](Display* display, XErrorEvent* error) {
        return error->error_code == BadWindow ? 0 : xlibHandler(display, error);
    });
    DisplayConnection display(XOpenDisplay(nullptr));
    for (int attempt = 0; display == nullptr && attempt < 50; ++attempt) {
        std::this_thread::sleep_for(milliseconds{40});
        display.reset(XOpenDisplay(nullptr));
    }
    return display;
}

// A property of a window as its bytes; empty where it has none.
inline std::string windowProperty(Display* display, Window window, const char* name, Atom type)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    std::string bytes;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, type,
            &actualType, &format, &count, &rest, &data)
            == Success
        && data != nullptr) {
        // Xlib hands 32-bit items as longs.
        const std::size_t itemSize = format == 32 ? sizeof(long) : static_cast<std::size_t>(format) / 8;
        bytes.assign(reinterpret_cast<const char*>(data), count * itemSize);
        XFree(data);
    }
    return bytes;
}

inline std::string windowName(Display* display, Window window)
{
    return windowProperty(display, window, "_NET_WM_NAME", XInternAtom(display, "UTF8_STRING", False));
}

// The name of the program whose process owns the window (by its _NET_WM_PID), as the system
// lists it; empty where the window names no process.
inline std::string processOf(Display* display, Window window)
{
    const std::string pid = windowProperty(display, window, "_NET_WM_PID", XA_CARDINAL);
    if (pid.size() != sizeof(long)) {
        return {};
    }
    long number = 0;
    std::memcpy(&number, pid.data(), sizeof number);
    std::string name = readFile("/proc/" + std::to_string(number) + "/comm");
    while (!name.empty() && name.back() == '\n') {
        name.pop_back();
    }
    return name;
}

// Gives the keyboard focus to the first top-level window that maps from now on, the moment it
// maps, as a window manager does, and to no other window nor a second time: each focus event
// may make a screen reader speak. Make it before the program starts.
class FocusOnMap {
public:
    explicit FocusOnMap(Display* display)
        : m_display(display)
    {
        XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
        XSync(display, False);
    }

    FocusOnMap(const FocusOnMap&) = delete;
    FocusOnMap& operator=(const FocusOnMap&) = delete;
    ~FocusOnMap() { XSelectInput(m_display, DefaultRootWindow(m_display), NoEventMask); }

    // The window that got the focus, once one has mapped; 0 if none did in time.
    Window wait(milliseconds limit = patience())
    {
        waitUntil(
            [&] {
                while (m_focused == 0 && XPending(m_display) > 0) {
                    XEvent event{};
                    XNextEvent(m_display, &event);
                    // Menus and tooltips (override-redirect) are no window a manager would focus.
                    if (event.type == MapNotify && event.xmap.override_redirect == False) {
                        m_focused = event.xmap.window;
                        XSetInputFocus(m_display, m_focused, RevertToParent, CurrentTime);
                        XSync(m_display, False);
                    }
                }
                return m_focused != 0;
            },
            limit);
        return m_focused;
    }

private:
    Display* m_display;
    Window m_focused = 0;
};

// A mapped top-level window whose title starts with the caption (a browser adds its own name).
inline Window findMappedWindow(Display* display, const std::string& name)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return 0;
    }
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes{};
        if (windowName(display, children[i]).starts_with(name)
            && XGetWindowAttributes(display, children[i], &attributes) != 0
            && attributes.map_state == IsViewable) {
            found = children[i];
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

inline Window waitForWindow(Display* display, milliseconds limit = patience())
{
    Window window = 0;
    waitUntil([&] { return (window = findMappedWindow(display, Caption)) != 0; }, limit);
    return window;
}

// What a window manager sends when the user closes the window.
inline void requestClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

inline void pressKey(Display* display, KeySym symbol)
{
    const KeyCode code = XKeysymToKeycode(display, symbol);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XSync(display, False);
}

// Whether a pick list of the window shows any row: what lies inside its frame is not all of one
// colour. An emptied list is blank to its edges.
inline bool listShowsRows(Display* display, Window window, std::size_t list)
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        return false;
    }
    constexpr int Frame = 4;
    const design::Rect rect = Fit::of(attributes.width, attributes.height).place(design::List1Rects.at(list));
    XImage* image = XGetImage(display, window, rect.left + Frame, rect.top + Frame,
        static_cast<unsigned>(rect.width - 2 * Frame), static_cast<unsigned>(rect.height - 2 * Frame),
        AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    bool shows = false;
    const unsigned long background = XGetPixel(image, 0, 0);
    for (int y = 0; y < image->height && !shows; ++y) {
        for (int x = 0; x < image->width && !shows; ++x) {
            shows = XGetPixel(image, x, y) != background;
        }
    }
    XDestroyImage(image);
    return shows;
}

// Moves the list's cursor to a row counted from the top.
inline void moveCursorTo(Display* display, std::size_t row)
{
    pressKey(display, XK_Home);
    for (std::size_t i = 0; i < row; ++i) {
        pressKey(display, XK_Down);
    }
}

// From the feedback box: Tab to the battles, Space on a row, Tab to the commanders and the cursor
// on a row there, each row counted from the top. The Enter that judges the pair is the caller's.
inline void choosePair(Display* display, std::size_t battle, std::size_t commander)
{
    pressKey(display, XK_Tab);
    moveCursorTo(display, battle);
    pressKey(display, XK_space);
    pressKey(display, XK_Tab);
    moveCursorTo(display, commander);
}

} // namespace bitki::test
