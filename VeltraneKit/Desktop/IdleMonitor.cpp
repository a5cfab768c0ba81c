#include "VeltraneKit/Desktop/IdleMonitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace veltrane {

namespace {

constexpr double kMillisecondsPerSecond = 1000;

struct Service {
    const char* name;
    const char* path;
    const char* interface;
    const char* method;
};

// Both answer in milliseconds: Mutter's GetIdletime as a 64-bit count; KDE's GetSessionIdleTime
// as a 32-bit one, whatever older interface notes say about seconds.
constexpr Service kMutter { "org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
    "org.gnome.Mutter.IdleMonitor", "GetIdletime" };
constexpr Service kScreenSaver { "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
    "org.freedesktop.ScreenSaver", "GetSessionIdleTime" };

bool isWaylandSession()
{
    return qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

struct Free {
    void operator()(void* pointer) const { std::free(pointer); }
};

} // namespace

void IdleMonitor::XcbDisconnect::operator()(xcb_connection_t* connection) const
{
    xcb_disconnect(connection);
}

IdleMonitor::IdleMonitor(QDBusConnection desktopBus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(desktopBus))
{
    if (!isWaylandSession() && openX11()) {
        m_source = Source::x11;
        return;
    }
    if (!m_bus.isConnected())
        return;
    ask(Source::mutter);
    ask(Source::screenSaver);
}

IdleMonitor::~IdleMonitor() = default;

bool IdleMonitor::openX11()
{
    if (!qEnvironmentVariableIsSet("DISPLAY"))
        return false;
    std::unique_ptr<xcb_connection_t, XcbDisconnect> connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()))
        return false;
    const auto* extension = xcb_get_extension_data(connection.get(), &xcb_screensaver_id);
    if (!extension || !extension->present)
        return false;
    m_x11 = std::move(connection);
    return true;
}

std::optional<Seconds> IdleMonitor::idleTime()
{
    switch (m_source) {
    case Source::x11: {
        const auto root = xcb_setup_roots_iterator(xcb_get_setup(m_x11.get())).data->root;
        const std::unique_ptr<xcb_screensaver_query_info_reply_t, Free> reply(xcb_screensaver_query_info_reply(
            m_x11.get(), xcb_screensaver_query_info(m_x11.get(), root), nullptr));
        if (!reply)
            return std::nullopt;
        return reply->ms_since_user_input / kMillisecondsPerSecond;
    }
    case Source::mutter:
    case Source::screenSaver:
        if (!m_asking)
            ask(m_source);
        return m_latest;
    case Source::none:
        return std::nullopt;
    }
    return std::nullopt;
}

void IdleMonitor::ask(Source service)
{
    const Service& target = service == Source::mutter ? kMutter : kScreenSaver;
    const bool probing = m_source == Source::none;
    if (probing)
        ++m_probesPending;
    else
        m_asking = true;
    const auto call = QDBusMessage::createMethodCall(QLatin1String(target.name), QLatin1String(target.path),
        QLatin1String(target.interface), QLatin1String(target.method));
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, service, probing](QDBusPendingCallWatcher* answer) {
        answer->deleteLater();
        if (probing)
            --m_probesPending;
        else
            m_asking = false;
        const QDBusMessage reply = answer->reply();
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return;
        bool isNumber = false;
        const auto milliseconds = reply.arguments().front().toULongLong(&isNumber);
        if (!isNumber)
            return;
        // GNOME's service is preferred: where both answer, KDE's name may be a stand-in.
        if (m_source == Source::none || (service == Source::mutter && m_source == Source::screenSaver))
            m_source = service;
        if (m_source == service)
            m_latest = milliseconds / kMillisecondsPerSecond;
    });
}

} // namespace veltrane
