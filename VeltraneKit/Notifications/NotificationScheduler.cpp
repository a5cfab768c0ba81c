#include "VeltraneKit/Notifications/NotificationScheduler.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDateTime>
#include <QStringList>
#include <QVariantMap>

#include <algorithm>
#include <cmath>
#include <utility>

namespace veltrane {

namespace {

constexpr auto kService = "org.freedesktop.Notifications";
constexpr auto kPath = "/org/freedesktop/Notifications";
constexpr auto kInterface = "org.freedesktop.Notifications";
// A replaces_id of zero asks for a new notification, never an update of an earlier one.
constexpr uint kNewNotification = 0;
// Lets the server apply its own display time.
constexpr int kServerDefaultTimeout = -1;
// The capability of servers that read the body as markup.
constexpr auto kBodyMarkup = "body-markup";

QDBusMessage notificationCall(const char* method)
{
    return QDBusMessage::createMethodCall(QLatin1String(kService), QLatin1String(kPath),
        QLatin1String(kInterface), QLatin1String(method));
}

QDateTime localTime(Instant instant)
{
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::floor(instant * 1000.0)), Qt::LocalTime);
}

void sortByDueTime(std::vector<ScheduledNotification>& requests)
{
    std::stable_sort(requests.begin(), requests.end(),
        [](const auto& left, const auto& right) { return left.dueAt() < right.dueAt(); });
}

} // namespace

NotificationScheduler::NotificationScheduler(
    ClockPtr clock, QString storePath, Sender sender, QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_clock(std::move(clock))
    , m_sender(std::move(sender))
    , m_bus(std::move(bus))
    , m_available(m_bus.isConnected())
    , m_file(std::move(storePath))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &NotificationScheduler::fireDue);
    if (!m_available)
        return;
    m_pending = m_file.load();
    // Requests whose minute came while the program was not running go out now, or are dropped
    // when their day is over.
    fireDue();
}

NotificationScheduler::~NotificationScheduler()
{
    for (const auto& notice : std::exchange(m_waiting, {}))
        send(notice, false);
}

void NotificationScheduler::requestAuthorizationIfPossible()
{
    if (!m_available)
        return;
    askCapabilities();
}

void NotificationScheduler::askCapabilities()
{
    m_askingCapabilities = true;
    // The watcher is a child of this object, so the answer dies with it.
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(notificationCall("GetCapabilities")), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        m_askingCapabilities = false;
        const QDBusMessage reply = call->reply();
        const bool answered = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
        setAuthorized(answered);
        // A server that did not answer may be starting, or be replaced by another: the next
        // notice asks again.
        if (answered)
            m_bodyMarkup = reply.arguments().constFirst().toStringList().contains(QLatin1String(kBodyMarkup));
        sendWaiting();
    });
}

void NotificationScheduler::sendWaiting()
{
    for (const auto& notice : std::exchange(m_waiting, {}))
        send(notice, m_bodyMarkup.value_or(false));
}

void NotificationScheduler::notify(const std::string& title, const std::string& body)
{
    if (!m_available)
        return;
    post(title, body);
}

void NotificationScheduler::schedule(
    const std::string& id, Instant at, const std::string& title, const std::string& body)
{
    if (!m_available || !std::isfinite(at) || !(at > m_clock->now()))
        return;
    const QDateTime local = localTime(at);
    if (!local.isValid())
        return;
    std::erase_if(m_pending, [&](const auto& request) { return request.id == id; });
    m_pending.push_back(ScheduledNotification {
        id, local.date(), QTime(local.time().hour(), local.time().minute()), title, body });
    sortByDueTime(m_pending);
    m_file.save(m_pending);
    arm();
}

void NotificationScheduler::cancel(const std::string& id)
{
    if (!m_available)
        return;
    if (std::erase_if(m_pending, [&](const auto& request) { return request.id == id; }) == 0)
        return;
    m_file.save(m_pending);
    arm();
}

std::vector<std::string> NotificationScheduler::pendingIdentifiers() const
{
    std::vector<std::string> ids;
    for (const auto& request : m_pending)
        ids.push_back(request.id);
    return ids;
}

void NotificationScheduler::fireDue()
{
    if (!m_available)
        return;
    const Instant now = m_clock->now();
    const QDate today = localTime(now).date();
    // Zones change rarely, but a change can reorder requests; sort before splitting.
    sortByDueTime(m_pending);
    const auto firstWaiting = std::find_if(
        m_pending.begin(), m_pending.end(), [&](const auto& request) { return request.dueAt() > now; });
    std::vector<ScheduledNotification> due(m_pending.begin(), firstWaiting);
    if (!due.empty()) {
        m_pending.erase(m_pending.begin(), firstWaiting);
        // Saved before posting: a crash in between loses a reminder rather than repeating it.
        m_file.save(m_pending);
        for (const auto& request : due) {
            if (request.day >= today)
                post(request.title, request.body);
        }
    }
    arm();
}

std::optional<std::chrono::milliseconds> NotificationScheduler::armedInterval() const
{
    if (!m_timer.isActive())
        return std::nullopt;
    return m_timer.intervalAsDuration();
}

void NotificationScheduler::post(const std::string& title, const std::string& body)
{
    // Only notices from before the server's answer wait, so they keep their order.
    if (m_bodyMarkup) {
        send({ title, body }, *m_bodyMarkup);
        return;
    }
    m_waiting.push_back({ title, body });
    if (!m_askingCapabilities)
        askCapabilities();
}

void NotificationScheduler::send(const Notice& notice, bool escapeBody)
{
    QDBusMessage message = notificationCall("Notify");
    QVariantMap hints { { QStringLiteral("sound-name"), QString::fromLatin1(kSoundName) } };
    if (!m_sender.desktopEntry.isEmpty())
        hints.insert(QStringLiteral("desktop-entry"), m_sender.desktopEntry);
    auto body = QString::fromStdString(notice.body);
    // A title of the user's holding "&", "<" or ">" would otherwise show wrongly, or not at all.
    if (escapeBody)
        body = body.toHtmlEscaped();
    message << m_sender.applicationName << kNewNotification << m_sender.iconName
            << QString::fromStdString(notice.title) << body << QStringList() << hints << kServerDefaultTimeout;
    // Fire and forget: the reply, or an error when no server runs, is not waited for.
    m_bus.send(message);
}

void NotificationScheduler::arm()
{
    if (m_pending.empty()) {
        m_timer.stop();
        return;
    }
    const Seconds longest = std::chrono::duration<double>(kLongestWait).count();
    const Seconds wait = std::clamp(m_pending.front().dueAt() - m_clock->now(), 0.0, longest);
    m_timer.start(std::chrono::milliseconds(static_cast<long long>(std::ceil(wait * 1000.0))));
}

void NotificationScheduler::setAuthorized(bool authorized)
{
    if (m_authorized == authorized)
        return;
    m_authorized = authorized;
    emit authorizedChanged(authorized);
}

} // namespace veltrane
