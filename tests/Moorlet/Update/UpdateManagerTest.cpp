// The update manager against a real HTTP server on 127.0.0.1: the feed's verification, the
// download's checks, the staging and the installer that swaps the program folder; and the
// unpacker's refusal of anything that would land outside its folder.
#include "Moorlet/Update/UpdateArchive.h"
#include "Moorlet/Update/UpdateManager.h"

#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "tests/Moorlet/TestFiles.h"
#include "tests/Moorlet/Update/UpdateTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QCryptographicHash>
#include <QProcess>

#include <gtest/gtest.h>

#include <fstream>

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
        // Long enough for a loaded machine to answer from 127.0.0.1, short for the cases that wait.
        environment.feedTimeout = environment.downloadStallTimeout = std::chrono::seconds(2);
        environment.temporaryFolder = temporary.stdPath();
        return environment;
    }
    // Serves the package (an empty one never comes) and a feed that offers it with its checksum
    // (or `sha256`).
    void offer(const QByteArray& package, QByteArray sha256 = {})
    {
        if (sha256.isEmpty())
            sha256 = QCryptographicHash::hash(package, QCryptographicHash::Sha256).toHex();
        server.routes["/package"] = { package.isEmpty() ? 0 : 200, package };
        server.routes["/api/appcast"] = { 200, key.feed(manifest(server.url("/package").toUtf8(), sha256)) };
    }
    // A manager of version 0.1.0 that has checked and settled.
    std::unique_ptr<UpdateManager> manager(UpdateManager::Environment environment, bool userInitiated = true,
        const std::function<void(UpdateManager&)>& setUp = {})
    {
        auto updates = std::make_unique<UpdateManager>(QStringLiteral("0.1.0"), defaults, std::move(environment));
        if (setUp)
            setUp(*updates);
        updates->check(userInitiated);
        EXPECT_TRUE(testsupport::waitUntil([&] {
            const auto kind = updates->phase().kind;
            return kind != Kind::checking && kind != Kind::downloading;
        }));
        return updates;
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
        { "no dot", 200, R"({"manifest":")" + token.split('.')[0] + "\"}", kUnverified },
        { "three parts", 200, R"({"manifest":")" + token + ".QUFB\"}", kUnverified },
        { "feed that is not JSON", 200, "<html>", kUnreachable },
        { "server error", 500, key.feed(good), kUnreachable },
        { "no answer", 0, {}, kUnreachable },
    };
    for (const auto& row : cases) {
        for (const bool userInitiated : { true, false }) {
            SCOPED_TRACE(std::string(row.name) + (userInitiated ? " (asked)" : " (periodic)"));
            server.routes["/api/appcast"] = { row.status, row.body };
            const auto updates = manager(environment(), userInitiated);
            EXPECT_EQ(updates->phase(), userInitiated ? UpdateManager::Phase::failed(row.message) : UpdateManager::Phase {});
        }
    }
}

TEST_F(UpdateManagerTest, DownloadsAreStagedOnlyWhenTheyMatchAndHoldAProgram)
{
    const auto good = pack(bundle("moorlet-0.2.0", "0.2.0"));
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
        { "program not executable", pack({ { "moorlet/bin/moorlet", AE_IFREG, "#!/bin/sh\n" } }), {}, UpdateManager::Phase::failed(kMalformed) },
        { "not an archive", "garbage", {}, UpdateManager::Phase::failed(kMalformed) },
        { "download that stalls", {}, "00", UpdateManager::Phase::failed(kUnreachable) },
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        offer(row.package, row.sha256);
        QStringList ready;
        const auto updates = manager(environment(), true,
            [&](UpdateManager& updates) { updates.onUpdateReady = [&](const QString& version) { ready << version; }; });
        EXPECT_EQ(updates->phase(), row.phase);
        EXPECT_EQ(ready.size(), row.phase.kind == Kind::readyToInstall ? 1 : 0);
        EXPECT_TRUE(row.phase.kind != Kind::readyToInstall || fs::exists(*updates->stagedAppURL() / "bin/moorlet"));
    }
}

TEST_F(UpdateManagerTest, ANewVersionIsAnnouncedOnceAcrossManagersSharingAStore)
{
    offer("x");
    QStringList announced;
    for (int launch = 0; launch < 2; ++launch) {
        const auto updates = manager(environment(), false, [&](UpdateManager& updates) {
            updates.setAutoInstall(false);
            updates.onUpdateAvailable = [&](const QString& version) { announced << version; };
            // A check asked for while one is under way is ignored.
            updates.check(true);
        });
        EXPECT_EQ(updates->phase().kind, Kind::available);
    }
    EXPECT_EQ(announced, QStringList { "0.2.0" });
    EXPECT_EQ(server.requests, 2);
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
        const auto updates = manager(setup, true, [](UpdateManager& updates) { updates.startPeriodicChecks(std::chrono::hours(6)); });
        EXPECT_FALSE(updates->updatesItself());
        EXPECT_FALSE(updates->hasPeriodicChecks());
    }
    testsupport::processEvents();
    EXPECT_EQ(server.requests, 0);
    // A folder that exists, and that root could write to: the package manager's all the same.
    EXPECT_FALSE(UpdateManager::Environment::mayReplace("/usr/lib"));
}

