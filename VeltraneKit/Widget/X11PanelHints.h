#pragma once

#include <QRegion>
#include <QWindow>

#include <optional>

// The EWMH hints that keep the panel out of taskbars and pagers and on every workspace, and the
// input shape that lets clicks on its transparent parts through.
namespace veltrane::X11PanelHints {

// Adds _NET_WM_STATE_SKIP_TASKBAR, _NET_WM_STATE_SKIP_PAGER and _NET_WM_STATE_STICKY to the
// window's _NET_WM_STATE, keeping the states already there, and sets _NET_WM_DESKTOP to "all
// desktops". Meant for a window about to be mapped: window managers read these when they manage
// it (Qt adds its own states, such as "above", to the same property and keeps ours). Does
// nothing when the application is not on X11.
void applyBeforeMap(WId window);

// Sets the window's input shape (the SHAPE extension's, not its bounding shape, so everything
// still paints) to `region`, in device pixels relative to the window: a press anywhere else goes
// to the window below. Nothing restores the default, the whole window. Does nothing when the
// application is not on X11 or the server has no SHAPE.
void setInputRegion(WId window, const std::optional<QRegion>& region);

} // namespace veltrane::X11PanelHints
