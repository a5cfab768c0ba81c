#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/Settings/SettingsStore.h"

#include "tests/VeltraneKit/Settings/SettingsObjectChecks.h"

#include <QSignalSpy>

#include <algorithm>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>


using namespace veltrane;
using nlohmann::json;

namespace {


void expectAllDefaults(const SettingsStore& store)
{
    EXPECT_EQ(store.appearance(), AppearancePreference::system);
    EXPECT_EQ(store.widgetMode(), "auto");
    EXPECT_EQ(store.accentThemeID(), "default");
    EXPECT_FALSE(store.customAccentEnabled());
    EXPECT_EQ(store.customAccentHex(), "5B6CFF");
    EXPECT_EQ(store.widgetOpacity(), 1.0);
    EXPECT_FALSE(store.forceReduceMotion());
    EXPECT_EQ(store.hostMonitorID(), std::nullopt);
    EXPECT_FALSE(store.launchAtLogin());
    EXPECT_EQ(store.masterVolume(), 0.8);
    EXPECT_EQ(store.fadeDuration(), 0.4);
}

TEST(SettingsStoreTest, AnEmptyDatabaseGivesEveryDefaultAndWritesNothing)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    SettingsStore store(defaults);
    expectAllDefaults(store);
    EXPECT_EQ(defaults->writeCount(), 0);
    // A stored integer is a number, and converts to a double.
    defaults->setInteger("com.veltrane.masterVolume", 0);
    EXPECT_EQ(SettingsStore(defaults).masterVolume(), 0.0);
}

TEST(SettingsStoreTest, WrongKindsAndUnknownTextsReadAsDefaultsAndStayInTheDatabase)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    const std::vector<std::pair<std::string, json>> stored {
        { "com.veltrane.appearance", "Dark" },
        { "com.veltrane.widgetMode", 3 },
        { "com.veltrane.accentThemeID", json::array({ "forest" }) },
        // 1 is no bool and true is no number: neither converts.
        { "com.veltrane.customAccentEnabled", 1 },
        { "com.veltrane.customAccentHex", nullptr },
        { "com.veltrane.widgetOpacity", "0.5" },
        { "com.veltrane.forceReduceMotion", "true" },
        { "com.veltrane.hostMonitorID", 42 },
        { "com.veltrane.launchAtLogin", json::object() },
        { "com.veltrane.masterVolume", true },
        { "com.veltrane.fadeDuration", json::array({ 1.0 }) },
    };
    for (const auto& [key, value] : stored)
        defaults->setValue(key, value);
    const int writesBefore = defaults->writeCount();
    SettingsStore store(defaults);
    expectAllDefaults(store);
    EXPECT_EQ(defaults->writeCount(), writesBefore);
    for (const auto& [key, value] : stored)
        EXPECT_EQ(defaults->value(key), value) << key;
}

TEST(SettingsStoreTest, AppearanceReadsOnlyItsExactRawValues)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    for (const auto& [text, expected] : { std::pair { "light", AppearancePreference::light },
             { "dark", AppearancePreference::dark }, { " light", AppearancePreference::system } }) {
        defaults->setString("com.veltrane.appearance", text);
        EXPECT_EQ(SettingsStore(defaults).appearance(), expected) << text;
    }
}

using PropertyCase = settingschecks::PropertyCase<SettingsStore>;

std::vector<PropertyCase> propertyCases()
{
    return {
        { "appearance", [](auto& s) { s.setAppearance(AppearancePreference::light); }, "light" },
        { "widgetMode", [](auto& s) { s.setWidgetMode("top"); }, "top" },
        { "accentThemeID", [](auto& s) { s.setAccentThemeID("ocean"); }, "ocean" },
        { "customAccentEnabled", [](auto& s) { s.setCustomAccentEnabled(true); }, true },
        { "customAccentHex", [](auto& s) { s.setCustomAccentHex("00FF00"); }, "00FF00" },
        { "widgetOpacity", [](auto& s) { s.setWidgetOpacity(0.3); }, 0.3 },
        { "forceReduceMotion", [](auto& s) { s.setForceReduceMotion(true); }, true },
        { "hostMonitorID", [](auto& s) { s.setHostMonitorID(QString("DP-2")); }, "DP-2" },
        { "launchAtLogin", [](auto& s) { s.setLaunchAtLogin(true); }, true },
        { "masterVolume", [](auto& s) { s.setMasterVolume(0.25); }, 0.25 },
        { "fadeDuration", [](auto& s) { s.setFadeDuration(1.5); }, 1.5 },
    };
}

TEST(SettingsStoreTest, EachSetterWritesThroughAndSignalsOnlyARealChangeAndOutsideChangesAreRead)
{
    settingschecks::expectSettersWriteThroughAndSignalRealChanges<SettingsStore>(
        propertyCases(), [](const char* name) { return std::string("com.veltrane.") + name; });
    settingschecks::expectOutsideChangesAreReadAgain<SettingsStore>(
        propertyCases(), [](const char* name) { return std::string("com.veltrane.") + name; });
}

TEST(SettingsStoreTest, TheDefaultOverAWrongKindAndNaNTwiceAreNoChange)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    defaults->setString("com.veltrane.widgetOpacity", "half");
    SettingsStore store(defaults);
    QSignalSpy opacityChanged(&store, &SettingsStore::widgetOpacityChanged);
    QSignalSpy volumeChanged(&store, &SettingsStore::masterVolumeChanged);
    // The key is rewritten with the right kind all the same.
    store.setWidgetOpacity(1.0);
    EXPECT_EQ(opacityChanged.count(), 0);
    EXPECT_EQ(defaults->number("com.veltrane.widgetOpacity"), 1.0);
    store.setMasterVolume(std::numeric_limits<double>::quiet_NaN());
    store.setMasterVolume(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(volumeChanged.count(), 1);
    // NaN is not a number the database gives back: a new store starts on the default.
    EXPECT_EQ(SettingsStore(defaults).masterVolume(), 0.8);
}

TEST(SettingsStoreTest, ClearingTheHostMonitorRemovesItsKey)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    SettingsStore store(defaults);
    QSignalSpy changed(&store, &SettingsStore::hostMonitorIDChanged);
    store.setHostMonitorID(QString("eDP-1"));
    EXPECT_EQ(defaults->string("com.veltrane.hostMonitorID"), "eDP-1");
    store.setHostMonitorID(std::nullopt);
    EXPECT_TRUE(defaults->keys().empty());
    EXPECT_EQ(store.hostMonitorID(), std::nullopt);
    store.setHostMonitorID(std::nullopt);
    EXPECT_EQ(changed.count(), 2);
    // An empty name is a name, not absence.
    store.setHostMonitorID(QString());
    EXPECT_EQ(defaults->string("com.veltrane.hostMonitorID"), "");
    EXPECT_EQ(changed.count(), 3);
}

TEST(SettingsStoreTest, AnotherPrefixReadsAndWritesOnlyItsOwnKeys)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    defaults->setString("com.veltrane.widgetMode", "left");
    defaults->setString("appearance", "dark");
    SettingsStore store(defaults, "test.other.");
    expectAllDefaults(store);
    for (const auto& row : propertyCases())
        row.change(store);
    std::vector<std::string> expected { "appearance", "com.veltrane.widgetMode" };
    for (const auto& row : propertyCases())
        expected.push_back(std::string("test.other.") + row.name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(defaults->keys(), expected);
    EXPECT_EQ(defaults->string("com.veltrane.widgetMode"), "left");
}

} // namespace
