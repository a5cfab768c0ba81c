#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/Settings/SettingsStore.h"

#include "tests/VeltraneKit/Settings/SettingsObjectChecks.h"

#include <QSignalSpy>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace veltrane;
using nlohmann::json;

namespace {

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

std::string keyOf(const char* name) { return std::string("com.veltrane.") + name; }

// Every property reads as it does on an empty database.
void expectAllDefaults(const SettingsStore& store)
{
    const SettingsStore fresh(std::make_shared<MemoryUserDefaults>());
    for (const auto& row : propertyCases())
        EXPECT_EQ(store.property(row.name), fresh.property(row.name)) << row.name;
}

TEST(SettingsStoreTest, EachSetterWritesThroughAndSignalsOnlyARealChangeAndOutsideChangesAreRead)
{
    settingschecks::expectSettersWriteThroughAndSignalRealChanges<SettingsStore>(propertyCases(), keyOf);
    settingschecks::expectOutsideChangesAreReadAgain<SettingsStore>(propertyCases(), keyOf);
}

TEST(SettingsStoreTest, WrongKindsAndUnknownTextsReadAsDefaultsAndStayInTheDatabase)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    const std::vector<std::pair<std::string, json>> stored {
        { "com.veltrane.appearance", "Dark" },
        // 1 is no bool and true is no number: neither converts.
        { "com.veltrane.customAccentEnabled", 1 },
        { "com.veltrane.widgetOpacity", "0.5" },
        { "com.veltrane.hostMonitorID", 42 },
        { "com.veltrane.masterVolume", true },
    };
    for (const auto& [key, value] : stored)
        defaults->setValue(key, value);
    const int writesBefore = defaults->writeCount();
    expectAllDefaults(SettingsStore(defaults));
    EXPECT_EQ(defaults->writeCount(), writesBefore);
    for (const auto& [key, value] : stored)
        EXPECT_EQ(defaults->value(key), value) << key;

    // A stored integer is a number, and an exact raw value is read.
    defaults->setInteger("com.veltrane.masterVolume", 0);
    defaults->setString("com.veltrane.appearance", "dark");
    const SettingsStore store(defaults);
    EXPECT_EQ(store.masterVolume(), 0.0);
    EXPECT_EQ(store.appearance(), AppearancePreference::dark);
}

TEST(SettingsStoreTest, TheDefaultOverAWrongKindIsNoChangeButRewritesTheKey)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    defaults->setString("com.veltrane.widgetOpacity", "half");
    SettingsStore store(defaults);
    QSignalSpy opacityChanged(&store, &SettingsStore::widgetOpacityChanged);
    // The key is rewritten with the right kind all the same.
    store.setWidgetOpacity(1.0);
    EXPECT_EQ(opacityChanged.count(), 0);
    EXPECT_EQ(defaults->number("com.veltrane.widgetOpacity"), 1.0);
}

TEST(SettingsStoreTest, ClearingTheHostMonitorRemovesItsKey)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    SettingsStore store(defaults);
    QSignalSpy changed(&store, &SettingsStore::hostMonitorIDChanged);
    store.setHostMonitorID(QString("eDP-1"));
    store.setHostMonitorID(std::nullopt);
    EXPECT_TRUE(defaults->keys().empty());
    EXPECT_EQ(store.hostMonitorID(), std::nullopt);
    store.setHostMonitorID(std::nullopt);
    EXPECT_EQ(changed.count(), 2);
}

} // namespace
