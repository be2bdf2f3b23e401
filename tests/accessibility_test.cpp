// End to end through the accessibility bus, as a screen reader sees the quiz: the real program
// on an X server, with a private session bus and the AT-SPI bus beside it (run it under
// dbus-run-session). The test talks AT-SPI over D-Bus directly, and plays with real key presses.

#include "content.h"
#include "sorted_rows.h"
#include "test_main.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>

// After Qt: Xlib's macros (None, Bool, Status) would break its headers.
#include "x11_session.h"

#include <functional>
#include <utility>

namespace bitki::test {
namespace {

const QString Registry = QStringLiteral("org.a11y.atspi.Registry");
const QString AccessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");
constexpr int FocusedState = 12;

// A reference to an accessible object: the application's bus name and the object's path.
struct Node {
    QString service;
    QString path;
};

// Collects the focus and description changes that applications announce.
class Events final : public QObject {
    Q_OBJECT

public:
    QStringList gained; // paths of objects that gained the focus, in order
    QStringList described; // paths of objects whose description changed, in order

public Q_SLOTS: // NOLINT(readability-redundant-access-specifiers): moc needs the marker
    void stateChanged(const QDBusMessage& message)
    {
        const QList<QVariant> arguments = message.arguments();
        if (arguments.size() >= 2 && arguments.at(0).toString() == QLatin1String("focused")
            && arguments.at(1).toInt() == 1) {
            gained.append(message.path());
        }
    }

    void propertyChanged(const QDBusMessage& message)
    {
        const QList<QVariant> arguments = message.arguments();
        if (!arguments.isEmpty() && arguments.at(0).toString() == QLatin1String("accessible-description")) {
            described.append(message.path());
        }
    }
};

class Atspi {
public:
    explicit Atspi(QDBusConnection bus)
        : m_bus(std::move(bus))
    {
    }

    // A plain method call: a QDBusInterface would introspect the node, and Qt keeps what it
    // builds from that until the process ends.
    QDBusMessage call(const Node& node, const QString& interface, const QString& method,
        const QVariantList& arguments = {}) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(node.service, node.path, interface, method);
        message.setArguments(arguments);
        return m_bus.call(message);
    }

    QVariant property(const Node& node, const QString& interface, const QString& name) const
    {
        const QDBusMessage reply = call(node, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"), {interface, name});
        return reply.arguments().isEmpty() ? QVariant()
                                           : reply.arguments().first().value<QDBusVariant>().variant();
    }

    QString name(const Node& node) const
    {
        return property(node, AccessibleInterface, QStringLiteral("Name")).toString();
    }

    QString role(const Node& node) const
    {
        return call(node, AccessibleInterface, QStringLiteral("GetRoleName")).arguments().value(0).toString();
    }

    std::vector<Node> children(const Node& node) const
    {
        const QDBusMessage reply = call(node, AccessibleInterface, QStringLiteral("GetChildren"));
        std::vector<Node> result;
        if (reply.arguments().isEmpty()) {
            return result;
        }
        const auto argument = reply.arguments().first().value<QDBusArgument>();
        argument.beginArray();
        while (!argument.atEnd()) {
            QString service;
            QDBusObjectPath path;
            argument.beginStructure();
            argument >> service >> path;
            argument.endStructure();
            result.push_back({service, path.path()});
        }
        argument.endArray();
        return result;
    }

    std::vector<std::string> childNames(const Node& node) const
    {
        const std::vector<Node> nodes = children(node);
        std::vector<std::string> names;
        std::transform(nodes.begin(), nodes.end(), std::back_inserter(names),
            [this](const Node& child) { return name(child).toStdString(); });
        return names;
    }

    std::string text(const Node& node) const
    {
        const QDBusMessage reply
            = call(node, QStringLiteral("org.a11y.atspi.Text"), QStringLiteral("GetText"), {0, -1});
        return reply.arguments().value(0).toString().toStdString();
    }

    int indexInParent(const Node& node) const
    {
        return call(node, AccessibleInterface, QStringLiteral("GetIndexInParent"))
            .arguments()
            .value(0)
            .toInt();
    }

    QString description(const Node& node) const
    {
        return property(node, AccessibleInterface, QStringLiteral("Description")).toString();
    }

    bool focused(const Node& node) const
    {
        const QDBusMessage reply = call(node, AccessibleInterface, QStringLiteral("GetState"));
        const auto states = qdbus_cast<QList<uint>>(reply.arguments().value(0));
        return !states.isEmpty() && (states.first() & (1U << FocusedState)) != 0;
    }

private:
    QDBusConnection m_bus;
};

// Runs the event loop until the condition holds or the time is up.
bool eventually(const std::function<bool()>& condition, milliseconds limit = patience())
{
    return waitUntil(
        [&] {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            return condition();
        },
        limit);
}

// Lets announcements already on their way arrive.
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
    QDBusConnection session = QDBusConnection::sessionBus();
    ASSERT_TRUE(session.isConnected()) << "run under dbus-run-session";
    // Starts the accessibility bus, which must be there before the program starts.
    const QDBusReply<QString> address
        = session.call(QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"),
            QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
    ASSERT_TRUE(address.isValid()) << address.error().message().toStdString();
    QDBusConnection bus = QDBusConnection::connectToBus(address.value(), QStringLiteral("a11y"));
    ASSERT_TRUE(bus.isConnected());
    const Atspi atspi(bus);

    // What a screen reader does: ask to hear focus and description changes.
    Events events;
    bus.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"),
        QStringLiteral("StateChanged"), &events, SLOT(stateChanged(QDBusMessage)));
    bus.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"),
        QStringLiteral("PropertyChange"), &events, SLOT(propertyChanged(QDBusMessage)));
    for (const char* event :
        {"object:state-changed:focused", "object:property-change:accessible-description"}) {
        atspi.call({Registry, QStringLiteral("/org/a11y/atspi/registry")}, Registry,
            QStringLiteral("RegisterEvent"), {QString::fromLatin1(event), QStringList(), QString()});
    }

