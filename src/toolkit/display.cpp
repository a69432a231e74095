#include "toolkit/display.h"

#include <QtGlobal>

namespace tk {

QString missingDisplayReason() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return QString();
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QStringLiteral("MerValla needs a graphical desktop: no display was found "
                              "(DISPLAY and WAYLAND_DISPLAY are not set).");
#endif
    return QString();
}

} // namespace tk
