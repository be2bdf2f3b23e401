#include "application.h"
#include "quizform.h"

#include <QApplication>
#include <QScreen>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// Qt's messages while it looks for a display, held back until it has one.
QStringList startupMessages;

bool noDisplay(const QString& fatal)
{
    const auto unset = [](const char* name) { return qEnvironmentVariableIsEmpty(name); };
    const auto lostConnection = [](const QString& message) {
        return message.contains(QLatin1String("could not connect to display"), Qt::CaseInsensitive);
    };
    return (unset("DISPLAY") && unset("WAYLAND_DISPLAY") && unset("QT_QPA_PLATFORM")) || lostConnection(fatal)
        || std::any_of(startupMessages.cbegin(), startupMessages.cend(), lostConnection);
}

// Without a display Qt ends the process from inside QApplication with a page
// about platform plugins; say plainly what is wrong instead. Any other fatal
// message is shown as it is, after what was held back.
void startupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const QString formatted = qFormatLogMessage(type, context, message);
    if (type != QtFatalMsg) {
        startupMessages.append(formatted);
        return;
    }
    if (noDisplay(message)) {
        std::fputs("bitki: няма достъпен графичен дисплей, прозорецът не може да се отвори "
                   "(no display available: start the quiz in a desktop session)\n",
            stderr);
    } else {
        for (const QString& held : std::as_const(startupMessages)) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(held));
        }
        std::fprintf(stderr, "%s\n", qUtf8Printable(formatted));
    }
    std::_Exit(EXIT_FAILURE);
}

} // namespace

int main(int argc, char* argv[])
{
    // The quiz takes no command line: Qt sees only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    const QtMessageHandler previousHandler = qInstallMessageHandler(startupMessageHandler);
    QApplication application(qtArgc, argv);
    qInstallMessageHandler(previousHandler);
    for (const QString& message : std::as_const(startupMessages)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    }
    startupMessages.clear();

    bitki::configureApplication();

    bitki::QuizForm form;
    form.move(form.screen()->availableGeometry().center() - form.rect().center());
    form.show();
    return QApplication::exec();
}
