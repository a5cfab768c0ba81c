#include "tests/fakes/MprisPlayer/FakePlayer.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QTimer>

#include <algorithm>

namespace {

const QString kMprisPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kControlPath = QStringLiteral("/org/moorlet/FakePlayer");
const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kControlInterface = QStringLiteral("org.moorlet.FakePlayer");

void replyWith(const QDBusMessage& message, const QDBusConnection& connection, const QList<QVariant>& arguments = {})
{
    QDBusConnection(connection).send(message.createReply(arguments));
}

} // namespace

FakePlayer::FakePlayer(QString identity, std::vector<Track> tracks, QString status)
    : m_identity(std::move(identity))
    , m_tracks(std::move(tracks))
    , m_status(std::move(status))
{
}

bool FakePlayer::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.path() == kControlPath && message.interface() == kControlInterface)
        return handleControl(message, connection);
    if (message.path() != kMprisPath)
        return false;
    if (message.interface() == kPropertiesInterface)
        return handleProperties(message, connection);
    if (message.interface() == kPlayerInterface)
        return handlePlayerMethod(message, connection);
    return false;
}

bool FakePlayer::handleProperties(const QDBusMessage& message, const QDBusConnection& connection)
{
    const auto arguments = message.arguments();
    if (arguments.isEmpty())
        return false;
    const QString interfaceName = arguments.at(0).toString();
    if (interfaceName == kPlayerInterface)
        ++m_readCount;
    const QVariantMap properties = interfaceName == kPlayerInterface ? playerProperties()
        : interfaceName == kRootInterface ? QVariantMap { { QStringLiteral("Identity"), m_identity } }
                                          : QVariantMap();
    if (message.member() == QLatin1String("GetAll")) {
        replyWith(message, connection, { properties });
        return true;
    }
    if (message.member() == QLatin1String("Get") && arguments.size() == 2) {
        replyWith(message, connection, { QVariant::fromValue(QDBusVariant(properties.value(arguments.at(1).toString()))) });
        return true;
    }
    return false;
}

bool FakePlayer::handlePlayerMethod(const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString method = message.member();
    m_commands.append(method);
    replyWith(message, connection);
    const int count = static_cast<int>(m_tracks.size());
    if (method == QLatin1String("Next") && count > 0)
        changeTrack((m_current + 1) % count, connection);
    else if (method == QLatin1String("Previous") && count > 0)
        changeTrack((m_current + count - 1) % count, connection);
    else if (method == QLatin1String("PlayPause"))
        changeStatus(m_status == QLatin1String("Playing") ? QStringLiteral("Paused") : QStringLiteral("Playing"),
            connection);
    return true;
}

bool FakePlayer::handleControl(const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString method = message.member();
    const auto arguments = message.arguments();
    if (method == QLatin1String("SetTrack") && arguments.size() == 2) {
        const Track track { arguments.at(0).toString(), arguments.at(1).toString() };
        replyWith(message, connection);
        if (track.title.isEmpty() && track.artist.isEmpty())
            m_tracks.clear();
        else
            m_tracks.push_back(track);
        changeTrack(std::max(0, static_cast<int>(m_tracks.size()) - 1), connection);
    } else if (method == QLatin1String("SetPlaybackStatus") && arguments.size() == 1) {
        replyWith(message, connection);
        changeStatus(arguments.at(0).toString(), connection);
    } else if (method == QLatin1String("Commands")) {
        replyWith(message, connection, { m_commands });
    } else if (method == QLatin1String("ReadCount")) {
        replyWith(message, connection, { m_readCount });
    } else if (method == QLatin1String("Quit")) {
        replyWith(message, connection);
        QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    } else {
        return false;
    }
    return true;
}

QVariantMap FakePlayer::playerProperties() const
{
    // Only what the program reads.
    QVariantMap properties;
    // A player with no status, or no track, leaves the property out, as some players do.
    if (!m_status.isEmpty())
        properties.insert(QStringLiteral("PlaybackStatus"), m_status);
    if (!m_tracks.empty())
        properties.insert(QStringLiteral("Metadata"), metadata());
    return properties;
}

QVariantMap FakePlayer::metadata() const
{
    if (m_tracks.empty())
        return {};
    const Track& track = m_tracks.at(static_cast<std::size_t>(m_current));
    return {
        { QStringLiteral("xesam:title"), track.title },
        { QStringLiteral("xesam:artist"), QStringList { track.artist } },
    };
}

void FakePlayer::changeTrack(int index, const QDBusConnection& connection)
{
    m_current = index;
    announce({ { QStringLiteral("Metadata"), metadata() } }, connection);
}

void FakePlayer::changeStatus(const QString& status, const QDBusConnection& connection)
{
    m_status = status;
    announce({ { QStringLiteral("PlaybackStatus"), m_status } }, connection);
}

void FakePlayer::announce(const QVariantMap& changed, const QDBusConnection& connection)
{
    auto signal = QDBusMessage::createSignal(kMprisPath, kPropertiesInterface, QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    QDBusConnection(connection).send(signal);
}