TEST(UpdateVersionTest, ComparesDottedNumbersPieceByPiece)
{
    const struct {
        const char *a, *b;
        bool newer;
    } cases[] = { { "1.10", "1.9", true }, { "1.2", "1.2.0", false }, { "1.2.1", "1.2", true }, { "2.0", "2", false },
        { "1.x.1", "1.0", true }, { "1..3", "1.3", false }, { "0.9", "0.10", false } };
    for (const auto& row : cases)
        EXPECT_EQ(UpdateManager::isNewer(row.a, row.b), row.newer) << row.a << " vs " << row.b;
}

// Installing: the folder is swapped in once the program it waits for has ended and the new version
// starts, or else the old one does; a path full of shell syntax stays a path.
TEST_F(UpdateManagerTest, InstallsIntoAnyPathAndKeepsTheOldVersionWhenTheCopyFails)
{
    for (const bool stagedFolderGone : { false, true }) {
        SCOPED_TRACE(stagedFolderGone ? "staged folder gone" : "good");
        const testsupport::TemporaryFolder parent;
        const auto install = fs::path(parent.stdPath()) / "my 'apps\" $(touch X) `touch Y`\nmoorlet";
        const auto path = [&](const char* name) { return QFile::decodeName((install / name).c_str()); };
        veltrane::testing::writeBytes(path("bin/moorlet"), QByteArray::fromStdString(bundle("", "0.1.0")[0].data));
        fs::permissions(install / "bin/moorlet", fs::perms::owner_all);
        // The folder the running program lies in is the one updated, and only with bin/moorlet in it.
        EXPECT_EQ(UpdateManager::Environment::installFolderOf(install / "libexec/moorlet/moorlet-app"), install);
        EXPECT_FALSE(UpdateManager::Environment::installFolderOf(install / "libexec/moorlet-app"));
        offer(pack(bundle("moorlet-0.2.0", "0.2.0")));
        QProcess waited;
        waited.start(QStringLiteral("sleep"), { QStringLiteral("600") });
        ASSERT_TRUE(waited.waitForStarted());
        auto setup = environment();
        setup.installFolder = install;
        setup.installWritable = true;
        setup.processId = waited.processId();
        setup.quit = [&] { waited.kill(); };
        const auto updates = manager(setup);
        ASSERT_EQ(updates->phase().kind, Kind::readyToInstall);
        if (stagedFolderGone)
            fs::remove_all(*updates->stagedAppURL());
        updates->installAndRelaunch();
        ASSERT_TRUE(testsupport::waitUntil([&] { return !veltrane::testing::readBytes(path("ran")).isEmpty(); }));
        const QString version = stagedFolderGone ? "0.1.0" : "0.2.0";
        EXPECT_EQ(veltrane::testing::readBytes(path("ran")).trimmed(), version);
        EXPECT_EQ(testfiles::run(path("bin/moorlet"), { "--version" }).out.trimmed(), "moorlet " + version);
        EXPECT_FALSE(QFile::exists("X") || QFile::exists("Y") || fs::exists(install.parent_path() / "X"));
        // The copy and the old folder are gone: only the install folder is left.
        EXPECT_EQ(std::distance(fs::directory_iterator(install.parent_path()), {}), 1);
    }
}

TEST(UpdateArchiveTest, RefusesEntriesThatLeaveTheFolderAndPackagesPastTheLimit)
{
    constexpr std::size_t kLimit = 4096;
    const struct {
        const char* name;
        std::vector<Entry> entries;
    } cases[] = {
        { "dot-dot path", { { "moorlet/../../outside", AE_IFREG, "x" } } },
        { "absolute path", { { "/OUTSIDE/outside", AE_IFREG, "x" } } },
        { "link out, then a file through it", { { "moorlet/up", AE_IFLNK, {}, 0777, "../.." }, { "moorlet/up/outside", AE_IFREG, "x" } } },
        { "link one folder out", { { "moorlet/up", AE_IFLNK, {}, 0777, "../.." } } },
        { "absolute link", { { "moorlet/etc", AE_IFLNK, {}, 0777, "/" } } },
        { "hard link to a file outside", { { "moorlet/hard", AE_IFREG, {}, 0644, "../outside", true } } },
        { "device", { { "moorlet/null", AE_IFCHR } } },
        { "fifo", { { "moorlet/pipe", AE_IFIFO } } },
        { "a good file before a bad one", { { "moorlet/bin/moorlet", AE_IFREG, "#!/bin/sh\n", 0755 }, { "../outside", AE_IFREG, "x" } } },
        { "past the size limit", { { "moorlet/bomb", AE_IFREG, std::string(kLimit + 1, '0') } } },
    };
    testsupport::TemporaryFolder temporary;
    const fs::path root = temporary.stdPath();
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const auto folder = root / "a" / "b" / "stage";
        fs::create_directories(folder);
        std::ofstream(root / "package", std::ios::binary) << pack(row.entries).toStdString();
        EXPECT_FALSE(UpdateArchive::unpack(root / "package", folder, kLimit));
        EXPECT_TRUE(fs::is_empty(folder));
        EXPECT_FALSE(fs::exists(root / "a" / "outside") || fs::exists(root / "outside") || fs::exists("/OUTSIDE"));
    }
}

} // namespace
} // namespace moorlet
