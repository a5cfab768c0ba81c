#include "tools/UpdateFeed/UpdateFeedCommand.h"

#include "tests/VeltraneKit/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace moorlet::release;
namespace fs = std::filesystem;

namespace {

struct Run {
    int status;
    std::string out;
    std::string error;
};

Run run(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream error;
    const int status = runUpdateFeed(arguments, out, error);
    return { status, out.str(), error.str() };
}

using veltrane::testing::readBytes;
using veltrane::testing::writeBytes;

} // namespace

// One release as publish.sh makes it, then each kind of damage verify and sign must refuse.
TEST(UpdateFeedCommandTest, SignedFeedsVerifyAndDamageIsRefused)
{
    const testsupport::TemporaryFolder folder;
    const fs::path root = folder.stdPath();
    ASSERT_EQ(run({ "keygen", (root / "keys").string() }).status, 0);
    const auto secret = (root / "keys" / kSecretKeyFileName).string();
    EXPECT_EQ(fs::status(secret).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    const auto publicKey = readBytes(root / "keys" / kPublicKeyFileName).substr(0, 44);
    const auto archive = (root / "update.tar.gz").string();
    writeBytes(archive, "the archive's bytes");
    const auto feed = (root / "appcast").string();
    ASSERT_EQ(run({ "sign", "--secret-key", secret, "--version", "1.2.0", "--url", "https://example.org/u.tar.gz",
                  "--archive", archive, "--notes", "Fixes.", "--out", feed })
                  .status,
        0);
    const auto signedFeed = readBytes(feed);
    const auto accepted = run({ "verify", "--public-key", publicKey, feed, "--archive", archive });
    EXPECT_EQ(accepted.status, 0) << accepted.error;
    EXPECT_NE(accepted.out.find("\"notes\": \"Fixes.\""), std::string::npos) << accepted.out;

    auto flipped = signedFeed;
    flipped[flipped.find("\"ey") + 1] = 'f'; // still Base64, now another payload
    writeBytes(root / "flipped", flipped);
    writeBytes(root / "tampered.tar.gz", "the archive's bytez");
    using Case = std::pair<std::vector<std::string>, std::string>;
    for (const auto& [arguments, message] : std::vector<Case> {
             { { "keygen", (root / "keys").string() }, "already exists" },
             { { "verify", "--public-key", publicKey, (root / "flipped").string() }, "does not match" },
             { { "verify", "--public-key", publicKey, feed, "--archive", (root / "tampered.tar.gz").string() },
                 "SHA-256" },
             { { "verify", "--public-key", "c2hvcnQ=", feed }, "44 characters" },
             { { "verify", "--public-key", publicKey, archive }, "not a JSON object" },
             { { "sign", "--secret-key", secret, "--version", "1.3", "--url", "https://example.org/u.tar.gz",
                   "--archive", (root / "missing.tar.gz").string() },
                 "is not a file" },
         }) {
        const auto result = run(arguments);
        EXPECT_EQ(result.status, 1) << arguments[0] << " " << arguments[1] << ": " << result.error;
        EXPECT_NE(result.error.find(message), std::string::npos) << result.error;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
    EXPECT_EQ(readBytes(feed), signedFeed);
}
