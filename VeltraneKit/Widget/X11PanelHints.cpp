#include "VeltraneKit/Widget/X11PanelHints.h"

#include <QGuiApplication>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace veltrane::X11PanelHints {

namespace {

struct FreeDeleter {
    void operator()(void* reply) const { std::free(reply); }
};
template<typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t internAtom(xcb_connection_t* connection, std::string_view name)
{
    auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data());
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<xcb_atom_t> atomList(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    auto cookie = xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 1024);
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr));
    std::vector<xcb_atom_t> atoms;
    if (!reply || reply->type != XCB_ATOM_ATOM || reply->format != 32)
        return atoms;
    auto count = static_cast<std::size_t>(xcb_get_property_value_length(reply.get())) / sizeof(xcb_atom_t);
    atoms.resize(count);
    if (count > 0)
        std::memcpy(atoms.data(), xcb_get_property_value(reply.get()), count * sizeof(xcb_atom_t));
    return atoms;
}

// _NET_WM_DESKTOP's value for "all desktops".
constexpr uint32_t kAllDesktops = 0xFFFFFFFF;

xcb_connection_t* applicationConnection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace

void applyBeforeMap(WId windowId)
{
    xcb_connection_t* connection = applicationConnection();
    if (!connection)
        return;
    auto window = static_cast<xcb_window_t>(windowId);

    xcb_atom_t netWmState = internAtom(connection, "_NET_WM_STATE");
    xcb_atom_t netWmDesktop = internAtom(connection, "_NET_WM_DESKTOP");
    if (netWmState == XCB_ATOM_NONE || netWmDesktop == XCB_ATOM_NONE)
        return;

    std::vector<xcb_atom_t> states = atomList(connection, window, netWmState);
    for (std::string_view name :
        { "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_STICKY" }) {
        xcb_atom_t atom = internAtom(connection, name);
        if (atom != XCB_ATOM_NONE && std::find(states.begin(), states.end(), atom) == states.end())
            states.push_back(atom);
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, netWmState, XCB_ATOM_ATOM, 32,
        static_cast<uint32_t>(states.size()), states.data());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, netWmDesktop,
        XCB_ATOM_CARDINAL, 32, 1, &kAllDesktops);
    xcb_flush(connection);
}

void setInputRegion(WId windowId, const std::optional<QRegion>& region)
{
    xcb_connection_t* connection = applicationConnection();
    if (!connection)
        return;
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(connection, &xcb_shape_id);
    if (!shape || !shape->present)
        return;
    auto window = static_cast<xcb_window_t>(windowId);
    if (!region) {
        xcb_shape_mask(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, window, 0, 0, XCB_NONE);
    } else {
        std::vector<xcb_rectangle_t> rectangles;
        for (const QRect& rect : *region) {
            rectangles.push_back({ static_cast<int16_t>(rect.x()), static_cast<int16_t>(rect.y()),
                static_cast<uint16_t>(rect.width()), static_cast<uint16_t>(rect.height()) });
        }
        xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, window,
            0, 0, static_cast<uint32_t>(rectangles.size()), rectangles.data());
    }
    xcb_flush(connection);
}

} // namespace veltrane::X11PanelHints
