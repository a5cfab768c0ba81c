#pragma once

#include <QDBusVirtualObject>
#include <QStringList>
#include <QVariantMap>

#include <vector>

// A test MPRIS player. At /org/mpris/MediaPlayer2 it answers the MediaPlayer2 and Player
// interfaces through org.freedesktop.DBus.Properties and announces every change with
// PropertiesChanged; a read leaves out PlaybackStatus while the status is empty ("--status ''")
// and Metadata while there is no track. At /org/moorlet/FakePlayer (interface
// org.moorlet.FakePlayer) tests steer it:
//   SetTrack(s title, s artist)   play another track ("" and "" for no track)
//   SetPlaybackStatus(s status)   "Playing", "Paused" or "Stopped"
//   Commands() -> as              the Player methods received so far, in order
//   ReadCount() -> i              how many times the Player properties were read
//   Quit()                        leave the bus and exit
class FakePlayer final : public QDBusVirtualObject {
    Q_OBJECT

public:
    struct Track {
        QString title;
        QString artist;
    };

    FakePlayer(QString identity, std::vector<Track> tracks, QString status);

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    bool handleProperties(const QDBusMessage& message, const QDBusConnection& connection);
    bool handlePlayerMethod(const QDBusMessage& message, const QDBusConnection& connection);
    bool handleControl(const QDBusMessage& message, const QDBusConnection& connection);

    QVariantMap playerProperties() const;
    QVariantMap metadata() const;
    void changeTrack(int index, const QDBusConnection& connection);
    void changeStatus(const QString& status, const QDBusConnection& connection);
    void announce(const QVariantMap& changed, const QDBusConnection& connection);

    QString m_identity;
    std::vector<Track> m_tracks;
    int m_current = 0;
    QString m_status;
    QStringList m_commands;
    int m_readCount = 0;
};
