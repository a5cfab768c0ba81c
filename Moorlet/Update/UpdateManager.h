#pragma once

#include "Moorlet/Update/UpdateFeed.h"
#include "VeltraneKit/Settings/UserDefaults.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace moorlet {

// Keeps the program up to date by itself: fetches the signed feed, verifies it against the key
// built into the program, downloads a newer package, checks its SHA-256, unpacks it into a
// private temporary folder and keeps the program folder inside it staged until the user (or
// automatic installation) restarts into it. Only a relocatable install that the user can write
// updates itself; elsewhere (a build without an update origin and key, a system package) the
// manager never touches the network and the app says where updates come from instead.
//
// Every observed value has a …Changed signal emitted only on real change. Main thread only; the
// network replies and the unpacking's end arrive on the main thread's event loop.
class UpdateManager : public QObject {
    Q_OBJECT

public:
    // The user-defaults key of the last version announced through onUpdateAvailable.
    static constexpr auto kLastNotifiedKey = "com.veltrane.focus.lastNotifiedUpdateVersion";

    struct Phase {
        enum class Kind { idle, checking, upToDate, available, downloading, readyToInstall, failed };
        Kind kind = Kind::idle;
        // The sentence shown to the user; only a failed phase has one.
        QString message;

        static Phase failed(QString message) { return { Kind::failed, std::move(message) }; }
        bool operator==(const Phase&) const = default;
    };

    // Everything the outside world decides. production() gives the real things; tests point them
    // at a local server, temporary folders and child processes.
    struct Environment {
        // The Ed25519 key the feed's manifest must be signed with (44 characters of Base64).
        QString publicKey;
        // The https origin the feed lives under; ML_UPDATE_SERVER replaces it when set.
        QString origin;
        QString originOverride;
        // The folder holding bin/moorlet that an update replaces; nothing when the program does
        // not run from an installed folder (a build tree).
        std::optional<std::filesystem::path> installFolder;
        // Whether that folder is ours to replace: a relocatable install the user can write to,
        // not a system package.
        bool installWritable = false;
        // The process the installer waits for before it swaps the folders.
        qint64 processId = 0;
        // Ends the application once the installer runs.
        std::function<void()> quit;
        // A fetch of the feed, and a download that receives nothing for this long, is given up.
        std::chrono::milliseconds feedTimeout { 15000 };
        std::chrono::milliseconds downloadStallTimeout { 60000 };
        // Where the private folder of a download is made.
        std::filesystem::path temporaryFolder;

        static Environment production();
        // The install folder of the program at `programPath` (libexec/moorlet/moorlet-app inside
        // the folder holding bin/moorlet), or nothing when it runs from elsewhere.
        static std::optional<std::filesystem::path> installFolderOf(const std::filesystem::path& programPath);
        // Whether a folder may be replaced by the program itself.
        static bool mayReplace(const std::filesystem::path& folder);
    };

    UpdateManager(QString currentVersion, veltrane::UserDefaultsPtr defaults, Environment environment,
        QObject* parent = nullptr);
    ~UpdateManager() override;

    Phase phase() const { return m_phase; }
    const std::optional<UpdateInfo>& available() const { return m_available; }
    bool autoInstall() const { return m_autoInstall; }
    void setAutoInstall(bool autoInstall);
    const QString& currentVersion() const { return m_currentVersion; }
    const std::optional<std::filesystem::path>& stagedAppURL() const { return m_stagedAppURL; }
    // False for builds without an update origin or key and for installs the program may not
    // replace: then nothing is fetched and the views say updates come from the package.
    bool updatesItself() const;

    // Called with the version: once per new version found, across launches; and when a
    // verified package is staged.
    std::function<void(const QString&)> onUpdateAvailable;
    std::function<void(const QString&)> onUpdateReady;

    // The feed: the origin (ML_UPDATE_SERVER verbatim when set) followed by "/api/appcast".
    QUrl appcastURL() const;

    // Checks now, then every `interval`; periodic checks fail silently.
    void startPeriodicChecks(std::chrono::seconds interval);
    bool hasPeriodicChecks() const { return m_timer != nullptr; }
    // Fetches and verifies the feed; with autoInstall a newer version is downloaded at once.
    void check(bool userInitiated);
    // Downloads, verifies, unpacks and stages `available`.
    void downloadAndStage();
    // Starts the installer for the staged folder and quits.
    void installAndRelaunch();
    // Stages first when nothing is staged yet, then installs.
    void downloadInstallAndRelaunch();

    static bool isNewer(const QString& a, const QString& than);
    void notifyOncePerVersion(const QString& version);
    static QString message(UpdateError error);

signals:
    void phaseChanged();
    void availableChanged();
    void autoInstallChanged();

private:
    void setPhase(Phase phase);
    void setAvailable(std::optional<UpdateInfo> available);
    void finishCheck(QNetworkReply* reply, bool userInitiated);
    void finishDownload(QNetworkReply* reply);
    void fail(UpdateError error);
    void stage(const std::filesystem::path& folder);
    void finishStaging(const std::optional<std::filesystem::path>& bundle);

    QString m_currentVersion;
    veltrane::UserDefaultsPtr m_defaults;
    Environment m_environment;
    std::unique_ptr<QNetworkAccessManager> m_network;
    Phase m_phase;
    std::optional<UpdateInfo> m_available;
    bool m_autoInstall = true;
    std::optional<std::filesystem::path> m_stagedAppURL;
    std::unique_ptr<QTimer> m_timer;
    // After a download finishes, install at once (downloadInstallAndRelaunch).
    bool m_installWhenStaged = false;
};

} // namespace moorlet
