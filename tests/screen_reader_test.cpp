// A real screen reader, Orca, listening to the quiz as a blind pupil would, with its speech
// written to a file by speech-dispatcher. Run on an X server under dbus-run-session; the test
// starts the accessibility bus, speech-dispatcher, Orca and the quiz itself, plays by keyboard,
// and checks what was spoken.

#include "content.h"
#include "design.h"
#include "x11_session.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>
#include <utility>

namespace bitki::test {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path) << text;
}

// Speech, Orca and the accessibility bus in a folder of their own, ended with the test.
class ScreenReader {
public:
    ScreenReader()
    {
        std::string pattern = (fs::temp_directory_path() / "bitki-orca-XXXXXX").string();
        m_home = mkdtemp(pattern.data());
        fs::create_directories(m_home / "speech" / "modules");
        fs::create_directories(m_home / "log");
        fs::create_directories(m_home / "run");
        fs::permissions(m_home / "run", fs::perms::owner_all);
        // Every utterance becomes a line of the file; the null sound driver stands in for a card.
        writeFile(m_home / "speech" / "speechd.conf",
            "AddModule \"file\" \"sd_generic\" \"file.conf\"\n"
            "DefaultModule file\n"
            "DefaultLanguage \"bg\"\n"
            "AudioOutputMethod \"libao\"\n");
        writeFile(m_home / "speech" / "modules" / "file.conf",
            R"(GenericExecuteSynth "printf '%s\\n' \'$DATA\' >> )" + spokenPath().string()
                + "\"\n"
                  // The module recodes each text for its language, to Latin-1 where none is
                  // named: UTF-8 for Bulgarian, English, and the C locale's "c" that a newer Orca
                  // asks for under LANG=C.UTF-8.
                  "GenericLanguage \"c\" \"c\" \"utf-8\"\n"
                  "GenericLanguage \"bg\" \"bg\" \"utf-8\"\n"
                  "GenericLanguage \"en\" \"en\" \"utf-8\"\n"
                  "AddVoice \"bg\" \"MALE1\" \"file\"\n"
                  "AddVoice \"en\" \"MALE1\" \"file\"\n");
        writeFile(m_home / ".libao", "default_driver=null\n");

        const std::string socket = (m_home / "speechd.sock").string();
        m_environment = {"HOME=" + m_home.string(), "XDG_RUNTIME_DIR=" + (m_home / "run").string(),
            "XDG_CONFIG_HOME=" + (m_home / "config").string(), "XDG_DATA_HOME=" + (m_home / "data").string(),
            "SPEECHD_ADDRESS=unix_socket:" + socket, "LANG=C.UTF-8"};
        const auto start = [this](std::vector<std::string> command) {
            return std::make_unique<Program>(options(std::move(command)));
        };
        // speech-dispatcher 0.12 now and then hangs while it starts its modules (seen under load);
        // then a second one is started. Orca connects only once, so it waits until one listens.
        const auto listening = [this] {
            return readFile((m_home / "log" / "speech-dispatcher.log").string()).find("waiting for clients")
                != std::string::npos;
        };
        for (int attempt = 0; attempt < 2 && !listening(); ++attempt) {
            m_speech.reset();
            fs::remove(socket);
            m_speech = start({BITKI_SPEECH_DISPATCHER, "--run-single", "--timeout", "0", "--config-dir",
                (m_home / "speech").string(), "--communication-method", "unix_socket", "--socket-path",
                socket, "--log-dir", (m_home / "log").string()});
            waitUntil(listening, std::chrono::seconds(10));
        }
        m_bus = start({BITKI_AT_SPI_BUS_LAUNCHER, "--launch-immediately"});
        m_orca = start({BITKI_ORCA, "--user-prefs", (m_home / "orca").string(), "--debug-file",
            (m_home / "log" / "orca.debug").string()});
    }

    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    ~ScreenReader()
    {
        m_orca.reset();
        m_bus.reset();
        m_speech.reset();
        if (!testing::Test::HasFailure()) {
            fs::remove_all(m_home);
        }
    }

    // Why the screen reader is not listening, or nothing when it is.
    std::string problem() const
    {
        if (!m_speech->started() || !m_bus->started() || !m_orca->started()) {
            return "speech-dispatcher, the accessibility bus or orca did not start";
        }
        return "orca said nothing within " + std::to_string(patience().count()) + " s; see "
            + (m_home / "log").string();
    }

