// Unpacking update packages: anything that would land outside the folder refuses the whole
// package and leaves no trace (packages that stay inside are unpacked in UpdateManagerTest).
#include "Moorlet/Update/UpdateArchive.h"

#include "tests/Moorlet/Update/UpdateTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace moorlet {
namespace {

using namespace updatetest;
namespace fs = std::filesystem;

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
