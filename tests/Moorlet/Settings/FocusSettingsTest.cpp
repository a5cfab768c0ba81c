#include "Moorlet/Settings/FocusSettings.h"

#include "VeltraneKit/Settings/MemoryUserDefaults.h"

#include "tests/VeltraneKit/Settings/SettingsObjectChecks.h"

#include <QSignalSpy>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace moorlet;
using nlohmann::json;
using veltrane::MemoryUserDefaults;

namespace {

using Strings = std::vector<std::string>;

const QStringList kDefaultSubjects { "Study", "Work", "Reading", "Writing" };

std::string focusKey(const char* name)
{
    return std::string("com.veltrane.focus.") + name;
}

struct ModeCase {
    std::string modeRaw;
    std::vector<std::pair<const char*, json>> custom;
    SessionMode expected;
};

TEST(FocusSettingsTest, TheSessionModeIsBuiltFromTheModeAndTheCustomValues)
{
    std::vector<ModeCase> cases {
        { "flowmodoro", {}, SessionMode::flowmodoro() },
        { "custom", {}, SessionMode::pomodoro(PomodoroConfig(3000, 600, 1500, 4)) },
        // Minutes become seconds with no rounding and no lower bound.
        { "custom",
            { { "customFocusMinutes", 0.5 }, { "customShortBreakMinutes", 0 },
                { "customLongBreakMinutes", -1 } },
            SessionMode::pomodoro(PomodoroConfig(30, 0, -60, 4)) },
        // Custom values mean nothing outside the custom mode.
        { "pomodoro", { { "customFocusMinutes", 5 } }, SessionMode::pomodoro() },
    };
    // Unknown modes, even in another case or with spaces, are Pomodoro.
    for (const char* unknown : { "", "Custom", " flowmodoro" })
        cases.push_back({ unknown, {}, SessionMode::pomodoro() });
    for (const auto& row : cases) {
        auto defaults = std::make_shared<MemoryUserDefaults>();
        defaults->setString(focusKey("modeRaw"), row.modeRaw);
        for (const auto& [name, value] : row.custom)
            defaults->setValue(focusKey(name), value);
        EXPECT_EQ(FocusSettings(defaults).sessionMode(), row.expected) << '"' << row.modeRaw << '"';
    }
}

TEST(FocusSettingsTest, TheSessionModeSignalsOnlyWhenTheBuiltModeChanges)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    FocusSettings settings(defaults);
    QSignalSpy modeChanged(&settings, &FocusSettings::sessionModeChanged);
    QSignalSpy rawChanged(&settings, &FocusSettings::modeRawChanged);

    // Outside the custom mode the custom values change nothing, and an unknown mode is Pomodoro.
    settings.setCustomFocusMinutes(30);
    settings.setModeRaw("unknown");
    EXPECT_EQ(rawChanged.count(), 1);
    EXPECT_EQ(modeChanged.count(), 0);

    settings.setModeRaw("custom");
    EXPECT_EQ(modeChanged.count(), 1);
    EXPECT_EQ(settings.sessionMode(), SessionMode::pomodoro(PomodoroConfig(1800, 600, 1500, 4)));
    settings.setCustomLongBreakInterval(1);
    EXPECT_EQ(modeChanged.count(), 2);
    // 0 and 1 both build an interval of 1: the setting changes, the mode does not.
    QSignalSpy intervalChanged(&settings, &FocusSettings::customLongBreakIntervalChanged);
    settings.setCustomLongBreakInterval(0);
    EXPECT_EQ(intervalChanged.count(), 1);
    EXPECT_EQ(modeChanged.count(), 2);
    settings.setModeRaw("flowmodoro");
    EXPECT_EQ(modeChanged.count(), 3);
    EXPECT_EQ(settings.sessionMode(), SessionMode::flowmodoro());
    // A hand edit of the mode is a new mode too.
    defaults->changeFromOutside({ { FocusSettings::key("modeRaw"), "pomodoro" } });
    EXPECT_EQ(modeChanged.count(), 4);
}

using PropertyCase = settingschecks::PropertyCase<FocusSettings>;

// A representative setter of each kind and of the mode's settings. Doubles are stored as
// floating-point numbers, the interval as an integer.
std::vector<PropertyCase> propertyCases()
{
    return {
        { "dailyGoalMinutes", [](auto& s) { s.setDailyGoalMinutes(90); }, 90.0 },
        { "defaultSubject", [](auto& s) { s.setDefaultSubject("Work"); }, "Work" },
        { "subjects", [](auto& s) { s.setSubjects({ "Art" }); }, json::array({ "Art" }) },
        { "soundEffectsEnabled", [](auto& s) { s.setSoundEffectsEnabled(false); }, false },
        { "modeRaw", [](auto& s) { s.setModeRaw("flowmodoro"); }, "flowmodoro" },
        { "customShortBreakMinutes", [](auto& s) { s.setCustomShortBreakMinutes(7.5); }, 7.5 },
        { "customLongBreakInterval", [](auto& s) { s.setCustomLongBreakInterval(3); }, 3 },
        { "pauseOnLock", [](auto& s) { s.setPauseOnLock(false); }, false },
    };
}

TEST(FocusSettingsTest, EachSetterWritesThroughWithItsKindAndSignalsOnlyARealChangeAndOutsideChangesAreRead)
{
    settingschecks::expectSettersWriteThroughAndSignalRealChanges<FocusSettings>(
        propertyCases(), focusKey);
    // A value of the wrong kind, from another writer or at start, reads as the default and is
    // left in the database as it is.
    settingschecks::expectOutsideChangesAreReadAgain<FocusSettings>(propertyCases(), focusKey);
}

TEST(FocusSettingsTest, AddingASubjectTrimsItAndSkipsBlanksAndExactDuplicates)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    FocusSettings settings(defaults);
    QSignalSpy changed(&settings, &FocusSettings::subjectsChanged);
    settings.addSubject("  Math \n");
    EXPECT_EQ(settings.subjects(), kDefaultSubjects + QStringList { "Math" });
    EXPECT_EQ(defaults->stringList(focusKey("subjects")),
        (Strings { "Study", "Work", "Reading", "Writing", "Math" }));
    EXPECT_EQ(changed.count(), 1);

    const int writes = defaults->writeCount();
    for (const char* ignored : { "Math", "\tMath", "   ", "\n", "" })
        settings.addSubject(ignored);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(defaults->writeCount(), writes);

    settings.addSubject("math");
    EXPECT_EQ(settings.subjects(), (kDefaultSubjects + QStringList { "Math", "math" }));
    EXPECT_EQ(changed.count(), 2);
}

TEST(FocusSettingsTest, RemovingASubjectRemovesEveryCopyButNotTheDefault)
{
    auto defaults = std::make_shared<MemoryUserDefaults>();
    defaults->setStringList(focusKey("subjects"), { "Art", "Work", "Art", "art" });
    defaults->setString(focusKey("defaultSubject"), "Art");
    FocusSettings settings(defaults);
    QSignalSpy changed(&settings, &FocusSettings::subjectsChanged);
    settings.removeSubject("Art");
    EXPECT_EQ(settings.subjects(), (QStringList { "Work", "art" }));
    EXPECT_EQ(defaults->stringList(focusKey("subjects")), (Strings { "Work", "art" }));
    EXPECT_EQ(settings.defaultSubject(), "Art");
    EXPECT_EQ(changed.count(), 1);
}

} // namespace