    // How to start a program in the screen reader's session.
    Program::Options options(std::vector<std::string> command) const
    {
        return {.launcher = {},
            .unset = {"QT_QPA_PLATFORM", "HOME", "LANG", "LC_ALL"},
            .set = m_environment,
            .captureErrors = false,
            .command = std::move(command)};
    }
    fs::path spokenPath() const { return m_home / "spoken.txt"; }
    // The speech module cuts a text into sentences, each on a line that starts with the blank
    // that followed the full stop; joined again, each utterance is one line.
    std::string spoken() const
    {
        std::string text = readFile(spokenPath().string());
        for (std::size_t at = text.find("\n "); at != std::string::npos; at = text.find("\n ", at)) {
            text.erase(at, 1);
        }
        return text;
    }

    // Everything said from now on.
    void mark() { m_mark = spoken().size(); }
    std::string since() const { return spoken().substr(std::min(m_mark, spoken().size())); }

    // Waits until what was said since the mark holds every one of these, in this order.
    bool heard(const std::vector<std::string>& phrases) const
    {
        return waitUntil([&] {
            const std::string said = since();
            std::size_t at = 0;
            for (const std::string& phrase : phrases) {
                at = said.find(phrase, at);
                if (at == std::string::npos) {
                    return false;
                }
                at += phrase.size();
            }
            return true;
        });
    }

    // Waits until Orca has been quiet for a moment, as a listener does before the next key: Orca
    // may still be taking note of what it has just said.
    void settle() const
    {
        std::size_t size = spoken().size();
        waitUntil([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            const std::size_t now = spoken().size();
            return std::exchange(size, now) == now;
        });
    }

private:
    fs::path m_home;
    std::vector<std::string> m_environment;
    std::unique_ptr<Program> m_speech;
    std::unique_ptr<Program> m_bus;
    std::unique_ptr<Program> m_orca;
    std::size_t m_mark = 0;
};

std::size_t count(const std::string& text, const std::string& phrase)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(phrase); at != std::string::npos; at = text.find(phrase, at + 1)) {
        ++found;
    }
    return found;
}

// Speech after a key press, for the failure message.
std::string said(const ScreenReader& reader)
{
    return "\nheard:\n" + reader.since();
}

