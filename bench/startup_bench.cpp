// Start-up benchmark: starts each program in turn, many times, on the X server named by DISPLAY,
// and measures the time from starting the process until its window is mapped and first
// painted, and its resident memory once it is shown.
//   startup_bench RUNS PROGRAM...

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double milliseconds;
    long rssKiB;
    long hwmKiB;
};

long statusField(pid_t pid, const std::string& field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field + ":")) {
            return std::atol(line.c_str() + field.size() + 1);
        }
    }
    return -1;
}

std::optional<pid_t> windowPid(Display* display, Window window)
{
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    std::optional<pid_t> pid;
    if (XGetWindowProperty(
            display, window, netWmPid, 0, 1, False, AnyPropertyType, &type, &format, &count, &rest, &data)
            == Success
        && data != nullptr) {
        if (count == 1) {
            pid = static_cast<pid_t>(*reinterpret_cast<const unsigned long*>(data));
        }
        XFree(data);
    }
    return pid;
}

std::optional<Sample> runOnce(Display* display, int damageEvent, const std::string& program)
{
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    std::string path = program;
    char* argv[] = {path.data(), nullptr};
    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) {
        return std::nullopt;
    }

    std::map<Window, Damage> damages;
    std::optional<Window> mapped;
    std::optional<Sample> sample;
    const auto deadline = start + std::chrono::seconds(20);
    while (!sample && Clock::now() < deadline) {
        if (XPending(display) == 0) {
            pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
            poll(&descriptor, 1, 50);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify) {
            // Watch every new top-level window for its first paint.
            damages[event.xcreatewindow.window]
                = XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && windowPid(display, event.xmap.window) == pid) {
            mapped = event.xmap.window;
        } else if (event.type == damageEvent + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            if (mapped && damage.drawable == *mapped) {
                const auto shown = Clock::now();
                // Let the first frame settle before reading the memory.
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                sample = Sample{std::chrono::duration<double, std::milli>(shown - start).count(),
                    statusField(pid, "VmRSS"), statusField(pid, "VmHWM")};
            }
        }
    }
    for (const auto& [window, damage] : damages) {
        XDamageDestroy(display, damage);
    }
    XSelectInput(display, root, NoEventMask);
    XSync(display, True);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM...\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "startup_bench: no X display; run it under xvfb-run\n");
        return 1;
    }
    int damageEvent = 0;
    int damageError = 0;
    if (XDamageQueryExtension(display, &damageEvent, &damageError) == 0) {
        std::fprintf(stderr, "startup_bench: the X server has no DAMAGE extension\n");
        return 1;
    }

    const int runs = std::max(1, std::atoi(argv[1]));
    const std::vector<std::string> programs(argv + 2, argv + argc);
    std::map<std::string, std::vector<Sample>> samples;
    // Interleaved, so that a slow spell of the machine touches every program alike.
    for (int run = 0; run < runs; ++run) {
        for (const std::string& program : programs) {
            if (const auto sample = runOnce(display, damageEvent, program)) {
                samples[program].push_back(*sample);
            } else {
                std::fprintf(stderr, "startup_bench: %s showed no window\n", program.c_str());
            }
        }
    }
    XCloseDisplay(display);

    std::printf("%-40s %5s | %28s | %22s | %22s\n", "program", "runs", "shown after, ms: min/med/max",
        "VmRSS MiB: min/med/max", "VmHWM MiB: min/med/max");
    std::map<std::string, std::array<double, 3>> medians;
    for (const std::string& program : programs) {
        std::vector<double> times;
        std::vector<double> rss;
        std::vector<double> hwm;
        for (const Sample& sample : samples[program]) {
            times.push_back(sample.milliseconds);
            rss.push_back(static_cast<double>(sample.rssKiB) / 1024);
            hwm.push_back(static_cast<double>(sample.hwmKiB) / 1024);
        }
        if (times.empty()) {
            continue;
        }
        const auto row = [](const std::vector<double>& values) {
            return std::array<double, 3>{*std::min_element(values.begin(), values.end()), median(values),
                *std::max_element(values.begin(), values.end())};
        };
        const auto t = row(times);
        const auto r = row(rss);
        const auto h = row(hwm);
        std::printf("%-40s %5zu | %8.1f %8.1f %8.1f  | %6.1f %6.1f %6.1f  | %6.1f %6.1f %6.1f\n",
            program.substr(program.find_last_of('/') + 1).c_str(), times.size(), t[0], t[1], t[2], r[0], r[1],
            r[2], h[0], h[1], h[2]);
        medians[program] = {t[1], r[1], h[1]};
    }
    if (programs.size() >= 2 && medians.count(programs[0]) != 0 && medians.count(programs[1]) != 0) {
        const auto& first = medians[programs[0]];
        const auto& second = medians[programs[1]];
        std::printf("ratio of medians, first / second program: time %.2f, VmRSS %.2f, VmHWM %.2f\n",
            first[0] / second[0], first[1] / second[1], first[2] / second[2]);
    }
    return 0;
}
