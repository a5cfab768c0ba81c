#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/Settings/SettingsStore.h"

#include "tests/VeltraneKit/Settings/SettingsObjectChecks.h"

#include <gtest/gtest.h>

using namespace veltrane;

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

TEST(SettingsStoreTest, EachSetterWritesThroughAndSignalsOnlyARealChangeAndOutsideChangesAreRead)
{
    settingschecks::expectSettersWriteThroughAndSignalRealChanges<SettingsStore>(propertyCases(), keyOf);
    settingschecks::expectOutsideChangesAreReadAgain<SettingsStore>(propertyCases(), keyOf);
}

TEST(SettingsStoreTest, AnUnknownTextOrAWrongKindReadsAsTheDefaultAndStaysInTheDatabase)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    defaults->setString("com.veltrane.appearance", "Dark");
    defaults->setString("com.veltrane.widgetOpacity", "0.5");
    const int writesBefore = defaults->writeCount();
    const SettingsStore store(defaults);
    const SettingsStore fresh(std::make_shared<MemoryUserDefaults>());
    for (const auto& row : propertyCases())
        EXPECT_EQ(store.property(row.name), fresh.property(row.name)) << row.name;
    EXPECT_EQ(defaults->writeCount(), writesBefore);
    EXPECT_EQ(defaults->string("com.veltrane.appearance"), "Dark");
}

} // namespace
