#include "Moorlet/Update/UpdateManager.h"

#include "Moorlet/Update/UpdateArchive.h"
#include "Moorlet/Update/UpdateInstaller.h"

#include <QCoreApplication>
#include <QFile>
#include <QFutureWatcher>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QtConcurrent/QtConcurrentRun>

#include <sodium.h>

#include <fstream>
#include <system_error>

#include <stdlib.h>
#include <unistd.h>

#ifndef MOORLET_UPDATE_ORIGIN
#define MOORLET_UPDATE_ORIGIN ""
#endif
#ifndef MOORLET_UPDATE_PUBLIC_KEY
#define MOORLET_UPDATE_PUBLIC_KEY ""
#endif

namespace moorlet {

namespace {

namespace fs = std::filesystem;

constexpr auto kAppcastPath = "/api/appcast";
constexpr auto kNotInstalledMessage = "Updates only apply to the installed app folder.";
constexpr auto kInstallerMessage = "Couldn't start the installer.";

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

// A folder only this user can read, so that nobody swaps the package between its check and its
// unpacking.
std::optional<fs::path> makePrivateFolder(const fs::path& parent)
{
    std::error_code error;
    fs::create_directories(parent, error);
    std::string pattern = (parent / "moorlet-update-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return std::nullopt;
    return fs::path(pattern);
}

// The package as it arrives, written to disk and hashed on the way.
struct Download {
    fs::path folder;
    std::ofstream file;
    crypto_hash_sha256_state hash {};
    std::uint64_t size = 0;
};

} // namespace

UpdateManager::Environment UpdateManager::Environment::production()
{
    Environment environment;
    environment.publicKey = QStringLiteral(MOORLET_UPDATE_PUBLIC_KEY);
    environment.origin = QStringLiteral(MOORLET_UPDATE_ORIGIN);
    environment.originOverride = qEnvironmentVariable("ML_UPDATE_SERVER");
    environment.installFolder = installFolderOf(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    environment.installWritable = environment.installFolder && mayReplace(*environment.installFolder);
    environment.processId = QCoreApplication::applicationPid();
    environment.quit = [] { QCoreApplication::quit(); };
    std::error_code error;
    environment.temporaryFolder = fs::temp_directory_path(error);
    return environment;
}

std::optional<fs::path> UpdateManager::Environment::installFolderOf(const fs::path& programPath)
{
    // The program is libexec/moorlet/moorlet-app inside the folder (Moorlet/App/CMakeLists.txt).
    const auto folder = programPath.parent_path().parent_path().parent_path();
    if (folder.empty() || !UpdateArchive::isBundle(folder))
        return std::nullopt;
    return folder;
}

bool UpdateManager::Environment::mayReplace(const fs::path& folder)
{
    std::error_code error;
    const auto real = fs::weakly_canonical(folder, error);
    if (error || real.empty() || !real.has_parent_path() || real == real.root_path())
        return false;
    // A system package belongs to the package manager, whatever the user's rights.
    const auto first = *std::next(real.begin());
    if (first == "usr")
        return false;
    return ::access(real.c_str(), W_OK) == 0 && ::access(real.parent_path().c_str(), W_OK) == 0;
}

UpdateManager::UpdateManager(QString currentVersion, veltrane::UserDefaultsPtr defaults, Environment environment,
    QObject* parent)
    : QObject(parent)
    , m_currentVersion(currentVersion.isEmpty() ? QStringLiteral("0.0.0") : std::move(currentVersion))
    , m_defaults(std::move(defaults))
    , m_environment(std::move(environment))
    , m_network(std::make_unique<QNetworkAccessManager>())
{
}

UpdateManager::~UpdateManager() = default;

void UpdateManager::setAutoInstall(bool autoInstall)
{
    if (m_autoInstall == autoInstall)
        return;
    m_autoInstall = autoInstall;
    emit autoInstallChanged();
}

bool UpdateManager::updatesItself() const
{
    return !m_environment.publicKey.isEmpty() && !m_environment.origin.isEmpty()
        && (!m_environment.installFolder || m_environment.installWritable);
}

QUrl UpdateManager::appcastURL() const
{
    const auto& origin = m_environment.originOverride.isEmpty() ? m_environment.origin : m_environment.originOverride;
    return QUrl(origin + QLatin1String(kAppcastPath));
}

void UpdateManager::startPeriodicChecks(std::chrono::seconds interval)
{
    m_timer.reset();
    if (!updatesItself())
        return;
    check(false);
    m_timer = std::make_unique<QTimer>();
    m_timer->setTimerType(Qt::VeryCoarseTimer);
    m_timer->setInterval(interval);
    connect(m_timer.get(), &QTimer::timeout, this, [this] { check(false); });
    m_timer->start();
}

void UpdateManager::check(bool userInitiated)
{
    if (!updatesItself() || m_phase.kind == Phase::Kind::checking || m_phase.kind == Phase::Kind::downloading)
        return;
    setPhase({ Phase::Kind::checking, {} });
    QNetworkRequest request(appcastURL());
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(int(m_environment.feedTimeout.count()));
    auto* reply = m_network->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, userInitiated] {
        reply->deleteLater();
        finishCheck(reply, userInitiated);
    });
}

void UpdateManager::finishCheck(QNetworkReply* reply, bool userInitiated)
{
    const auto result = reply->error() == QNetworkReply::NoError
        ? UpdateFeed::read(reply->readAll().toStdString(), m_environment.publicKey.toStdString())
        : UpdateFeed::Result(UpdateError::unreachable);
    if (const auto* error = std::get_if<UpdateError>(&result)) {
        // Nobody asked for a background check, so nobody is told that it failed.
        setPhase(userInitiated ? Phase::failed(message(*error)) : Phase {});
        return;
    }
    const auto& info = std::get<UpdateInfo>(result);
    if (!isNewer(text(info.version), m_currentVersion)) {
        setAvailable(std::nullopt);
        setPhase({ Phase::Kind::upToDate, {} });
        return;
    }
    setAvailable(info);
    setPhase({ Phase::Kind::available, {} });
    notifyOncePerVersion(text(info.version));
    if (m_autoInstall)
        downloadAndStage();
}

void UpdateManager::downloadAndStage()
{
    if (!m_available || m_phase.kind == Phase::Kind::downloading)
        return;
    const QUrl url(text(m_available->url), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative())
        return;
    setPhase({ Phase::Kind::downloading, {} });
    const auto folder = makePrivateFolder(m_environment.temporaryFolder);
    if (!folder) {
        fail(UpdateError::unreachable);
        return;
    }
    auto download = std::make_shared<Download>();
    download->folder = *folder;
    download->file.open(*folder / "package", std::ios::binary);
    crypto_hash_sha256_init(&download->hash);

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    // Qt's transfer time-out counts from the last byte received, so a slow but moving download
    // goes on while a stalled one ends.
    request.setTransferTimeout(int(m_environment.downloadStallTimeout.count()));
    auto* reply = m_network->get(request);
    connect(reply, &QIODevice::readyRead, this, [reply, download] {
        const auto bytes = reply->readAll();
        download->size += std::uint64_t(bytes.size());
        if (download->size > UpdateArchive::kDefaultSizeLimit) {
            reply->abort();
            return;
        }
        crypto_hash_sha256_update(&download->hash, reinterpret_cast<const unsigned char*>(bytes.constData()),
            std::uint64_t(bytes.size()));
        download->file.write(bytes.constData(), bytes.size());
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, download] {
        reply->deleteLater();
        download->file.close();
        std::error_code error;
        if (reply->error() != QNetworkReply::NoError || !download->file) {
            fs::remove_all(download->folder, error);
            fail(UpdateError::unreachable);
            return;
        }
        unsigned char digest[crypto_hash_sha256_BYTES];
        crypto_hash_sha256_final(&download->hash, digest);
        if (text(UpdateFeed::hex(digest, sizeof digest)) != text(m_available->sha256).toLower()) {
            fs::remove_all(download->folder, error);
            fail(UpdateError::checksumMismatch);
            return;
        }
        stage(download->folder);
    });
}

void UpdateManager::stage(const fs::path& folder)
{
    // Unpacking a large package takes a while; the window stays responsive meanwhile.
    auto* watcher = new QFutureWatcher<std::optional<fs::path>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        watcher->deleteLater();
        finishStaging(watcher->result());
    });
    watcher->setFuture(QtConcurrent::run([folder]() -> std::optional<fs::path> {
        const auto unpacked = folder / "unpacked";
        std::error_code error;
        fs::create_directory(unpacked, error);
        const bool ok = !error && UpdateArchive::unpack(folder / "package", unpacked);
        fs::remove(folder / "package", error);
        return ok ? UpdateArchive::findBundle(unpacked) : std::nullopt;
    }));
}

