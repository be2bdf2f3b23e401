#include "application.h"
#include "quizform.h"

#include <QApplication>
#include <QScreen>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt's messages while it looks for a display, held back until it has one.
QStringList startupMessages;

// Without a display Qt ends the process from inside QApplication with a page
// about platform plugins; say plainly what is wrong instead.
void startupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs("bitki: няма достъпен графичен дисплей, прозорецът не може да се отвори "
                   "(no display available: start the quiz in a desktop session)\n",
            stderr);
        std::_Exit(EXIT_FAILURE);
    }
    startupMessages.append(qFormatLogMessage(type, context, message));
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
