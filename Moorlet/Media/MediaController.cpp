#include "Moorlet/Media/MediaController.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QTimer>

#include <algorithm>

namespace moorlet {

namespace {

const QString kMprisPrefix = QStringLiteral("org.mpris.MediaPlayer2.");
const QString kSpotifyService = QStringLiteral("org.mpris.MediaPlayer2.spotify");
const QString kMprisPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kBusService = QStringLiteral("org.freedesktop.DBus");
const QString kBusPath = QStringLiteral("/org/freedesktop/DBus");

QVariant unwrapVariant(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return value.value<QDBusVariant>().variant();
    return value;
}

std::optional<QString> mprisMethod(const QString& command)
{
    if (command == MediaController::kPreviousTrack)
        return QStringLiteral("Previous");
    if (command == MediaController::kPlayPause)
        return QStringLiteral("PlayPause");
    if (command == MediaController::kNextTrack)
        return QStringLiteral("Next");
    return std::nullopt;
}

QDBusMessage playerCall(const QString& service, const QString& interfaceName, const QString& method)
{
    auto message = QDBusMessage::createMethodCall(service, kMprisPath, interfaceName, method);
    // A poll must never start a player the bus knows how to launch.
    message.setAutoStartService(false);
    return message;
}

} // namespace

MediaController::MediaController(QObject* parent)
    : MediaController(QDBusConnection::sessionBus(), PlayerApplications(), parent)
{
}

MediaController::MediaController(QDBusConnection bus, PlayerApplications applications, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_applications(std::move(applications))
{
}

MediaController::~MediaController() = default;

QString MediaController::displayName(Player player) const
{
    if (player == Player::music) {
        if (m_player == Player::music && !m_musicIdentity.isEmpty())
            return m_musicIdentity;
        if (!m_musicApplicationName.isEmpty())
            return m_musicApplicationName;
    }
    return fallbackDisplayName(player);
}

void MediaController::startPolling()
{
    refresh();
    if (m_pollTimer)
        return;
    m_pollTimer = new QTimer(this);
    m_pollTimer->setInterval(kPollIntervalMs);
    QObject::connect(m_pollTimer, &QTimer::timeout, this, &MediaController::refresh);
    m_pollTimer->start();
}

void MediaController::refresh()
{
    watchBus();
    const auto generation = ++m_refreshGeneration;
    callAsync(QDBusMessage::createMethodCall(kBusService, kBusPath, kBusService, QStringLiteral("ListNames")),
        [this, generation](const QDBusMessage& reply) {
            if (generation != m_refreshGeneration || reply.arguments().isEmpty())
                return;
            detectPlayer(reply.arguments().constFirst().toStringList());
            if (m_player)
                readNowPlaying();
        });
}

void MediaController::control(const QString& command)
{
    const auto method = mprisMethod(command);
    if (!m_player || !method)
        return;
    // The reply carries nothing; a player that refuses fails silently.
    m_bus.send(playerCall(m_service, kPlayerInterface, *method));
    QTimer::singleShot(kRefreshAfterCommandMs, this, &MediaController::refresh);
}

void MediaController::connect(Player player)
{
    const auto entry = m_applications.installedEntry(player);
    if (!entry || !entry->launchDetached())
        return;
    watchBus();
    for (const int delay : kRefreshesAfterConnectMs)
        QTimer::singleShot(delay, this, &MediaController::refresh);
}

void MediaController::callAsync(const QDBusMessage& message, std::function<void(const QDBusMessage&)> onReply)
{
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [onReply = std::move(onReply)](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            const QDBusMessage reply = finished->reply();
            // An error reply (the player vanished, refused, or timed out) changes nothing.
            if (reply.type() == QDBusMessage::ReplyMessage)
                onReply(reply);
        });
}

// Players coming and going are noticed at once rather than at the next poll.
void MediaController::watchBus()
{
    if (m_watchingBus)
        return;
    m_watchingBus = m_bus.connect(kBusService, kBusPath, kBusService, QStringLiteral("NameOwnerChanged"), this,
        SLOT(onNameOwnerChanged(QString, QString, QString)));
}

void MediaController::onNameOwnerChanged(const QString& name, const QString&, const QString&)
{
    if (name.startsWith(kMprisPrefix))
        refresh();
}

void MediaController::detectPlayer(const QStringList& busNames)
{
    QStringList players;
    for (const QString& name : busNames) {
        if (name.startsWith(kMprisPrefix))
            players.append(name);
    }
    players.sort();

    QString service;
    if (players.contains(kSpotifyService))
        service = kSpotifyService;
    else if (m_service != kSpotifyService && players.contains(m_service))
        service = m_service;
    else if (const auto other = std::find_if(players.cbegin(), players.cend(),
                 [](const QString& name) { return name != kSpotifyService; });
             other != players.cend())
        service = *other;
    follow(service);

    if (service.isEmpty()) {
        setPlayer(std::nullopt);
        setTitle(QString());
        setArtist(QString());
        setPlaying(false);
        std::vector<Player> installed;
        for (const Player candidate : kAllMediaPlayers) {
            const auto entry = m_applications.installedEntry(candidate);
            if (candidate == Player::music)
                setDisplayName(m_musicApplicationName, entry ? entry->name() : QString());
            if (entry)
                installed.push_back(candidate);
        }
        setConnectablePlayers(std::move(installed));
        return;
    }
    setPlayer(service == kSpotifyService ? Player::spotify : Player::music);
    setConnectablePlayers({});
}

// Moves the PropertiesChanged subscription to another player and learns its name.
void MediaController::follow(const QString& service)
{
    if (service == m_service)
        return;
    const auto slot = SLOT(onPropertiesChanged(QString, QVariantMap, QStringList));
    const auto signal = QStringLiteral("PropertiesChanged");
    if (!m_service.isEmpty())
        m_bus.disconnect(m_service, kMprisPath, kPropertiesInterface, signal, this, slot);
    m_service = service;
    setDisplayName(m_musicIdentity, QString());
    if (m_service.isEmpty())
        return;
    m_bus.connect(m_service, kMprisPath, kPropertiesInterface, signal, this, slot);
    readIdentity();
}

void MediaController::readNowPlaying()
{
    auto message = playerCall(m_service, kPropertiesInterface, QStringLiteral("GetAll"));
    message << kPlayerInterface;
    callAsync(message, [this, generation = m_refreshGeneration, service = m_service](const QDBusMessage& reply) {
        if (generation != m_refreshGeneration || service != m_service || reply.arguments().isEmpty())
            return;
        applyPlayerProperties(dictionaryFromBus(reply.arguments().constFirst()), PropertySet::complete);
    });
}

void MediaController::readIdentity()
{
    auto message = playerCall(m_service, kPropertiesInterface, QStringLiteral("Get"));
    message << kRootInterface << QStringLiteral("Identity");
    callAsync(message, [this, service = m_service](const QDBusMessage& reply) {
        if (service != m_service || reply.arguments().isEmpty())
            return;
        setDisplayName(m_musicIdentity, unwrapVariant(reply.arguments().constFirst()).toString());
    });
}

void MediaController::onPropertiesChanged(const QString& interfaceName, const QVariantMap& changed,
    const QStringList& invalidated)
{
    if (interfaceName != kPlayerInterface || !m_player)
        return;
    applyPlayerProperties(changed, PropertySet::changes);
    if (invalidated.contains(QStringLiteral("Metadata")) || invalidated.contains(QStringLiteral("PlaybackStatus")))
        readNowPlaying();
}

void MediaController::applyPlayerProperties(const QVariantMap& properties, PropertySet set)
{
    const auto update = readPlayerProperties(properties, set);
    if (update.title)
        setTitle(*update.title);
    if (update.artist)
        setArtist(*update.artist);
    if (update.isPlaying)
        setPlaying(*update.isPlaying);
}

void MediaController::setPlayer(std::optional<Player> player)
{
    if (m_player == player)
        return;
    m_player = player;
    emit playerChanged();
    emit displayNamesChanged();
}

void MediaController::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged();
}

void MediaController::setArtist(const QString& artist)
{
    if (m_artist == artist)
        return;
    m_artist = artist;
    emit artistChanged();
}

void MediaController::setPlaying(bool playing)
{
    if (m_isPlaying == playing)
        return;
    m_isPlaying = playing;
    emit isPlayingChanged();
}

void MediaController::setConnectablePlayers(std::vector<Player> players)
{
    if (m_connectablePlayers == players)
        return;
    m_connectablePlayers = std::move(players);
    emit connectablePlayersChanged();
}

void MediaController::setDisplayName(QString& field, const QString& name)
{
    if (field == name)
        return;
    field = name;
    emit displayNamesChanged();
}

} // namespace moorlet
