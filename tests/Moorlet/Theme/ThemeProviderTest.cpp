#include "Moorlet/Theme/ThemePacks.h"
#include "Moorlet/Theme/ThemeProvider.h"

#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/Theme/ColorHex.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace moorlet;
using veltrane::Theme;
namespace Colors = veltrane::DesignTokens::Colors;

namespace {

class ThemeProviderTest : public ::testing::Test {
protected:
    veltrane::SettingsStore m_settings { std::make_shared<veltrane::MemoryUserDefaults>() };
    ThemeProvider m_provider { veltrane::ThemeCatalog(ThemePacks::extras()), m_settings };
};

} // namespace

TEST_F(ThemeProviderTest, TheCatalogueIsMonoThenThePacks)
{
    const auto& themes = m_provider.catalog().themes();
    ASSERT_EQ(themes.size(), ThemePacks::extras().size() + 1);
    EXPECT_EQ(themes.front(), Theme::defaultTheme());
    EXPECT_EQ(themes.back(), ThemePacks::extras().back());
    // The accented name survives as one character, U+00E9.
    EXPECT_EQ(ThemePacks::extras()[4].name.size(), 4);
    EXPECT_EQ(ThemePacks::extras()[4].name.back(), QChar(0x00E9));
}

TEST_F(ThemeProviderTest, AccentByPhase)
{
    m_settings.setAccentThemeID(QStringLiteral("ocean"));
    EXPECT_EQ(m_provider.accent(SessionPhase::focusing), QColor(70, 184, 198));
    EXPECT_EQ(m_provider.accent(SessionPhase::idle), Colors::idle());
    EXPECT_EQ(m_provider.accent(SessionPhase::shortBreak), Colors::breakPhase());
    EXPECT_EQ(m_provider.accent(SessionPhase::longBreak), Colors::breakPhase());

    // A custom accent replaces the theme's while focusing only.
    m_settings.setCustomAccentEnabled(true);
    m_settings.setCustomAccentHex(QStringLiteral("#ff0000"));
    EXPECT_EQ(m_provider.accent(SessionPhase::focusing), QColor(255, 0, 0));
    EXPECT_EQ(m_provider.accent(SessionPhase::shortBreak), Colors::breakPhase());
    EXPECT_EQ(m_provider.accent(SessionPhase::idle), Colors::idle());

    // An unparsable custom hex falls back to the theme's accent without complaint.
    for (const char* bad : { "", "12345", "1234567", "zzzzzz", "#12 456" }) {
        m_settings.setCustomAccentHex(QString::fromLatin1(bad));
        EXPECT_EQ(m_provider.accent(SessionPhase::focusing), QColor(70, 184, 198)) << bad;
    }

    // The custom hex is ignored while the switch is off.
    m_settings.setCustomAccentHex(QStringLiteral("00FF00"));
    m_settings.setCustomAccentEnabled(false);
    EXPECT_EQ(m_provider.accent(SessionPhase::focusing), QColor(70, 184, 198));
}

TEST_F(ThemeProviderTest, DefaultsAndUnknownThemesAreMono)
{
    // Fresh settings: theme "default", custom accent off (its default hex is valid but unused).
    EXPECT_EQ(m_provider.theme(), Theme::defaultTheme());
    EXPECT_EQ(m_provider.accent(SessionPhase::focusing), Colors::focus());
    m_settings.setAccentThemeID(QStringLiteral("Ocean"));
    EXPECT_EQ(m_provider.accent(SessionPhase::focusing), Colors::focus());
    m_settings.setAccentThemeID(QStringLiteral("retired"));
    EXPECT_EQ(m_provider.theme(), Theme::defaultTheme());
}

TEST_F(ThemeProviderTest, BackgroundWash)
{
    EXPECT_FALSE(m_provider.backgroundWash());
    for (const Theme& theme : ThemePacks::extras()) {
        m_settings.setAccentThemeID(theme.id);
        const auto wash = m_provider.backgroundWash();
        ASSERT_TRUE(wash) << theme.id.toStdString();
        ASSERT_EQ(wash->stops.size(), 2u);
        EXPECT_EQ(wash->stops[0].second.rgb(), theme.wash->rgb());
        EXPECT_GT(wash->stops[0].second.alphaF(), wash->stops[1].second.alphaF());
    }
    // The wash follows the theme even under a custom accent.
    m_settings.setAccentThemeID(QStringLiteral("sand"));
    m_settings.setCustomAccentEnabled(true);
    EXPECT_EQ(m_provider.backgroundWash()->stops[0].second.rgb(), QColor(241, 229, 208).rgb());

    // A gradient over a rectangle runs from its top-left to its bottom-right corner.
    const QLinearGradient gradient = m_provider.backgroundWash()->resolved(QRectF(10, 20, 100, 50));
    EXPECT_EQ(gradient.start(), QPointF(10, 20));
    EXPECT_EQ(gradient.finalStop(), QPointF(110, 70));
}

TEST_F(ThemeProviderTest, AnnouncesOnlyRealChanges)
{
    QSignalSpy accent(&m_provider, &ThemeProvider::accentChanged);
    QSignalSpy wash(&m_provider, &ThemeProvider::backgroundWashChanged);

    m_settings.setAccentThemeID(QStringLiteral("ocean"));
    EXPECT_EQ(accent.count(), 1);
    EXPECT_EQ(wash.count(), 1);

    // Another unknown id still resolves to the same theme as before: nothing to announce.
    m_settings.setAccentThemeID(QStringLiteral("no-such-theme"));
    m_settings.setAccentThemeID(QStringLiteral("also-missing"));
    EXPECT_EQ(accent.count(), 2);
    EXPECT_EQ(wash.count(), 2);

    // A custom hex typed while the switch is off changes nothing visible.
    m_settings.setCustomAccentHex(QStringLiteral("FF0000"));
    EXPECT_EQ(accent.count(), 2);
    m_settings.setCustomAccentEnabled(true);
    EXPECT_EQ(accent.count(), 3);
    EXPECT_EQ(wash.count(), 2);
    // Typing an invalid hex falls back to the theme accent, which is a change too.
    m_settings.setCustomAccentHex(QStringLiteral("FF00"));
    EXPECT_EQ(accent.count(), 4);
    m_settings.setCustomAccentHex(QStringLiteral("FF0"));
    EXPECT_EQ(accent.count(), 4);
}
