#include "Moorlet/App/WindowSystem.h"

#include <QtGlobal>

namespace moorlet::WindowSystem {

bool isWayland(const QByteArray& waylandDisplay, const QByteArray& sessionType)
{
    return !waylandDisplay.isEmpty() || sessionType == "wayland";
}

bool isWaylandSession()
{
    return isWayland(qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"));
}

QByteArray platformOverride(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay, const QByteArray& sessionType)
{
    if (isWayland(waylandDisplay, sessionType) && (qpaPlatform.isEmpty() || qpaPlatform.startsWith("wayland")))
        return "xcb";
    return {};
}

void preferX11()
{
    const auto platform = platformOverride(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    // The widget's frames are small (a rolling digit, a breathing glow) and many: over shared
    // memory each one costs a round trip to the X server before the next may be drawn, which
    // costs more than sending its few kilobytes down the socket. Someone who asks otherwise keeps
    // their choice.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

} // namespace moorlet::WindowSystem
