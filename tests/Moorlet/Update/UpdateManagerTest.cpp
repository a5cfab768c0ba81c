// The update manager against a real HTTP server on 127.0.0.1: the feed's verification, the
// download's checks, the staging and the installer that swaps the program folder.
#include "Moorlet/Update/UpdateManager.h"

#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "tests/Moorlet/TestFiles.h"
#include "tests/Moorlet/Update/UpdateTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QCryptographicHash>
#include <QProcess>

#include <gtest/gtest.h>

namespace moorlet {
namespace {

using namespace updatetest;
using Kind = UpdateManager::Phase::Kind;
namespace fs = std::filesystem;

const QString kUnverified = QStringLiteral("The update feed couldn't be verified.");
const QString kUnreachable = QStringLiteral("Couldn't reach the update server.");
const QString kMalformed = QStringLiteral("The update package was malformed.");

QByteArray manifest(const QByteArray& url, const QByteArray& sha256, const QByteArray& kind = "update")
{
    return R"({"v":1,"kind":")" + kind + R"(","version":"0.2.0","url":")" + url + R"(","sha256":")" + sha256 + R"("})";
}

class UpdateManagerTest : public ::testing::Test {
protected:
    UpdateManager::Environment environment()
    {
        UpdateManager::Environment environment;
        environment.publicKey = key.publicBase64();
        environment.origin = QStringLiteral("https://updates.invalid");
        environment.originOverride = server.url("");
        environment.feedTimeout = environment.downloadStallTimeout = std::chrono::milliseconds(300);
        environment.temporaryFolder = temporary.stdPath();
        return environment;
    }
    // Serves the package and a feed that offers it with its checksum (or `sha256`).
    void offer(const QByteArray& package, QByteArray sha256 = {})
    {
        if (sha256.isEmpty())
            sha256 = QCryptographicHash::hash(package, QCryptographicHash::Sha256).toHex();
        server.routes["/package"] = { 200, package };
        server.routes["/api/appcast"] = { 200, key.feed(manifest(server.url("/package").toUtf8(), sha256)) };
    }
    std::unique_ptr<UpdateManager> manager(UpdateManager::Environment environment)
    {
        return std::make_unique<UpdateManager>(QStringLiteral("0.1.0"), defaults, std::move(environment));
    }
    static bool settle(const UpdateManager& updates)
    {
        return testsupport::waitUntil([&] {
            const auto kind = updates.phase().kind;
            return kind != Kind::checking && kind != Kind::downloading;
        });
    }

    HttpServer server;
    SigningKey key;
    testsupport::TemporaryFolder temporary;
    std::shared_ptr<veltrane::MemoryUserDefaults> defaults = std::make_shared<veltrane::MemoryUserDefaults>();
};

TEST_F(UpdateManagerTest, FeedsThatFailGiveTheirSentenceOnlyWhenTheUserAsked)
{
    const SigningKey other;
    const auto good = manifest("https://x/p", "00");
    const auto token = key.token(good);
    const struct {
        const char* name;
        int status;
        QByteArray body;
        QString message;
    } cases[] = {
        { "signed by another key", 200, other.feed(good), kUnverified },
        { "another kind", 200, key.feed(manifest("https://x/p", "00", "note")), kUnverified },
        { "payload not Base64", 200, R"({"manifest":"@@@@.)" + token.split('.')[1] + "\"}", kUnverified },
        { "no dot", 200, R"({"manifest":")" + token.split('.')[0] + "\"}", kUnverified },
        { "three parts", 200, R"({"manifest":")" + token + ".QUFB\"}", kUnverified },
        { "signed payload that is not JSON", 200, key.feed("not json"), kUnreachable },
        { "feed that is not JSON", 200, "<html>", kUnreachable },
        { "server error", 500, key.feed(good), kUnreachable },
        { "no answer", 0, {}, kUnreachable },
    };
    for (const auto& row : cases) {
        for (const bool userInitiated : { true, false }) {
            SCOPED_TRACE(std::string(row.name) + (userInitiated ? " (asked)" : " (periodic)"));
            server.routes["/api/appcast"] = { row.status, row.body };
            auto updates = manager(environment());
            updates->check(userInitiated);
            ASSERT_TRUE(settle(*updates));
            EXPECT_EQ(updates->phase(), userInitiated ? UpdateManager::Phase::failed(row.message) : UpdateManager::Phase {});
        }
    }
}

