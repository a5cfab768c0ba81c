#include "VeltraneKit/Components/X11BlurBehind.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace veltrane::X11BlurBehind {

namespace {

constexpr char kProperty[] = "_KDE_NET_WM_BLUR_BEHIND_REGION";

struct FreeDeleter {
    void operator()(void* reply) const { std::free(reply); }
};

xcb_atom_t propertyAtom(xcb_connection_t* connection)
{
    const auto cookie = xcb_intern_atom(connection, 0, sizeof kProperty - 1, kProperty);
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeDeleter> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

void setRegion(WId windowId, const QRegion& region)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t atom = propertyAtom(connection);
    if (atom == XCB_ATOM_NONE)
        return;
    const auto window = static_cast<xcb_window_t>(windowId);
    if (region.isEmpty()) {
        xcb_delete_property(connection, window, atom);
    } else {
        // The property is a list of rectangles: x, y, width, height each.
        std::vector<uint32_t> rectangles;
        for (const QRect& rect : region) {
            rectangles.push_back(static_cast<uint32_t>(rect.x()));
            rectangles.push_back(static_cast<uint32_t>(rect.y()));
            rectangles.push_back(static_cast<uint32_t>(rect.width()));
            rectangles.push_back(static_cast<uint32_t>(rect.height()));
        }
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom, XCB_ATOM_CARDINAL, 32,
            static_cast<uint32_t>(rectangles.size()), rectangles.data());
    }
    xcb_flush(connection);
}

} // namespace veltrane::X11BlurBehind
