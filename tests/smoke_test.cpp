// Starts the real program as a user would and plays it with real key presses, once plainly,
// once under memcheck (see CMakeLists.txt) and once under strace.

#include "content.h"
#include "sorted_rows.h"
#include "x11_session.h"

#include <filesystem>
#include <functional>
#include <regex>

#include <unistd.h>

namespace bitki::test {
namespace {

// Whether both pick lists show rows (or both are empty) within the time a launcher allows.
bool listsShow(Display* display, Window window, bool rows)
{
    return waitUntil([&] {
        return listShowsRows(display, window, static_cast<std::size_t>(list1::BattlePicks)) == rows
            && listShowsRows(display, window, static_cast<std::size_t>(list1::CommanderPicks)) == rows;
    });
}

// Ten right pairs with the keyboard alone, then the restart button: the keys must arrive, empty
// both lists and fill them again.
void playFullGameAndRestart(Display* display, Window window)
{
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    ASSERT_TRUE(listsShow(display, window, true)) << "the lists show no rows at the start";
    // Both lists as they read on screen, top to bottom.
    std::vector<std::string> battles = SortedBattles;
    std::vector<std::string> commanders = SortedCommanders;

    for (const KeyRow& row : AnswerKey) {
        const auto battle = std::find(battles.begin(), battles.end(), row.battle);
        const auto commander = std::find(commanders.begin(), commanders.end(), row.commander);
        choosePair(display, static_cast<std::size_t>(battle - battles.begin()),
            static_cast<std::size_t>(commander - commanders.begin()));
        pressKey(display, XK_Return);
        battles.erase(battle);
        commanders.erase(commander);
    }
    EXPECT_TRUE(listsShow(display, window, false)) << "ten pairs leave rows in the lists";
    // The verdict has the focus: Tab leads on to the battles, the commanders, the button.
    for (int control = 0; control < 3; ++control) {
        pressKey(display, XK_Tab);
    }
    pressKey(display, XK_space);
    EXPECT_TRUE(listsShow(display, window, true)) << "the restart leaves the lists empty";
}

// Starts the program, waits for its window, plays, and closes it as a window manager would: the
// program must end with status 0.
void runSession(const std::function<void(Display*, Window)>& play, const Program::Options& options = {})
{
    const DisplayConnection display = openDisplay();
    ASSERT_NE(display, nullptr) << "run under an X server, e.g. xvfb-run";
    Program program(options);
    ASSERT_TRUE(program.started());

    const Window window = waitForWindow(display.get());
    ASSERT_NE(window, 0U) << "no window named " << Caption;
    play(display.get(), window);
    requestClose(display.get(), window);
    EXPECT_EQ(program.wait(), 0);
}

TEST(Smoke, KeyboardGameAndRestartThenClose)
{
    runSession(playFullGameAndRestart);
}

// What the program wrote to or connected to, from an strace log: each offence on a line.
std::string offences(const std::string& log)
{
    // The font system's and the graphics driver's own caches may be written.
    const std::regex allowed(R"(/\.cache/(fontconfig|mesa_shader_cache)/|^/dev/null$)");
    const std::regex writeOpen(R"re((open|openat|creat)\(.*"([^"]+)".*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC))re");
    const std::regex socketCall(R"(socket\((AF_[A-Z0-9]+))");
    std::istringstream lines(log);
    std::string found;
    for (std::string line; std::getline(lines, line);) {
        std::smatch open;
        std::smatch socket;
        const bool writes
            = std::regex_search(line, open, writeOpen) && !std::regex_search(open[2].str(), allowed);
        const bool network = std::regex_search(line, socket, socketCall) && socket[1] != "AF_UNIX";
        if (writes || network) {
            found += line + "\n";
        }
    }
    return found;
}

TEST(Smoke, WritesNoFileAndUsesNoNetwork)
{
    const std::filesystem::path log
        = std::filesystem::temp_directory_path() / ("bitki-strace-" + std::to_string(getpid()) + ".log");
    // LeakSanitizer cannot work under a tracer.
    const char* sanitizer = std::getenv("ASAN_OPTIONS");
    const std::string untraced = std::string(sanitizer != nullptr ? sanitizer : "") + ":detect_leaks=0";
    runSession(playFullGameAndRestart,
        {.launcher = {"strace", "-f", "-qq", "-o", log.string(), "-e", "trace=open,openat,creat,socket"},
            .unset = {"QT_QPA_PLATFORM", "ASAN_OPTIONS"},
            .set = {"ASAN_OPTIONS=" + untraced}});
    const std::string text = readFile(log.string());
    std::filesystem::remove(log);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(offences(text), "");
}

TEST(Smoke, StartUpFailuresSayWhatIsWrong)
{
    // No display: one line that says so.
    Program headless(
        {.unset = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}, .set = {}, .captureErrors = true});
    ASSERT_TRUE(headless.started());
    const std::string output = headless.errors();
    EXPECT_EQ(headless.wait(), 1);
    EXPECT_EQ(output.find('\n'), output.size() - 1) << output;
    EXPECT_NE(output.find("дисплей"), std::string::npos) << output;

    // A display, but another fault: Qt's own words, not the display line.
    Program broken(
        {.unset = {"QT_QPA_PLATFORM"}, .set = {"QT_QPA_PLATFORM=nonexistent"}, .captureErrors = true});
    ASSERT_TRUE(broken.started());
    const std::string message = broken.errors();
    EXPECT_EQ(broken.wait(), 1);
    EXPECT_NE(message.find("\"nonexistent\""), std::string::npos) << message;
    EXPECT_EQ(message.find("дисплей"), std::string::npos) << message;
}

} // namespace
} // namespace bitki::test