TEST_F(UpdateManagerTest, DownloadsAreStagedOnlyWhenTheyMatchAndHoldAProgram)
{
    const auto good = pack(bundle("moorlet-0.2.0", "0.2.0"));
    auto notExecutable = bundle("moorlet", "0.2.0");
    notExecutable[0].mode = 0644;
    const struct {
        const char* name;
        QByteArray package;
        QByteArray sha256;
        UpdateManager::Phase phase;
    } cases[] = {
        { "good, checksum in capitals", good,
            QCryptographicHash::hash(good, QCryptographicHash::Sha256).toHex().toUpper(), { Kind::readyToInstall, {} } },
        { "good zip", pack(bundle("moorlet", "0.2.0"), true), {}, { Kind::readyToInstall, {} } },
        { "checksum mismatch", good, QByteArray(64, 'a'),
            UpdateManager::Phase::failed(QStringLiteral("The download didn't match its checksum, so it was discarded.")) },
        { "no program", pack({ { "moorlet/README", AE_IFREG, "hi" } }), {}, UpdateManager::Phase::failed(kMalformed) },
        { "program not executable", pack(notExecutable), {}, UpdateManager::Phase::failed(kMalformed) },
        { "not an archive", "garbage", {}, UpdateManager::Phase::failed(kMalformed) },
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        offer(row.package, row.sha256);
        auto updates = manager(environment());
        QStringList ready;
        updates->onUpdateReady = [&](const QString& version) { ready << version; };
        updates->check(true);
        ASSERT_TRUE(settle(*updates));
        EXPECT_EQ(updates->phase(), row.phase);
        EXPECT_EQ(ready.size(), row.phase.kind == Kind::readyToInstall ? 1 : 0);
        if (row.phase.kind == Kind::readyToInstall) {
            EXPECT_TRUE(fs::exists(*updates->stagedAppURL() / "bin/moorlet"));
            EXPECT_TRUE(updates->stagedAppURL()->string().starts_with(temporary.stdPath()));
        }
    }
}

TEST_F(UpdateManagerTest, AStalledDownloadEndsAsUnreachable)
{
    offer("x");
    server.routes["/package"] = { 0, {} };
    auto updates = manager(environment());
    updates->check(false);
    ASSERT_TRUE(settle(*updates));
    EXPECT_EQ(updates->phase(), UpdateManager::Phase::failed(kUnreachable));
}

TEST_F(UpdateManagerTest, ANewVersionIsAnnouncedOnceAcrossManagersSharingAStore)
{
    offer("x");
    QStringList announced;
    for (int launch = 0; launch < 2; ++launch) {
        auto updates = manager(environment());
        updates->setAutoInstall(false);
        updates->onUpdateAvailable = [&](const QString& version) { announced << version; };
        updates->check(false);
        ASSERT_TRUE(settle(*updates));
        EXPECT_EQ(updates->phase().kind, Kind::available);
    }
    EXPECT_EQ(announced, QStringList { "0.2.0" });
}

TEST_F(UpdateManagerTest, BuildsAndInstallsThatDoNotUpdateThemselvesNeverFetch)
{
    offer("x");
    auto noKey = environment();
    noKey.publicKey.clear();
    auto systemPackage = environment();
    systemPackage.installFolder = temporary.stdPath();
    systemPackage.installWritable = false;
    for (auto& setup : { noKey, systemPackage }) {
        auto updates = manager(setup);
        updates->startPeriodicChecks(std::chrono::hours(6));
        updates->check(true);
        EXPECT_FALSE(updates->updatesItself());
        EXPECT_FALSE(updates->hasPeriodicChecks());
    }
    testsupport::processEvents();
    EXPECT_EQ(server.requests, 0);
    EXPECT_FALSE(UpdateManager::Environment::mayReplace("/usr/lib/moorlet"));
}

