#pragma once

#include "Moorlet/Media/MediaPlayer.h"
#include "Moorlet/Media/PlayerApplications.h"
#include "Moorlet/Media/PlayerProperties.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QDBusMessage;
class QDBusPendingCallWatcher;
class QTimer;

namespace moorlet {

// What the running music player is playing, and its previous / play-pause / next buttons, over
// MPRIS on the session bus. Spotify (org.mpris.MediaPlayer2.spotify) is followed when it runs;
// otherwise the first other MPRIS player (by bus name; a player already followed is kept while it
// runs) is the music player. With neither running, the card offers to open the installed ones.
//
// The model refreshes when asked, every 3 s once polling has started, and at once when the
// followed player announces a change (PropertiesChanged) or a player appears on or leaves the bus.
// Calls to players are asynchronous, so a hung player never blocks the main thread. A call that
// fails (the player quit in between, refused, or never answered) leaves the fields as they were.
//
// Main thread only; every signal is emitted on a real change.
class MediaController : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(QString artist READ artist NOTIFY artistChanged)
    Q_PROPERTY(bool isPlaying READ isPlaying NOTIFY isPlayingChanged)

public:
    using Player = MediaPlayer;

    // The commands the card sends.
    static inline const QString kPreviousTrack = QStringLiteral("previous track");
    static inline const QString kPlayPause = QStringLiteral("playpause");
    static inline const QString kNextTrack = QStringLiteral("next track");

    static constexpr int kPollIntervalMs = 3000;
    static constexpr int kRefreshAfterCommandMs = 200;
    // A launched player takes a moment to reach the bus; these refreshes catch it even when the
    // bus's own announcement is missed.
    static constexpr std::array<int, 3> kRefreshesAfterConnectMs { 1500, 3000, 5000 };

    explicit MediaController(QObject* parent = nullptr);
    MediaController(QDBusConnection bus, PlayerApplications applications, QObject* parent = nullptr);
    ~MediaController() override;

    // The running player being followed; none when neither runs.
    std::optional<Player> player() const { return m_player; }
    QString title() const { return m_title; }
    QString artist() const { return m_artist; }
    bool isPlaying() const { return m_isPlaying; }
    // The installed players offered for opening, Spotify first; empty while one runs.
    const std::vector<Player>& connectablePlayers() const { return m_connectablePlayers; }
    // The name to show: the running music player's own Identity, else its application's name,
    // else the player's fallback name.
    QString displayName(Player player) const;

    // Refreshes now and, the first time, starts the 3-second poll. There is no stop.
    void startPolling();
    // Finds the player, then reads what it plays.
    void refresh();
    // Sends "previous track", "playpause" or "next track" to the followed player, then refreshes
    // shortly after; does nothing without a player or for any other command.
    void control(const QString& command);
    // Starts the installed player in the background and refreshes as it comes up; does nothing
    // when it is not installed.
    void connect(Player player);
    using QObject::connect;

signals:
    void playerChanged();
    void titleChanged();
    void artistChanged();
    void isPlayingChanged();
    void connectablePlayersChanged();
    void displayNamesChanged();

private slots:
    void onPropertiesChanged(const QString& interfaceName, const QVariantMap& changed,
        const QStringList& invalidated);
    void onNameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);

private:
    void callAsync(const QDBusMessage& message, std::function<void(const QDBusMessage& reply)> onReply);
    void watchBus();
    void detectPlayer(const QStringList& busNames);
    void follow(const QString& service);
    void readNowPlaying();
    void readIdentity();
    void applyPlayerProperties(const QVariantMap& properties, PropertySet set);

    void setPlayer(std::optional<Player> player);
    void setTitle(const QString& title);
    void setArtist(const QString& artist);
    void setPlaying(bool playing);
    void setConnectablePlayers(std::vector<Player> players);
    void setDisplayName(QString& field, const QString& name);

    QDBusConnection m_bus;
    PlayerApplications m_applications;
    std::optional<Player> m_player;
    QString m_title;
    QString m_artist;
    bool m_isPlaying = false;
    std::vector<Player> m_connectablePlayers;
    QTimer* m_pollTimer = nullptr;

    // The bus name of the followed player, empty when none.
    QString m_service;
    QString m_musicIdentity;
    QString m_musicApplicationName;
    bool m_watchingBus = false;
    // Replies to an older refresh than the latest are dropped, so a slow one never overwrites a
    // newer answer.
    std::uint64_t m_refreshGeneration = 0;
};

} // namespace moorlet