TEST(ScreenReader, OrcaSpeaksEveryStepOfAKeyboardGame)
{
    ScreenReader reader;
    ASSERT_TRUE(waitUntil([&] { return !reader.spoken().empty(); })) << reader.problem();

    const DisplayConnection display = openDisplay();
    ASSERT_NE(display, nullptr) << "run under an X server, e.g. xvfb-run";
    reader.mark();
    // The quiz, or another edition of it: the browser edition in Chromium, say, whose process
    // BITKI_QUIZ_PROCESS names.
    std::vector<std::string> quiz = words(std::getenv("BITKI_QUIZ_COMMAND"));
    const char* browserProcess = std::getenv("BITKI_QUIZ_PROCESS");
    const std::string expectedProcess = quiz.empty()
        ? fs::path(BITKI_EXECUTABLE).filename().string()
        : std::string(browserProcess != nullptr ? browserProcess : "");
    FocusOnMap focus(display.get());
    Program program(reader.options(quiz.empty() ? std::vector<std::string>{BITKI_EXECUTABLE} : quiz));
    ASSERT_TRUE(program.started());
    const Window focused = focus.wait();
    const Window window = waitForWindow(display.get());
    ASSERT_NE(window, 0U);
    const std::string process = processOf(display.get(), window);
    std::cout << "The quiz window belongs to " << process << '\n';
    ASSERT_EQ(process, expectedProcess) << "the test started another program";
    ASSERT_EQ(focused, window) << "the focus went to another window first: "
                               << windowName(display.get(), focused);
    const auto press = [&](KeySym key, const std::vector<std::string>& expected) {
        reader.mark();
        pressKey(display.get(), key);
        const bool heard = reader.heard(expected);
        reader.settle();
        return heard;
    };
    // A pupil takes a moment to choose; Orca 48 reuses the box's description for up to 2 s after
    // it last read it.
    const auto choose = [&](const std::vector<std::string>& expected) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        return press(XK_Return, expected);
    };

    // The window opens on the task, with what the box is for, before any key is pressed.
    const bool browser = !quiz.empty();
    ASSERT_TRUE(reader.heard({std::string(design::FeedbackName), "Да се състави проект",
        std::string(design::FeedbackDescription)}))
        << "the opening was not heard" << said(reader);
    // The first key too waits until Orca is quiet: the page's opening may be spoken before the
    // browser has finished loading it.
    reader.settle();

    // Entering a list says the row under the cursor; arrows say each row; Space says it is chosen.
    EXPECT_TRUE(press(XK_Tab, {"Битки", "Битка при Адрианопол"})) << said(reader);
    EXPECT_TRUE(press(XK_Down, {"Битка при Ахелой"})) << said(reader);
    EXPECT_TRUE(press(XK_space, {"selected"})) << said(reader);
    EXPECT_TRUE(press(XK_Tab, {"Пълководци", "ген. Васил Кутинчев"})) << said(reader);
    EXPECT_TRUE(press(XK_End, {"цар Симеон"})) << said(reader);
    EXPECT_TRUE(press(XK_Up, {"цар Калоян"})) << said(reader);

    // A wrong pair: the verdict line, whole.
    EXPECT_TRUE(choose({"Грешка: Битка при Ахелой цар Калоян"})) << said(reader);

    // A right pair: the verdict line, then the whole paragraph, once, and no help text.
    EXPECT_TRUE(press(XK_Tab, {"Битка при Върбишки проход"})) << said(reader);
    pressKey(display.get(), XK_space);
    EXPECT_TRUE(press(XK_Tab, {"цар Симеон"})) << said(reader);
    moveCursorTo(display.get(), 6);
    const std::string paragraph(AnswerKey[9].description);
    // In a browser too arriving speaks the paragraph to its last word; there the box is a text
    // area, read by the lines it wraps into on screen, and Down says the paragraph's first one.
    const std::string firstLine = paragraph.substr(0, paragraph.find(" постига"));
    const std::string verdict = "Вярно: Битка при Върбишки проход хан Крум";
    const std::size_t rightVerdictAt = reader.spoken().size();
    EXPECT_TRUE(choose({verdict, paragraph})) << said(reader);

    // The pupil reads the box with the arrow keys: Down, Up to the verdict line, Down again. The
    // next verdict is still spoken.
    EXPECT_TRUE(press(XK_Down, {browser ? firstLine : paragraph})) << said(reader);
    EXPECT_TRUE(press(XK_Up, {verdict})) << said(reader);
    EXPECT_TRUE(press(XK_Down, {browser ? firstLine : paragraph})) << said(reader);
    EXPECT_TRUE(press(XK_Tab, {"Битка при Дойран"})) << said(reader);
    EXPECT_TRUE(press(XK_Home, {"Битка при Адрианопол"})) << said(reader);
    pressKey(display.get(), XK_space);
    pressKey(display.get(), XK_Tab);
    EXPECT_TRUE(press(XK_Home, {"ген. Васил Кутинчев"})) << said(reader);
    EXPECT_TRUE(choose({"Грешка: Битка при Адрианопол ген. Васил Кутинчев"})) << said(reader);
    // Up to that verdict the paragraph was said once with its own, its first line once more for
    // each Down, and nothing of what the box is for.
    const std::string afterRightVerdict = reader.spoken().substr(rightVerdictAt);
    EXPECT_EQ(count(afterRightVerdict, firstLine), 3U) << afterRightVerdict;
    EXPECT_EQ(count(afterRightVerdict, std::string(design::FeedbackDescription)), 0U) << afterRightVerdict;

    // A restart: the battle list from its first row, all ten rows counted (Orca 48 counts only the
    // rows in sight where a list does not give its size), and the battles chosen before are back.
    reader.mark();
    for (int i = 0; i < 3; ++i) {
        pressKey(display.get(), XK_Tab);
    }
    EXPECT_TRUE(reader.heard({std::string(design::RestartText)})) << said(reader);
    EXPECT_TRUE(press(XK_space, {"Битки", "List with 10 items", "Битка при Адрианопол"})) << said(reader);
    EXPECT_TRUE(press(XK_Down, {"Битка при Ахелой"})) << said(reader);

    requestClose(display.get(), window);
    EXPECT_EQ(program.wait(), 0);
    std::cout << "What Orca said:\n" << reader.spoken();
}

} // namespace
} // namespace bitki::test
