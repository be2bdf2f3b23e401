#include "application.h"

#include "accessibility.h"
#include "browsing.h"

#include <QApplication>
#include <QStyleFactory>

namespace bitki {

void configureApplication()
{
    QApplication::setApplicationName(QStringLiteral("bitki"));
    QApplication::setApplicationVersion(QStringLiteral(BITKI_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(BITKI_APP_ID));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The lists' own keyboard search then waits between letters as every window's does.
    QApplication::setKeyboardInputInterval(static_cast<int>(TypeAheadPause));
    installAccessibility();
}

} // namespace bitki
