#include "tests/fakes/MprisPlayer/FakePlayer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QTimer>

// MprisPlayer --bus-name org.mpris.MediaPlayer2.NAME [--identity TEXT]
//             [--track "TITLE|ARTIST"]... [--status Playing|Paused|Stopped]
// Serves until told to quit or until its bus goes away (a test's private bus ends with the test),
// so no stray player outlives a test; exits with 1 when the bus or the name cannot be had.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption busName(QStringLiteral("bus-name"), QStringLiteral("Well-known bus name."),
        QStringLiteral("name"));
    const QCommandLineOption identity(QStringLiteral("identity"), QStringLiteral("The player's Identity."),
        QStringLiteral("text"), QStringLiteral("Test Player"));
    const QCommandLineOption track(QStringLiteral("track"), QStringLiteral("A track as TITLE|ARTIST."),
        QStringLiteral("track"));
    const QCommandLineOption status(QStringLiteral("status"), QStringLiteral("PlaybackStatus at start."),
        QStringLiteral("status"), QStringLiteral("Stopped"));
    parser.addOptions({ busName, identity, track, status });
    parser.process(application);
    if (!parser.isSet(busName))
        return 1;

    std::vector<FakePlayer::Track> tracks;
    for (const QString& value : parser.values(track)) {
        const auto parts = value.split(QLatin1Char('|'));
        tracks.push_back({ parts.value(0), parts.value(1) });
    }
    FakePlayer player(parser.value(identity), std::move(tracks), parser.value(status));

    // The objects are in place before the name is taken, so no early caller finds it empty.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.registerVirtualObject(QStringLiteral("/org/mpris/MediaPlayer2"), &player)
        || !bus.registerVirtualObject(QStringLiteral("/org/moorlet/FakePlayer"), &player)
        || !bus.registerService(parser.value(busName)))
        return 1;
    QTimer busWatch;
    QObject::connect(&busWatch, &QTimer::timeout, &application, [&bus] {
        if (!bus.isConnected())
            QCoreApplication::quit();
    });
    busWatch.start(500);
    return application.exec();
}
