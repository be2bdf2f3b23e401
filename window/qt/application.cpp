#include "application.h"

#include "accessibility.h"

#include <QApplication>
#include <QStyleFactory>

namespace bitki {

void configureApplication()
{
    QApplication::setApplicationName(QStringLiteral("bitki"));
    QApplication::setApplicationVersion(QStringLiteral(BITKI_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(BITKI_APP_ID));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installAccessibility();
}

} // namespace bitki