TEST(UpdateVersionTest, ComparesDottedNumbersPieceByPiece)
{
    const struct {
        const char* a;
        const char* b;
        bool newer;
    } cases[] = {
        { "1.10", "1.9", true }, { "1.2", "1.2.0", false }, { "1.2.1", "1.2", true }, { "2.0", "2", false },
        { "1.x.1", "1.0", true }, { "1..3", "1.3", false }, { "0.9", "0.10", false },
    };
    for (const auto& row : cases)
        EXPECT_EQ(UpdateManager::isNewer(row.a, row.b), row.newer) << row.a << " vs " << row.b;
}

// Installing: the folder is swapped in once the program it waits for has ended, and the new
// version is started; a path full of shell syntax stays a path.
class UpdateInstallTest : public UpdateManagerTest {
protected:
    void SetUp() override
    {
        install = fs::path(temporary.stdPath()) / "my 'apps\" $(touch X) `touch Y`\nmoorlet";
        const auto old = bundle("", "0.1.0");
        testfiles::writeFile(QFile::decodeName((install / "bin/moorlet").c_str()), QByteArray::fromStdString(old[0].data));
        fs::permissions(install / "bin/moorlet", fs::perms::owner_all);
        offer(pack(bundle("moorlet-0.2.0", "0.2.0")));
        waited.start(QStringLiteral("sleep"), { QStringLiteral("600") });
        ASSERT_TRUE(waited.waitForStarted());
    }
    std::unique_ptr<UpdateManager> stagedManager()
    {
        auto setup = environment();
        setup.installFolder = install;
        setup.installWritable = true;
        setup.processId = waited.processId();
        setup.quit = [this] { waited.kill(); };
        auto updates = manager(setup);
        updates->check(true);
        EXPECT_TRUE(settle(*updates));
        EXPECT_EQ(updates->phase().kind, Kind::readyToInstall);
        return updates;
    }
    QString ran() { return testfiles::readFile(QFile::decodeName((install / "ran").c_str())).trimmed(); }

    fs::path install;
    QProcess waited;
};

TEST_F(UpdateInstallTest, SwapsTheFolderAfterTheProgramEndsAndStartsTheNewVersion)
{
    auto updates = stagedManager();
    updates->installAndRelaunch();
    ASSERT_TRUE(testsupport::waitUntil([&] { return !ran().isEmpty(); }));
    EXPECT_EQ(ran(), "0.2.0");
    const auto version = testfiles::run(QFile::decodeName((install / "bin/moorlet").c_str()), { "--version" });
    EXPECT_EQ(version.out.trimmed(), "moorlet 0.2.0");
    EXPECT_FALSE(QFile::exists("X") || QFile::exists("Y") || fs::exists(install.parent_path() / "X"));
    // Beside the install folder only the download's private folder is left: the copy and the old
    // folder are gone.
    EXPECT_EQ(std::distance(fs::directory_iterator(install.parent_path()), {}), 2);
}

TEST_F(UpdateInstallTest, AFailedCopyKeepsTheOldVersionRunnable)
{
    auto updates = stagedManager();
    fs::remove_all(*updates->stagedAppURL());
    updates->installAndRelaunch();
    ASSERT_TRUE(testsupport::waitUntil([&] { return !ran().isEmpty(); }));
    EXPECT_EQ(ran(), "0.1.0");
}

TEST_F(UpdateManagerTest, RunningOutsideAnInstalledFolderRefusesToInstall)
{
    offer(pack(bundle("moorlet", "0.2.0")));
    auto updates = manager(environment());
    updates->check(true);
    ASSERT_TRUE(settle(*updates));
    updates->installAndRelaunch();
    EXPECT_EQ(updates->phase(), UpdateManager::Phase::failed(QStringLiteral("Updates only apply to the installed app folder.")));
}

} // namespace
} // namespace moorlet