void UpdateManager::finishStaging(const std::optional<fs::path>& bundle)
{
    if (!bundle) {
        fail(UpdateError::badArchive);
        return;
    }
    m_stagedAppURL = bundle;
    setPhase({ Phase::Kind::readyToInstall, {} });
    if (onUpdateReady && m_available)
        onUpdateReady(text(m_available->version));
    if (std::exchange(m_installWhenStaged, false))
        installAndRelaunch();
}

void UpdateManager::installAndRelaunch()
{
    if (!m_stagedAppURL)
        return;
    if (!m_environment.installFolder || !m_environment.installWritable) {
        setPhase(Phase::failed(QString::fromLatin1(kNotInstalledMessage)));
        return;
    }
    if (!UpdateInstaller::start(m_environment.processId, *m_environment.installFolder, *m_stagedAppURL)) {
        setPhase(Phase::failed(QString::fromLatin1(kInstallerMessage)));
        return;
    }
    if (m_environment.quit)
        m_environment.quit();
}

void UpdateManager::downloadInstallAndRelaunch()
{
    if (m_stagedAppURL) {
        installAndRelaunch();
        return;
    }
    m_installWhenStaged = true;
    downloadAndStage();
    if (m_phase.kind != Phase::Kind::downloading)
        m_installWhenStaged = false;
}

