// Starts the real program as a user would, on the X server named by DISPLAY.

#include <gtest/gtest.h>

// After gtest: Xlib defines macros (None, Status) that clash with its names.
#include <X11/Xlib.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using namespace std::chrono_literals;

const std::string Caption = "www.bitki.example История - битки, сражения";

// The environment of this process without the named variables.
std::vector<char*> environmentWithout(std::initializer_list<std::string_view> names)
{
    std::vector<char*> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        bool dropped = false;
        for (const std::string_view name : names) {
            dropped
                = dropped || (variable.starts_with(name) && variable.substr(name.size()).starts_with('='));
        }
        if (!dropped) {
            result.push_back(*entry);
        }
    }
    result.push_back(nullptr);
    return result;
}

pid_t start(const std::vector<char*>& environment, const posix_spawn_file_actions_t* actions = nullptr)
{
    std::string program = BITKI_EXECUTABLE;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), actions, nullptr, argv, environment.data()) != 0) {
        return -1;
    }
    return pid;
}

// The exit status once the process ends, or nothing if it outlives the wait.
std::optional<int> waitForExit(pid_t pid, std::chrono::milliseconds limit)
{
    for (auto waited = 0ms; waited < limit; waited += 20ms) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(20ms);
    }
    return std::nullopt;
}

std::string windowName(Display* display, Window window)
{
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(
            display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count, &rest, &data)
            == Success
        && data != nullptr) {
        name.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return name;
}

Window findMappedWindow(Display* display, const std::string& name)
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
        if (windowName(display, children[i]) == name
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

TEST(Smoke, WindowIsMappedAndClosesCleanly)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "run under an X server, e.g. xvfb-run";
    const pid_t pid = start(environmentWithout({"QT_QPA_PLATFORM"}));
    ASSERT_GT(pid, 0);

    Window window = 0;
    for (auto waited = 0ms; window == 0 && waited < 15s; waited += 50ms) {
        std::this_thread::sleep_for(50ms);
        window = findMappedWindow(display, Caption);
    }
    ASSERT_NE(window, 0U) << "no window named " << Caption;

    // What a window manager sends when the user closes the window.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);

    const auto status = waitForExit(pid, 10s);
    if (!status) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    EXPECT_EQ(status, 0);
    XCloseDisplay(display);
}

TEST(Smoke, WithoutADisplayItSaysSoInOneLine)
{
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const pid_t pid = start(environmentWithout({"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}), &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    ASSERT_GT(pid, 0);

    std::string output;
    char buffer[4096];
    for (ssize_t n = 0; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);

    EXPECT_EQ(waitForExit(pid, 10s), 1);
    EXPECT_EQ(output.find('\n'), output.size() - 1) << output;
    EXPECT_NE(output.find("дисплей"), std::string::npos) << output;
}

} // namespace
