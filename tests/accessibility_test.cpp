// End to end through the accessibility bus, as a screen reader sees the quiz: the real program
// on an X server, with a private session bus and the AT-SPI bus beside it (run it under
// dbus-run-session). The test reads it through libatspi, as screen readers do, and plays with
// real key presses.

#include "content.h"
#include "sorted_rows.h"

#include <atspi/atspi.h>

// After GLib: Xlib's macros (None, Bool, Status) would break its headers.
#include "x11_session.h"

#include <functional>
#include <iterator>
#include <map>
#include <memory>

namespace bitki::test {
namespace {

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
// An object of the tree, as libatspi hands it out: the caller's to release.
using Node = std::unique_ptr<AtspiAccessible, Unref>;

// A text that libatspi hands out, released once copied.
std::string owned(gchar* text)
{
    std::string copy(text != nullptr ? text : "");
    g_free(text);
    return copy;
}

std::string name(AtspiAccessible* node)
{
    return owned(atspi_accessible_get_name(node, nullptr));
}

std::vector<Node> children(AtspiAccessible* node)
{
    std::vector<Node> result;
    const gint count = atspi_accessible_get_child_count(node, nullptr);
    result.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (gint i = 0; i < count; ++i) {
        result.emplace_back(atspi_accessible_get_child_at_index(node, i, nullptr));
    }
    return result;
}

std::vector<std::string> childNames(AtspiAccessible* node)
{
    const std::vector<Node> nodes = children(node);
    std::vector<std::string> names;
    std::transform(nodes.begin(), nodes.end(), std::back_inserter(names),
        [](const Node& child) { return name(child.get()); });
    return names;
}

std::string text(AtspiAccessible* node)
{
    const std::unique_ptr<AtspiText, Unref> text(atspi_accessible_get_text_iface(node));
    return text != nullptr ? owned(atspi_text_get_text(text.get(), 0, -1, nullptr)) : "";
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
std::string attribute(AtspiAccessible* node, const char* key)
{
    GHashTable* attributes = atspi_accessible_get_attributes(node, nullptr);
    std::string value;
    if (attributes != nullptr) {
        const auto* found = static_cast<const char*>(g_hash_table_lookup(attributes, key));
        value = found != nullptr ? found : "";
        g_hash_table_unref(attributes);
    }
    return value;
}
#endif

bool focused(AtspiAccessible* node)
{
    const std::unique_ptr<AtspiStateSet, Unref> states(atspi_accessible_get_state_set(node));
    return atspi_state_set_contains(states.get(), ATSPI_STATE_FOCUSED) != FALSE;
}

// The objects that gained the focus and whose description changed, in order, as announced.
struct Events {
    std::vector<std::string> gained;
    std::vector<std::string> described;

    static void heard(AtspiEvent* event, void* events)
    {
        auto& self = *static_cast<Events*>(events);
        const std::string type(event->type);
        if (type == "object:state-changed:focused" && event->detail1 == 1) {
            self.gained.emplace_back(event->source->parent.path);
        } else if (type == "object:property-change:accessible-description") {
            self.described.emplace_back(event->source->parent.path);
        }
        g_boxed_free(ATSPI_TYPE_EVENT, event);
    }
};

bool contains(const std::vector<std::string>& paths, AtspiAccessible* node)
{
    return std::find(paths.begin(), paths.end(), node->parent.path) != paths.end();
}

// Lets the announcements on their way arrive until the condition holds or the time is up.
bool eventually(const std::function<bool()>& condition, milliseconds limit = patience())
{
    return waitUntil(
        [&] {
            while (g_main_context_iteration(nullptr, FALSE) != FALSE) {}
            return condition();
        },
        limit);
}

void settle()
{
    eventually([] { return false; }, milliseconds(300));
}

std::string withoutCarriageReturns(std::string_view text)
{
    std::string result(text);
    std::erase(result, '\r');
    return result;
}

TEST(Accessibility, ScreenReaderReadsThePlayAndHearsEachVerdict)
{
    ASSERT_NE(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr) << "run under dbus-run-session";
    // Starts the accessibility bus, which must be there before the program starts; read afresh
    // each time, not from libatspi's cache, as the quiz changes under the test.
    ASSERT_EQ(atspi_init(), 0);
    const Node desktop(atspi_get_desktop(0));
    atspi_accessible_set_cache_mask(desktop.get(), ATSPI_CACHE_NONE);

    // What a screen reader does: ask to hear focus and description changes.
    Events events;
    const std::unique_ptr<AtspiEventListener, Unref> listener(
        atspi_event_listener_new(&Events::heard, &events, nullptr));
    for (const char* event :
        {"object:state-changed:focused", "object:property-change:accessible-description"}) {
        ASSERT_NE(atspi_event_listener_register(listener.get(), event, nullptr), FALSE) << event;
    }

    const DisplayConnection display = openDisplay();
    ASSERT_NE(display, nullptr) << "run under an X server, e.g. xvfb-run";
    Program program({.set = {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1"}});
    ASSERT_TRUE(program.started());
    const Window window = waitForWindow(display.get());
    ASSERT_NE(window, 0U);

    // The application, its window and the window's controls, found by name and role.
    Node frame;
    eventually([&] {
        for (const Node& application : children(desktop.get())) {
            if (application != nullptr && name(application.get()) == "bitki") {
                for (Node& top : children(application.get())) {
                    if (name(top.get()) == Caption) {
                        frame = std::move(top);
                    }
                }
            }
        }
        return frame != nullptr;
    });
    ASSERT_NE(frame, nullptr) << "no window named " << Caption << " on the accessibility bus";
    std::map<std::string, Node> controls;
    // Roles by their number: libatspi names them itself, and newer ones name some otherwise.
    std::vector<std::pair<AtspiRole, std::string>> seen;
    std::vector<Node> found = children(frame.get());
    for (std::size_t i = 0; i < found.size(); ++i) {
        seen.emplace_back(atspi_accessible_get_role(found[i].get(), nullptr), name(found[i].get()));
        // A reader finds its way back up the tree by this.
        EXPECT_EQ(atspi_accessible_get_index_in_parent(found[i].get(), nullptr), static_cast<int>(i));
        controls[name(found[i].get())] = std::move(found[i]);
    }
    // The hidden answer key is not there.
    const std::vector<std::pair<AtspiRole, std::string>> expected{{ATSPI_ROLE_TEXT, "Отговор"},
        {ATSPI_ROLE_LABEL, "История - България, битки"}, {ATSPI_ROLE_LIST, "Битки"},
        {ATSPI_ROLE_LIST, "Пълководци"}, {ATSPI_ROLE_PUSH_BUTTON, "Чисти"}};
    ASSERT_EQ(seen, expected);
    const auto description
        = [](AtspiAccessible* node) { return owned(atspi_accessible_get_description(node, nullptr)); };
    for (const design::AccessibleText& described : design::AccessibleTexts) {
        EXPECT_EQ(description(controls[std::string(described.name)].get()), described.description);
    }
    AtspiAccessible* feedback = controls["Отговор"].get();
    AtspiAccessible* battles = controls["Битки"].get();
    AtspiAccessible* commanders = controls["Пълководци"].get();

    EXPECT_EQ(childNames(battles), SortedBattles);
    EXPECT_EQ(childNames(commanders), SortedCommanders);
    // The bridge reports each CR LF as one line feed.
    EXPECT_EQ(text(feedback), withoutCarriageReturns(TaskStatement));

    // Once the window is active (there is no window manager here to make it so), the focus is in
    // the feedback box: the screen reader starts with the task.
    XSetInputFocus(display.get(), window, RevertToParent, CurrentTime);
    XSync(display.get(), False);
    EXPECT_TRUE(eventually([&] { return focused(feedback); }));
    EXPECT_TRUE(eventually([&] { return contains(events.gained, feedback); }));

    // A pair chosen from the box and judged with Enter; what was announced before is forgotten.
    const auto pair = [&](std::size_t battle, std::size_t commander) {
        choosePair(display.get(), battle, commander);
        settle();
        events.gained.clear();
        events.described.clear();
        pressKey(display.get(), XK_Return);
    };

    // A right pair by keyboard: the verdict takes the focus, so the screen reader speaks it.
    pair(1, 9);
    const std::string right = "Вярно: Битка при Ахелой цар Симеон\n" + std::string(AnswerKey[3].description);
    EXPECT_TRUE(eventually([&] { return text(feedback) == right; })) << text(feedback);
    EXPECT_TRUE(eventually([&] { return contains(events.gained, feedback); }))
        << events.gained.size() << " focus changes";
    EXPECT_TRUE(focused(feedback));
    EXPECT_EQ(children(battles).size(), 9U);
    // The paragraph becomes what the box says of itself, and the change is announced, so that no
    // reader keeps an earlier one.
    EXPECT_TRUE(eventually([&] { return contains(events.described, feedback); }));
    EXPECT_EQ(description(feedback), AnswerKey[3].description);

    // A wrong pair: Tab leads from the verdict back to the battles.
    pair(0, 6);
    EXPECT_TRUE(eventually([&] { return text(feedback) == "Грешка: Битка при Адрианопол хан Крум\n"; }))
        << text(feedback);
    EXPECT_TRUE(eventually([&] { return contains(events.gained, feedback); }));
    EXPECT_TRUE(eventually([&] { return contains(events.described, feedback); }));
    EXPECT_EQ(description(feedback), "");

    // The restart: Tab to the button, Space; the new game starts at the battles.
    for (int i = 0; i < 3; ++i) {
        pressKey(display.get(), XK_Tab);
    }
    settle();
    events.gained.clear();
    pressKey(display.get(), XK_space);
    EXPECT_TRUE(eventually([&] { return text(feedback).empty() && children(battles).size() == 10; }));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // A reader that counts only the rows in sight (Orca 48) takes the list's size from this.
    EXPECT_EQ(attribute(battles, "setsize"), "10");
#endif
    EXPECT_TRUE(eventually([&] { return contains(events.gained, battles); }))
        << events.gained.size() << " focus changes";

    requestClose(display.get(), window);
    EXPECT_EQ(program.wait(), 0);
}

} // namespace
} // namespace bitki::test
