#include "VeltraneKit/Settings/FileUserDefaults.h"

#include "tests/VeltraneKit/ScopedEnvironment.h"
#include "tests/VeltraneKit/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <nlohmann/json.hpp>

using namespace veltrane;
using nlohmann::json;
namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;

using veltrane::testing::readBytes;
using veltrane::testing::writeBytes;

Strings folderNames(const fs::path& folder)
{
    Strings names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class FileUserDefaultsTest : public ::testing::Test {
protected:
    fs::path folder() const { return fs::path(m_temporary.stdPath()) / "Moorlet"; }
    fs::path file() const { return folder() / "defaults.json"; }
    fs::path aside(int number) const { return folder() / ("defaults.json.unreadable-" + std::to_string(number)); }

private:
    testsupport::TemporaryFolder m_temporary;
};

TEST_F(FileUserDefaultsTest, ValuesSurviveARestart)
{
    std::map<std::string, json> written;
    {
        FileUserDefaults defaults(file());
        // Nothing is written before the first change; the folder comes with it.
        EXPECT_FALSE(fs::exists(folder()));
        defaults.setNumber("goal", 90);
        defaults.setString("goalText", "90");
        defaults.setBoolean("flag", true);
        defaults.setStringList("subjects", { "Study", "Wörk" });
        defaults.setValue("origin", json::object({ { "x", 10.5 }, { "y", -2 } }));
        defaults.setString("gone", "soon");
        defaults.removeValue("gone");
        EXPECT_FALSE(defaults.hasUnsavedChanges());
        for (const auto& key : defaults.keys())
            written[key] = *defaults.value(key);
    }
    FileUserDefaults reloaded(file());
    EXPECT_FALSE(reloaded.movedAsidePath());
    EXPECT_EQ(reloaded.keys(), (Strings { "flag", "goal", "goalText", "origin", "subjects" }));
    for (const auto& [key, value] : written)
        EXPECT_EQ(reloaded.value(key), value) << key;
    // A number's text stays text, and a boolean no number, on the way back.
    EXPECT_FALSE(reloaded.number("goalText"));
    EXPECT_FALSE(reloaded.number("flag"));
}

TEST_F(FileUserDefaultsTest, WritesReplaceTheFileWholeAndOnlyOnARealChange)
{
    FileUserDefaults defaults(file());
    for (int step = 0; step < 20; ++step)
        defaults.setInteger("step", step);
    EXPECT_EQ(folderNames(folder()), Strings { "defaults.json" });
    EXPECT_EQ(json::parse(readBytes(file())), json::object({ { "step", 19 } }));

    // Every write renames a new file into place, so an unchanged inode means no write.
    const auto inode = [&] {
        struct stat status { };
        EXPECT_EQ(::stat(file().c_str(), &status), 0);
        return status.st_ino;
    };
    const auto before = inode();
    defaults.setInteger("step", 19);
    defaults.removeValue("absent");
    EXPECT_EQ(inode(), before);
    defaults.setInteger("step", 20);
    EXPECT_NE(inode(), before);
}

std::string deeplyNested(int depth)
{
    return "{\"a\":" + std::string(static_cast<std::size_t>(depth), '[')
        + std::string(static_cast<std::size_t>(depth), ']') + "}";
}

TEST_F(FileUserDefaultsTest, ContentThatIsNoJsonObjectIsMovedAsideUntouchedAndTheStoreStartsEmpty)
{
    for (const auto& bytes : { std::string(), std::string("com.veltrane.widgetOpacity = 0.5"),
             std::string(R"([{"a": 1}])"), std::string("{\"a\": \"\xff\xfe\"}"),
             std::string(R"({"a": 1e999})"), deeplyNested(1'000'000) }) {
        SCOPED_TRACE(bytes.substr(0, 40));
        fs::remove_all(folder());
        writeBytes(file(), bytes);
        FileUserDefaults defaults(file());
        EXPECT_TRUE(defaults.keys().empty());
        EXPECT_EQ(defaults.movedAsidePath(), aside(1));
        EXPECT_EQ(readBytes(aside(1)), bytes);
        EXPECT_FALSE(fs::exists(file()));

        defaults.setBoolean("fresh", true);
        EXPECT_EQ(readBytes(aside(1)), bytes);
        EXPECT_EQ(FileUserDefaults(file()).boolean("fresh"), true);
    }
}

TEST_F(FileUserDefaultsTest, ATemporaryFileOfAWriteKilledBeforeItsRenameGoesAtStart)
{
    writeBytes(folder() / ".defaults.json.tmp-a1B2c3", "{");
    FileUserDefaults defaults(file());
    EXPECT_EQ(folderNames(folder()), Strings {});
}

TEST_F(FileUserDefaultsTest, AFailedWriteKeepsTheValueUntilTheNextChangeOrTheEnd)
{
    // A regular file where the folder should be: neither the folder nor the file can be made.
    writeBytes(folder(), "in the way");
    {
        FileUserDefaults defaults(file());
        defaults.setString("first", "kept in memory");
        EXPECT_TRUE(defaults.hasUnsavedChanges());
        fs::remove(folder());
        defaults.setString("second", "now written");
        EXPECT_FALSE(defaults.hasUnsavedChanges());
        EXPECT_EQ(FileUserDefaults(file()).keys(), (Strings { "first", "second" }));

        // Failed again, it is retried once more at destruction.
        fs::remove_all(folder());
        writeBytes(folder(), "in the way");
        defaults.setInteger("answer", 42);
        EXPECT_TRUE(defaults.hasUnsavedChanges());
        fs::remove(folder());
    }
    EXPECT_EQ(FileUserDefaults(file()).integer("answer"), 42);
}

// Records which keys the observers were told of, one list per notice.
struct ChangeLog {
    explicit ChangeLog(UserDefaults& defaults)
    {
        defaults.addChangeObserver([this](const Strings& keys) { notices.push_back(keys); });
    }
    std::vector<Strings> notices;
};

TEST_F(FileUserDefaultsTest, AnOutsideEditIsTakenOverOnceItReadsAndSurvivesTheNextChange)
{
    FileUserDefaults defaults(file());
    defaults.setNumber("goal", 90);
    defaults.setString("theme", "ocean");
    defaults.setBoolean("sound", true);
    ChangeLog log(defaults);
    // Our own writes read back as nothing new.
    defaults.reloadFromDisk();
    EXPECT_TRUE(log.notices.empty());

    // The user changes one value, drops another and adds a third, by hand.
    writeBytes(file(), R"({"goal": 45, "sound": true, "streakDays": 3})");
    defaults.reloadFromDisk();
    EXPECT_EQ(log.notices, (std::vector<Strings> { { "goal", "streakDays", "theme" } }));
    EXPECT_EQ(defaults.number("goal"), 45);
    EXPECT_FALSE(defaults.value("theme"));

    // An edit the watcher has not reported yet is merged before the next write, which writes only
    // its own key over it; the key being written is no news to anyone.
    writeBytes(file(), R"({"goal": 30, "sound": "loud", "streakDays": 3})");
    defaults.setString("sound", "soft");
    EXPECT_EQ(log.notices.back(), Strings { "goal" });
    EXPECT_EQ(json::parse(readBytes(file())),
        json::object({ { "goal", 30 }, { "sound", "soft" }, { "streakDays", 3 } }));

    // A broken edit keeps the values until the user fixes it.
    writeBytes(file(), R"({"goal": 60,)");
    defaults.reloadFromDisk();
    EXPECT_EQ(defaults.number("goal"), 30);
    EXPECT_EQ(readBytes(file()), R"({"goal": 60,)");
    writeBytes(file(), R"({"goal": 60, "sound": "soft", "streakDays": 3})");
    defaults.reloadFromDisk();
    EXPECT_EQ(defaults.number("goal"), 60);

    // Broken again when a change has to be saved: the user's file is kept aside, as at start.
    writeBytes(file(), "{ half done");
    defaults.setBoolean("sound", false);
    EXPECT_EQ(readBytes(aside(1)), "{ half done");
    EXPECT_EQ(json::parse(readBytes(file())),
        json::object({ { "goal", 60 }, { "sound", false }, { "streakDays", 3 } }));
}

TEST_F(FileUserDefaultsTest, TheWatcherSeesAReplacedFileAndAnEditInPlace)
{
    FileUserDefaults defaults(file());
    defaults.setNumber("goal", 90);
    ChangeLog log(defaults);

    // As most editors save: a new file renamed over the old one.
    writeBytes(folder() / "edited.json", R"({"goal": 45})");
    fs::rename(folder() / "edited.json", file());
    QTRY_COMPARE_WITH_TIMEOUT(defaults.number("goal"), std::optional<double>(45), 10000);
    // As a shell redirection writes: the same file rewritten.
    writeBytes(file(), R"({"goal": 20})");
    QTRY_COMPARE_WITH_TIMEOUT(defaults.number("goal"), std::optional<double>(20), 10000);
    EXPECT_EQ(log.notices, (std::vector<Strings> { { "goal" }, { "goal" } }));
}

TEST(FileUserDefaultsPathTest, TheDefaultPathFollowsTheBaseDirectorySpecification)
{
    veltrane::testing::ScopedEnvironment home("HOME", "/home/someone");
    veltrane::testing::ScopedEnvironment config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(FileUserDefaults::defaultPath(), "/home/someone/.config/Moorlet/defaults.json");
    config.set("relative/config");
    EXPECT_EQ(FileUserDefaults::defaultPath(), "/home/someone/.config/Moorlet/defaults.json");
    config.set("/custom/config");
    EXPECT_EQ(FileUserDefaults::defaultPath(), "/custom/config/Moorlet/defaults.json");
}

} // namespace
