// Unpacking update packages: what stays inside the folder is written, anything else refuses the
// whole package and leaves no trace outside it.
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

TEST(UpdateArchiveTest, KeepsLinksThatStayInside)
{
    testsupport::TemporaryFolder temporary;
    const fs::path root = temporary.stdPath();
    auto entries = bundle("moorlet", "0.2.0");
    entries.push_back({ "moorlet/share/current", AE_IFLNK, {}, 0777, "../bin/moorlet" });
    entries.push_back({ "moorlet/share/copy", AE_IFREG, {}, 0644, "moorlet/bin/moorlet", true });
    std::ofstream(root / "package", std::ios::binary) << pack(entries).toStdString();
    ASSERT_TRUE(UpdateArchive::unpack(root / "package", root));
    EXPECT_EQ(UpdateArchive::findBundle(root), root / "moorlet");
    EXPECT_EQ(fs::read_symlink(root / "moorlet/share/current"), "../bin/moorlet");
    EXPECT_EQ(fs::hard_link_count(root / "moorlet/share/copy"), 2u);
}

} // namespace
} // namespace moorlet