    const DisplayConnection display = openDisplay();
    ASSERT_NE(display, nullptr) << "run under an X server, e.g. xvfb-run";
    Program program({.set = {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1"}});
    ASSERT_TRUE(program.started());
    const Window window = waitForWindow(display.get());
    ASSERT_NE(window, 0U);

    // The application, its window and the window's controls, found by name and role.
    std::optional<Node> frame;
    eventually([&] {
        for (const Node& application :
            atspi.children({Registry, QStringLiteral("/org/a11y/atspi/accessible/root")})) {
            if (atspi.name(application) == QLatin1String("bitki")) {
                for (const Node& top : atspi.children(application)) {
                    if (atspi.name(top).toStdString() == Caption) {
                        frame = top;
                    }
                }
            }
        }
        return frame.has_value();
    });
    if (!frame) {
        FAIL() << "no window named " << Caption << " on the accessibility bus";
    }
    std::map<std::string, Node> controls;
    std::vector<std::pair<std::string, std::string>> seen;
    const std::vector<Node> children = atspi.children(*frame);
    for (std::size_t i = 0; i < children.size(); ++i) {
        controls[atspi.name(children[i]).toStdString()] = children[i];
        seen.emplace_back(atspi.role(children[i]).toStdString(), atspi.name(children[i]).toStdString());
        // A reader finds its way back up the tree by this.
        EXPECT_EQ(atspi.indexInParent(children[i]), static_cast<int>(i));
    }
    // The hidden answer key is not there.
    const std::vector<std::pair<std::string, std::string>> expected{{"text", "Отговор"},
        {"label", "История - България, битки"}, {"list", "Битки"}, {"list", "Пълководци"},
        {"push button", "Чисти"}};
    ASSERT_EQ(seen, expected);
    for (const design::AccessibleText& described : design::AccessibleTexts) {
        EXPECT_EQ(
            atspi.description(controls[std::string(described.name)]).toStdString(), described.description);
    }
    const Node& feedback = controls["Отговор"];
    const Node& battles = controls["Битки"];
    const Node& commanders = controls["Пълководци"];

    EXPECT_EQ(atspi.childNames(battles), SortedBattles);
    EXPECT_EQ(atspi.childNames(commanders), SortedCommanders);
    // The bridge reports each CR LF as one line feed.
    EXPECT_EQ(atspi.text(feedback), withoutCarriageReturns(TaskStatement));

    // Once the window is active (there is no window manager here to make it so), the focus is in
    // the feedback box: the screen reader starts with the task.
    XSetInputFocus(display.get(), window, RevertToParent, CurrentTime);
    XSync(display.get(), False);
    EXPECT_TRUE(eventually([&] { return atspi.focused(feedback); }));
    EXPECT_TRUE(eventually([&] { return events.gained.contains(feedback.path); }));

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
    EXPECT_TRUE(eventually([&] { return atspi.text(feedback) == right; })) << atspi.text(feedback);
    EXPECT_TRUE(eventually([&] { return events.gained.contains(feedback.path); }))
        << events.gained.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(atspi.focused(feedback));
    EXPECT_EQ(atspi.children(battles).size(), 9U);
    // The paragraph becomes what the box says of itself, and the change is announced, so that no
    // reader keeps an earlier one.
    EXPECT_TRUE(eventually([&] { return events.described.contains(feedback.path); }));
    EXPECT_EQ(atspi.description(feedback).toStdString(), AnswerKey[3].description);

    // A wrong pair: Tab leads from the verdict back to the battles.
    pair(0, 6);
    EXPECT_TRUE(eventually([&] { return atspi.text(feedback) == "Грешка: Битка при Адрианопол хан Крум\n"; }))
        << atspi.text(feedback);
    EXPECT_TRUE(eventually([&] { return events.gained.contains(feedback.path); }));
    EXPECT_TRUE(eventually([&] { return events.described.contains(feedback.path); }));
    EXPECT_EQ(atspi.description(feedback), QString());

    // The restart: Tab to the button, Space; the new game starts at the battles.
    for (int i = 0; i < 3; ++i) {
        pressKey(display.get(), XK_Tab);
    }
    settle();
    events.gained.clear();
    pressKey(display.get(), XK_space);
    EXPECT_TRUE(
        eventually([&] { return atspi.text(feedback).empty() && atspi.children(battles).size() == 10; }));
    EXPECT_TRUE(eventually([&] { return events.gained.contains(battles.path); }))
        << events.gained.join(QLatin1Char(' ')).toStdString();

    requestClose(display.get(), window);
    EXPECT_EQ(program.wait(), 0);
}

} // namespace
} // namespace bitki::test

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    using bitki::test::runAllTests;
    return runAllTests();
}

#include "accessibility_test.moc"
