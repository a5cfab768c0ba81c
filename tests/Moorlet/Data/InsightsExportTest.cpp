#include "Moorlet/Data/InsightsExport.h"
#include "tests/VeltraneKit/ScopedEnvironment.h"
#include "tests/support/TestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

using namespace moorlet;

namespace {

// 2026-03-14T09:05:00Z
constexpr double kMorning = 1773479100;

FocusSession session(double start, double duration, std::optional<std::string> subject = std::nullopt,
    std::optional<std::string> intention = std::nullopt, std::string mode = "pomodoro", bool completed = true)
{
    return FocusSession { QUuid::createUuid(), start, duration, std::move(subject), std::move(mode), completed,
        std::move(intention) };
}

} // namespace

TEST(InsightsExportTest, OneLinePerSessionInStartOrderQuotedOnlyWhereItMustBe)
{
    const std::string header = "start,duration_minutes,mode,completed,subject,intention";
    EXPECT_EQ(InsightsExport::csv({}), header);
    const auto csv = InsightsExport::csv({
        session(kMorning + 3600, 100, "Physics", "Lab report", "flowmodoro", false),
        session(kMorning + 0.6, 1500, "Maths, algebra", "Read \"Chapter 2\""),
        session(kMorning + 3600, 2999.99, "Line\nbreak", "carriage\rreturn"),
        session(kMorning + 7200, 60, "\"", ""),
    });
    EXPECT_EQ(csv,
        header + "\n"
        "2026-03-14T09:05:00Z,25.0,pomodoro,true,\"Maths, algebra\",\"Read \"\"Chapter 2\"\"\"\n"
        "2026-03-14T10:05:00Z,1.7,flowmodoro,false,Physics,Lab report\n"
        "2026-03-14T10:05:00Z,50.0,pomodoro,true,\"Line\nbreak\",carriage\rreturn\n"
        "2026-03-14T11:05:00Z,1.0,pomodoro,true,\"\"\"\",");
}

TEST(InsightsExportTest, MinutesRoundToOneDecimalWhateverTheLocale)
{
    // A Qt application takes its C locale from the environment, so the export runs under one
    // whose decimal separator is a comma, compiled here from the system's locale sources.
    testsupport::TemporaryFolder locales;
    const auto localeName = QStringLiteral("de_DE.UTF-8");
    ASSERT_EQ(QProcess::execute(QStringLiteral("localedef"),
                  { QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                      locales.filePath(localeName) }),
        0);
    veltrane::testing::ScopedEnvironment locpath("LOCPATH", locales.stdPath().c_str());
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 25.0);
    ASSERT_STREQ(probe, "25,0");

    const auto csv = InsightsExport::csv({ session(kMorning, 3), session(kMorning, 87), session(kMorning, 0),
        session(kMorning, 359999.9) });
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(csv,
        "start,duration_minutes,mode,completed,subject,intention\n"
        "2026-03-14T09:05:00Z,0.1,pomodoro,true,,\n"
        "2026-03-14T09:05:00Z,1.4,pomodoro,true,,\n"
        "2026-03-14T09:05:00Z,0.0,pomodoro,true,,\n"
        "2026-03-14T09:05:00Z,6000.0,pomodoro,true,,");
}
