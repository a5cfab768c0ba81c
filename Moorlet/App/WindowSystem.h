#pragma once

#include <QByteArray>

namespace moorlet {

// Which Qt platform plugin the program asks for. The docked panel places itself on screen,
// which Wayland does not let a client do, so on a Wayland session the program runs through
// XWayland (the xcb plugin). An explicit other choice (offscreen in tests, xcb already) is kept.
namespace WindowSystem {

// The QT_QPA_PLATFORM value to set, or an empty array to leave the environment as it is, from
// the current QT_QPA_PLATFORM, WAYLAND_DISPLAY and XDG_SESSION_TYPE.
QByteArray platformOverride(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay, const QByteArray& sessionType);

// Whether the desktop session is a Wayland one (even while this program talks X to XWayland).
bool isWaylandSession();

// Applies platformOverride() to this process's environment, and sends the X server frames
// through its socket rather than shared memory; call before the application object exists.
void preferX11();

} // namespace WindowSystem

} // namespace moorlet