bool UpdateManager::isNewer(const QString& a, const QString& than)
{
    return UpdateFeed::isNewer(a.toStdString(), than.toStdString());
}

void UpdateManager::notifyOncePerVersion(const QString& version)
{
    const auto key = std::string(kLastNotifiedKey);
    if (m_defaults && m_defaults->string(key) == version.toStdString())
        return;
    if (m_defaults)
        m_defaults->setString(key, version.toStdString());
    if (onUpdateAvailable)
        onUpdateAvailable(version);
}

QString UpdateManager::message(UpdateError error)
{
    switch (error) {
    case UpdateError::badManifest:
        return QStringLiteral("The update feed couldn't be verified.");
    case UpdateError::checksumMismatch:
        return QStringLiteral("The download didn't match its checksum, so it was discarded.");
    case UpdateError::badArchive:
        return QStringLiteral("The update package was malformed.");
    case UpdateError::unreachable:
        break;
    }
    return QStringLiteral("Couldn't reach the update server.");
}

void UpdateManager::setPhase(Phase phase)
{
    if (m_phase == phase)
        return;
    m_phase = std::move(phase);
    emit phaseChanged();
}

void UpdateManager::setAvailable(std::optional<UpdateInfo> available)
{
    if (m_available == available)
        return;
    m_available = std::move(available);
    emit availableChanged();
}

void UpdateManager::fail(UpdateError error)
{
    m_installWhenStaged = false;
    setPhase(Phase::failed(message(error)));
}

} // namespace moorlet
