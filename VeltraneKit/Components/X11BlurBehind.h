#pragma once

#include <QRegion>
#include <QWindow>

// The blur-behind request that makes a translucent material look frosted on compositors that
// honour it (KWin's _KDE_NET_WM_BLUR_BEHIND_REGION; others ignore the property and show the
// plain translucent fill).
namespace veltrane::X11BlurBehind {

// Asks for the desktop behind `region` (window coordinates in device pixels) to be blurred; an
// empty region withdraws the request. Does nothing when the application is not on X11.
void setRegion(WId window, const QRegion& region);

} // namespace veltrane::X11BlurBehind
