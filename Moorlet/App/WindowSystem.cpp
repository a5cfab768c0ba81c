#include "Moorlet/App/WindowSystem.h"

#include <QtGlobal>

namespace moorlet::WindowSystem {

QByteArray platformOverride(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay, const QByteArray& sessionType)
{
    const bool wayland = !waylandDisplay.isEmpty() || sessionType == "wayland";
    if (wayland && (qpaPlatform.isEmpty() || qpaPlatform.startsWith("wayland")))
        return "xcb";
    return {};
}

void preferX11()
{
    const auto platform = platformOverride(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace moorlet::WindowSystem
