#pragma once

#include <QWindow>

// The EWMH hints that keep the panel out of taskbars and pagers and on every workspace.
namespace veltrane::X11PanelHints {

// Adds _NET_WM_STATE_SKIP_TASKBAR, _NET_WM_STATE_SKIP_PAGER and _NET_WM_STATE_STICKY to the
// window's _NET_WM_STATE, keeping the states already there, and sets _NET_WM_DESKTOP to "all
// desktops". Meant for a window about to be mapped: window managers read these when they manage
// it (Qt adds its own states, such as "above", to the same property and keeps ours). Does
// nothing when the application is not on X11.
void applyBeforeMap(WId window);

} // namespace veltrane::X11PanelHints
